#include "rx41/quick/quick_profile.h"

#include <QComboBox>

#include "rx41/quick/part_settings_panel.h"

namespace rx41 {
namespace {

using Field = PartSettingsPanel::Field;

// Lines 3 to 9 hold field texts.
constexpr Field kTextLines[] = {Field::DP,     Field::ClampHigh, Field::ClampLow, Field::AngleA,
                                Field::LevelA, Field::AngleB,    Field::LevelB};

// Lines 1 and 2 choose between two settings (0 or 1): the error number of a
// value that does not, else 0.
int choiceError(const std::optional<int>& number) {
  if (!number) return profile_error::kTypeMismatch;
  return *number == 0 || *number == 1 ? 0 : profile_error::kInvalidValue;
}

}  // namespace

const ProfileLayout& quickProfileLayout() {
  static const ProfileLayout layout{
      {QStringLiteral("Part #Index:"), 13},
      {QStringLiteral("Direction is:"), 14},
      {QStringLiteral("DP is(deg):"), 12},
      {QStringLiteral("Clamp High is(%):"), 18},
      {QStringLiteral("Clamp Low is(%):"), 17},
      {QStringLiteral("Angle of Point A is(deg):"), 26},
      {QStringLiteral("Level of Point A is(%):"), 24},
      {QStringLiteral("Angle of Point B is(deg):"), 26},
      {QStringLiteral("Level of Point B is(%):"), 24},
  };
  return layout;
}

QStringList quickProfileValues(const QComboBox& partSel, const PartSettingsPanel& panel) {
  QStringList values{QString::number(partSel.currentIndex()),
                     panel.clockwise() ? QStringLiteral("1") : QStringLiteral("0")};
  for (const Field field : kTextLines) values << panel.text(field);
  return values;
}

int applyQuickProfile(const QStringList& values, QComboBox& partSel, PartSettingsPanel& panel) {
  for (qsizetype line = 0; line < values.size(); ++line) {
    if (line < 2) {
      const auto number = profileInteger(values[line]);
      if (const int error = choiceError(number)) return error;
      if (line == 0)
        partSel.setCurrentIndex(*number);
      else
        panel.setClockwise(*number == 1);
    } else if (line - 2 < static_cast<qsizetype>(std::size(kTextLines))) {
      panel.setText(kTextLines[line - 2], values[line]);
    }
  }
  return 0;
}

}  // namespace rx41
