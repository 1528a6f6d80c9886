#include "rx41/quick/quick_profile.h"

#include <QCheckBox>
#include <QComboBox>

#include "rx41/core/field_box.h"
#include "rx41/quick/quick_profile_format.h"
#include "rx41/quick/quick_settings_panel.h"

namespace rx41 {
namespace {

void bindLines(ProfileBinding& binding, const std::vector<QuickProfileLine>& lines, QComboBox* partSel,
               QuickSettingsPanel& panel) {
  for (const QuickProfileLine& line : lines) {
    const QString label = QString::fromStdString(line.label);
    switch (line.entry) {
      case QuickProfileEntry::PartIndex: binding.addIndex(label, *partSel); break;
      case QuickProfileEntry::Heading: binding.addHeading(label); break;
      case QuickProfileEntry::Direction: binding.addTick(label, panel.clockwiseBox(line.part)); break;
      case QuickProfileEntry::Field:
        binding.addText(label, *panel.fields().at(line.field->name, line.part, line.point).box);
        break;
    }
  }
  binding.setAfterLoad([&panel] { panel.validateLoadedTexts(); });
}

}  // namespace

void bindQuickProfile(ProfileBinding& binding, QComboBox& partSel, QuickSettingsPanel& panel) {
  bindLines(binding, quickProfileLines(), &partSel, panel);
}

void bindPairQuickProfile(ProfileBinding& binding, QuickSettingsPanel& panel) {
  bindLines(binding, pairQuickProfileLines(), nullptr, panel);
}

}  // namespace rx41
