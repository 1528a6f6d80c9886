#include "rx41/dual/dual_profile.h"

#include <QCheckBox>

#include "rx41/core/field_box.h"
#include "rx41/dual/dual_profile_format.h"

namespace rx41 {
namespace {

// A check box written as one of two words and read back ticked exactly for the first.
void addWords(ProfileBinding& binding, const QString& label, QCheckBox& box, const QString& ticked,
              const QString& unticked) {
  binding.addLine(
      label, [&box, ticked, unticked] { return box.isChecked() ? ticked : unticked; },
      [&box, ticked](const QString& value) { box.setChecked(value == ticked); });
}

}  // namespace

void bindDualProfile(ProfileBinding& binding, DualSettings& settings) {
  for (std::int16_t part = 0; part < 2; ++part) {
    DualPartFrame& frame = settings.frame(part);
    for (const DualProfileLine& line : dualProfileBlock(settings.table(), part)) {
      const QString label = QString::fromStdString(line.label);
      switch (line.entry) {
        case ProfileEntry::Heading: binding.addHeading(label); break;
        case ProfileEntry::Field:
          binding.addText(label, *settings.fields().at(line.field->name, part, line.point).box);
          break;
        case ProfileEntry::Direction:
          addWords(binding, label, frame.clockwiseBox(), QStringLiteral("CW"), QStringLiteral("CCW"));
          break;
        case ProfileEntry::Polarity:
          addWords(binding, label, frame.polarityBox(), QStringLiteral("1"), QStringLiteral("0"));
          break;
        case ProfileEntry::OutMode: binding.addIndex(label, frame.outModeList()); break;
        case ProfileEntry::PWMFreq: binding.addIndex(label, frame.pwmFreqList()); break;
        case ProfileEntry::PWMPolarity: binding.addIndex(label, frame.pwmPolarityList()); break;
      }
    }
  }
  binding.setAfterLoad([&settings] { settings.validateLoadedTexts(); });
}

}  // namespace rx41
