#include "rx41/quick/part_settings_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <algorithm>
#include <span>

#include "rx41/operator/control_names.h"
#include "rx41/quick/quick_fields.h"

namespace rx41 {
namespace {

// One set of fields, whichever part is selected.
constexpr std::int16_t kFieldPart = 0;

}  // namespace

PartSettingsPanel::PartSettingsPanel(OperatorInterface& operatorInterface, QWidget* parent)
    : QuickSettingsPanel(
          operatorInterface, PartSet::part(kFieldPart), [this] { return selectedPart(); }, parent) {
  PartSel_ = fields().add(partSelectionRow(), kFieldPart, 0, this).list;
  const auto& table = quickFieldTable();
  auto* partFrame = named(new QGroupBox(QStringLiteral("Part Configuration"), this), "PartFrame", 0);
  partLayout_ = new QGridLayout(partFrame);
  int row = 0;
  for (const FieldRow& fieldRow : std::span(table).first(kQuickPartRows))
    FieldSet::place(fields().add(fieldRow, kFieldPart, 0, partFrame), *partLayout_, row++, 0);

  auto* pointsFrame = named(new QGroupBox(QStringLiteral("2 Points"), this), QStringLiteral("Frame2"));
  pointsLayout_ = new QGridLayout(pointsFrame);
  for (int point = 0; point < 2; ++point) {
    row = 0;
    for (const FieldRow& fieldRow : std::span(table).subspan(kQuickPartRows))
      FieldSet::place(fields().add(fieldRow, kFieldPart, point, pointsFrame), *pointsLayout_, row++, 2 * point);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(partFrame);
  layout->addWidget(pointsFrame);
}

std::int16_t PartSettingsPanel::selectedPart() const {
  return static_cast<std::int16_t>(std::max(0, PartSel_->currentIndex()));
}

}  // namespace rx41
