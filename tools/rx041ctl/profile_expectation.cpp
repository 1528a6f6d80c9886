#include "profile_expectation.h"

#include <vector>

#include "rx41/dual/dual_profile_format.h"
#include "rx41/dual/dual_variant.h"
#include "rx41/dual/target_point_rules.h"
#include "rx41/quick/quick_profile_format.h"
#include "rx41/rules/profile_text.h"

namespace rx041::ctl {
namespace {

using rx41::CurveSettings;
using PartResult = std::variant<CurveSettings, std::string>;

constexpr std::int16_t kTwoPointsMode = 2;

template <class Line>
std::vector<std::size_t> valueColumns(const std::vector<Line>& lines) {
  std::vector<std::size_t> columns;
  for (const Line& line : lines) columns.push_back(line.label.size() + 1);
  return columns;
}

// A field's value as the window keeps it after its check on loading; false
// when the check leaves the text empty (an empty or refused level).
bool applyField(const rx41::FieldRow& row, int point, const std::string& text, rx41::FieldValues& values) {
  const rx41::FieldOutcome outcome = rx41::applyFieldRule(*row.rule, text);
  if (float* slot = rx41::slotValue(values, row.slot, point); slot && outcome.value) *slot = *outcome.value;
  return !outcome.text.empty();
}

// The two-point rules of the quick windows, in their order.
PartResult quickPart(const rx41::FieldValues& v, const bool (&levelGiven)[2], bool clockwise) {
  if (!(v.ClampHighValue > v.ClampLowValue)) return rx41::messageText(rx41::MessageId::ClampOrder);
  CurveSettings s;
  for (int k = 0; k < 2; ++k) {
    if (!(v.AngleValue[k] >= 0.0f && v.AngleValue[k] < 360.0f)) return "Error Angles of Point A and Point B input";
    s.points[k][0] = rx41::roundToInt16(v.AngleValue[k]);
    s.points[k][1] = rx41::roundToInt16(v.LevelValue[k]);
  }
  if (s.points[0][0] == s.points[1][0]) return "Rules: Wrong in configure 2 points!";
  for (int k = 0; k < 2; ++k)
    if (!levelGiven[k]) return "Level of point " + std::string(1, static_cast<char>('A' + k)) + " is empty";
  if (s.points[0][1] == s.points[1][1]) return "The levels of points A and B are the same";
  s.mode = kTwoPointsMode;
  s.dp = rx41::roundToInt16(v.DpValue);
  s.clampHigh = rx41::roundToInt16(v.ClampHighValue);
  s.clampLow = rx41::roundToInt16(v.ClampLowValue);
  s.clockwise = clockwise;
  return s;
}

std::variant<ProfileExpectation, std::string> quickExpectation(const std::vector<rx41::ProfileRow>& lines,
                                                               const std::vector<std::string>& texts, bool pair) {
  ProfileExpectation expectation{pair ? "quick pair" : "quick",
                                 {std::string("not in the profile"), std::string("not in the profile")}};
  std::int16_t singlePart = 0;
  rx41::FieldValues values[2];
  bool levelGiven[2][2] = {};
  bool clockwise[2] = {};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const rx41::ProfileRow& line = lines[i];
    const std::string& text = texts[i];
    switch (line.value) {
      case rx41::ProfileValue::Index: {  // the part selector
        const auto index = rx41::profileInteger(text);
        if (!index || (*index != 0 && *index != 1)) return "line 1 names no part (0 or 1)";
        singlePart = static_cast<std::int16_t>(*index);
        break;
      }
      case rx41::ProfileValue::Tick: {  // the direction
        const auto tick = rx41::profileInteger(text);
        if (!tick || (*tick != 0 && *tick != 1)) return "line " + std::to_string(i + 1) + " is no direction (0 or 1)";
        clockwise[line.part] = *tick == 1;
        break;
      }
      case rx41::ProfileValue::Text: {
        const bool given = applyField(*line.field, line.point, text, values[line.part]);
        if (line.field->slot == rx41::ValueSlot::Level) levelGiven[line.part][line.point] = given;
        break;
      }
      case rx41::ProfileValue::Heading:
      case rx41::ProfileValue::Words: break;
    }
  }
  for (std::int16_t block = 0; block < (pair ? 2 : 1); ++block) {
    const std::int16_t part = pair ? block : singlePart;
    expectation.parts[static_cast<std::size_t>(part)] = quickPart(values[block], levelGiven[block], clockwise[block]);
  }
  return expectation;
}

// The dual-part window's rules: its settings check, then the choice of two
// to four points or one point and a slope.
PartResult dualPart(std::int16_t part, const std::vector<rx41::ProfileRow>& block,
                    const std::vector<std::string>& texts) {
  rx41::PartEntries entries;
  for (std::size_t i = 0; i < block.size(); ++i) {
    const rx41::ProfileRow& line = block[i];
    const std::string& text = texts[i];
    switch (line.value) {
      case rx41::ProfileValue::Text: {
        const bool given = applyField(*line.field, line.point, text, entries.values);
        if (line.field->slot == rx41::ValueSlot::Level) entries.levelGiven[line.point] = given;
        if (line.field->slot == rx41::ValueSlot::Op)
          entries.opText = rx41::applyFieldRule(*line.field->rule, text).text;
        if (line.field->slot == rx41::ValueSlot::Hys)
          entries.hysText = rx41::applyFieldRule(*line.field->rule, text).text;
        break;
      }
      case rx41::ProfileValue::Words: entries.clockwise = text == line.field->words->ticked; break;
      case rx41::ProfileValue::Tick: entries.polarity = text == "1" ? 1 : 0; break;
      default: break;
    }
  }
  rx41::CurveTables tables;
  std::string refusal;
  rx41::TargetPointRules rules(tables, [&](const std::string& text) {
    if (refusal.empty()) refusal = text;
  });
  const rx41::DualVariant& variant = rx41::dualVariant(rx41::Sources::Dual);
  if (!rules.PrepareSettings(part, entries, variant.clampOrderPrefix)) return refusal;
  const rx41::Configuration configuration = rules.configsolver(part, entries);
  if (configuration.mode == 0) return refusal.empty() ? std::string("the points are refused") : refusal;
  return rx41::curveSettingsOf(tables, part, configuration.mode);
}

}  // namespace

std::variant<ProfileExpectation, std::string> readProfileExpectation(const std::filesystem::path& file) {
  const rx41::DualVariant& variant = rx41::dualVariant(rx41::Sources::Dual);
  const std::vector<rx41::ProfileRow> dualLines = rx41::dualProfileLines(*variant.fields);

  // The longest layout the file fills is its own.
  rx41::ProfileText text = rx41::readProfileText(file, valueColumns(dualLines));
  if (text.errorNumber == 0) {
    ProfileExpectation expectation{"dual-part", {}};
    const std::ptrdiff_t blockLines = rx41::kDualProfileBlockLines;
    for (std::int16_t part = 0; part < 2; ++part) {
      const auto first = dualLines.begin() + part * blockLines;
      const auto firstText = text.values.begin() + part * blockLines;
      expectation.parts[static_cast<std::size_t>(part)] =
          dualPart(part, {first, first + blockLines}, {firstText, firstText + blockLines});
    }
    return expectation;
  }
  if (text.errorNumber != rx41::profile_error::kInputPastEnd)
    return "cannot be read as a profile (error " + std::to_string(text.errorNumber) + ")";
  for (const bool pair : {true, false}) {
    const auto lines = pair ? rx41::pairQuickProfileLines() : rx41::quickProfileLines();
    text = rx41::readProfileText(file, valueColumns(lines));
    if (text.errorNumber == 0) return quickExpectation(lines, text.values, pair);
  }
  return "is no profile of the quick windows (9 or 18 lines) or of the dual-part windows (42 lines)";
}

}  // namespace rx041::ctl
