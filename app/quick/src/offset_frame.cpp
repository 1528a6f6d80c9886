#include "rx41/quick/offset_frame.h"

#include <QGridLayout>

#include "rx41/core/field_box.h"
#include "rx41/operator/control_names.h"
#include "rx41/quick/quick_fields.h"

namespace rx41 {

OffsetFrame::OffsetFrame(OperatorInterface& operatorInterface, QWidget* parent)
    : QGroupBox(QStringLiteral("Offset setting against Angle A"), parent), fields_(operatorInterface, this) {
  setControlName(*this, QStringLiteral("Frame1"));
  auto* grid = new QGridLayout(this);
  int row = 0;
  for (const FieldRow& fieldRow : offsetFieldTable())
    FieldSet::place(fields_.add(fieldRow, 0, 0, this), *grid, row++, 0);
  grid->setRowStretch(row, 1);
}

const QLineEdit& OffsetFrame::offsetAngleB() const { return *fields_.at("OffsetAngleB").box; }

const QLineEdit& OffsetFrame::offsetDp() const { return *fields_.at("OffsetDP").box; }

}  // namespace rx41
