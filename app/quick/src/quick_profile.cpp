#include "rx41/quick/quick_profile.h"

#include <QCheckBox>
#include <QComboBox>

#include "rx41/field_box.h"
#include "rx41/quick/part_settings_panel.h"

namespace rx41 {

void bindQuickProfile(ProfileBinding& binding, QComboBox& partSel, PartSettingsPanel& panel) {
  binding.addIndex(QStringLiteral("Part #Index:"), partSel);
  binding.addTick(QStringLiteral("Direction is:"), panel.clockwiseBox());
  for (FieldSet::Field* field : panel.fields().profileFields(0))
    binding.addText(QString::fromStdString(expandPattern(field->spec->profileLabel, 0, field->point, std::nullopt)),
                    *field->box);
  binding.setAfterLoad([&panel] { panel.validateLoadedTexts(); });
}

}  // namespace rx41
