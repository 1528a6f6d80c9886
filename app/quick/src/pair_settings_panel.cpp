#include "rx41/quick/pair_settings_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <span>

#include "rx41/operator/control_names.h"
#include "rx41/quick/quick_fields.h"

namespace rx41 {

PairSettingsPanel::PairSettingsPanel(OperatorInterface& operatorInterface, QWidget* parent)
    : QuickSettingsPanel(operatorInterface, PartSet::both(), nullptr, parent) {
  const auto& table = quickPairFieldTable();
  auto* configuration = named(new QGroupBox(QStringLiteral("Part Configuration"), this), "PartFrame", 0);
  auto* frames = new QHBoxLayout(configuration);
  for (std::int16_t part = 0; part < 2; ++part) {
    auto* frame = named(new QGroupBox(QString::fromStdString(partName(part)), configuration),
                        QStringLiteral("Frame%1").arg(part + 1));
    auto* grid = new QGridLayout(frame);
    int row = 0;
    for (const FieldRow& fieldRow : std::span(table).first(kQuickPartRows))
      FieldSet::place(fields().add(fieldRow, part, 0, frame), *grid, row++, 0);
    row = 0;
    for (int point = 0; point < 2; ++point)
      for (const FieldRow& fieldRow : std::span(table).subspan(kQuickPartRows))
        FieldSet::place(fields().add(fieldRow, part, point, frame), *grid, row++, 2);
    frames->addWidget(frame);
  }
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(configuration);
}

}  // namespace rx41
