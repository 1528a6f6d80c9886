#include "rx41/quick/part_settings_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <span>

#include "rx41/operator/control_names.h"
#include "rx41/quick/quick_fields.h"

namespace rx41 {
namespace {

// One set of fields, whichever part is selected.
constexpr std::int16_t kFieldPart = 0;

}  // namespace

PartSettingsPanel::PartSettingsPanel(OperatorInterface& operatorInterface, std::function<std::int16_t()> selectedPart,
                                     QWidget* parent)
    : QuickSettingsPanel(operatorInterface, PartSet::part(kFieldPart), std::move(selectedPart), parent) {
  const auto& table = quickFieldTable();
  auto* partFrame = named(new QGroupBox(QStringLiteral("Part Configuration"), this), "PartFrame", 0);
  partLayout_ = new QGridLayout(partFrame);
  // The table lists the part's fields first, then the point fields.
  const auto partFields = std::span(table).first(3);
  const auto pointFields = std::span(table).subspan(3);
  int row = 0;
  for (const FieldRow& fieldRow : partFields)
    FieldSet::place(fields().add(fieldRow, kFieldPart, 0, partFrame), *partLayout_, row++, 0);
  auto* clockwise = named(new QCheckBox(QStringLiteral("clockwise"), partFrame), QStringLiteral("clockwise"));
  partLayout_->addWidget(clockwise, 3, 1);
  setClockwiseBox(kFieldPart, clockwise);

  auto* pointsFrame = named(new QGroupBox(QStringLiteral("2 Points"), this), QStringLiteral("Frame2"));
  pointsLayout_ = new QGridLayout(pointsFrame);
  for (int point = 0; point < 2; ++point) {
    row = 0;
    for (const FieldRow& fieldRow : pointFields)
      FieldSet::place(fields().add(fieldRow, kFieldPart, point, pointsFrame), *pointsLayout_, row++, 2 * point);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(partFrame);
  layout->addWidget(pointsFrame);
}

}  // namespace rx41
