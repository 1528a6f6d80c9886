#include "rx41/quick/quick_profile.h"

#include <QCheckBox>
#include <QComboBox>

#include "rx41/field_box.h"
#include "rx41/quick/quick_settings_panel.h"

namespace rx41 {
namespace {

void bindPartBlock(ProfileBinding& binding, QuickSettingsPanel& panel, std::int16_t part) {
  binding.addTick(QStringLiteral("Direction is:"), panel.clockwiseBox(part));
  for (FieldSet::Field* field : panel.fields().profileFields(part))
    binding.addText(QString::fromStdString(expandPattern(field->spec->profileLabel, part, field->point, std::nullopt)),
                    *field->box);
}

}  // namespace

void bindQuickProfile(ProfileBinding& binding, QComboBox& partSel, QuickSettingsPanel& panel) {
  binding.addIndex(QStringLiteral("Part #Index:"), partSel);
  bindPartBlock(binding, panel, 0);
  binding.setAfterLoad([&panel] { panel.validateLoadedTexts(); });
}

void bindDualQuickProfile(ProfileBinding& binding, QuickSettingsPanel& panel) {
  for (std::int16_t part = 0; part < 2; ++part) {
    binding.addHeading(QStringLiteral("Part #%1:").arg(part + 1));
    bindPartBlock(binding, panel, part);
  }
  binding.setAfterLoad([&panel] { panel.validateLoadedTexts(); });
}

}  // namespace rx41
