#include "rx41/dual/dual_part_frame.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "rx41/core/field_box.h"
#include "rx41/core/field_set.h"
#include "rx41/core/shown_numbers.h"
#include "rx41/operator/control_names.h"
#include "rx41/rules/field_rules.h"
#include "rx41/rules/number_entry.h"

namespace rx41 {
namespace {

constexpr float kHysteresisStep = 0.25f;
constexpr int kUnitButtonsPerRow = 4;

QLabel* hint(const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setWordWrap(true);
  return label;
}

}  // namespace

void setPartAccessibleName(QWidget& control, std::int16_t part, const QString& seen) {
  control.setAccessibleName(QStringLiteral("Part#%1 %2").arg(part + 1).arg(seen));
}

void namePartControl(QWidget& control, const QString& name, int index, std::int16_t part, const QString& seen) {
  setControlName(control, name, index);
  setPartAccessibleName(control, part, seen);
}

DualPartFrame::DualPartFrame(FieldSet& fields, const DualFieldTable& table, std::int16_t part, QWidget* parent)
    : QGroupBox(QStringLiteral("Part #%1").arg(part + 1), parent), fields_(fields), table_(table), part_(part) {
  setControlName(*this, QStringLiteral("PartFrame"), part);
  partGrid_ = new QGridLayout;
  FieldSet::place(fields_.add(rowNamed(table, "VDD"), part, 0, this), *partGrid_, 0, 0);
  FieldSet::place(fields_.add(rowNamed(table, "DP"), part, 0, this), *partGrid_, 0, 2);
  FieldSet::place(fields_.add(rowNamed(table, "clamphigh"), part, 0, this), *partGrid_, 1, 0);
  FieldSet::place(fields_.add(rowNamed(table, "clamplow"), part, 0, this), *partGrid_, 1, 2);
  FieldSet::place(fields_.add(rowNamed(table, "clockwise"), part, 0, this), *partGrid_, 1, 3);

  auto* lower = new QHBoxLayout;
  lower->addWidget(buildSwitchFrame(table));
  lower->addLayout(buildOutputGrid(table));

  unitGrid_ = new QGridLayout;
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(partGrid_);
  layout->addWidget(buildPointsFrame(table));
  layout->addLayout(lower);
  layout->addLayout(unitGrid_);
  layout->addStretch();
}

QGroupBox* DualPartFrame::buildPointsFrame(const DualFieldTable& table) {
  auto* frame = new QGroupBox(QStringLiteral("Points"), this);
  setControlName(*frame, QStringLiteral("PointsFrame"), part_);
  auto* layout = new QVBoxLayout(frame);
  for (const char* text :
       {"Fill All Angles to make 4 Points Programming!", "Leave Angle D EMPTY to make 3 Points Programming!",
        "Leave Angle C EMPTY to make 2 Points Programming!"})
    layout->addWidget(hint(text, frame));
  pointsGrid_ = new QGridLayout;
  for (int point = 0; point < 4; ++point) {
    FieldSet::place(fields_.add(rowNamed(table, "Angle"), part_, point, frame), *pointsGrid_, point, 0);
    FieldSet::place(fields_.add(rowNamed(table, "Level"), part_, point, frame), *pointsGrid_, point, 3);
  }
  layout->addLayout(pointsGrid_);
  layout->addWidget(hint("Fill below box to make one point + slope Programming!", frame));
  auto* slope = new QGridLayout;
  FieldSet::place(fields_.add(rowNamed(table, "KforA"), part_, 0, frame), *slope, 0, 0);
  slope->addWidget(new QLabel(QStringLiteral("%VDD/deg"), frame), 0, 2);
  slope->setColumnStretch(3, 1);
  layout->addLayout(slope);
  return frame;
}

QGroupBox* DualPartFrame::buildSwitchFrame(const DualFieldTable& table) {
  auto* frame = new QGroupBox(QStringLiteral("SWO Programming"), this);
  setControlName(*frame, QStringLiteral("SwoFrame"), part_);
  switchGrid_ = new QGridLayout(frame);
  FieldSet::place(fields_.add(rowNamed(table, "op"), part_, 0, frame), *switchGrid_, 0, 0);
  FieldSet::place(fields_.add(rowNamed(table, "hys"), part_, 0, frame), *switchGrid_, 1, 0);
  hysup_ = new QPushButton(QStringLiteral("+"), frame);
  hysdown_ = new QPushButton(QStringLiteral("-"), frame);
  namePartControl(*hysup_, QStringLiteral("hysup"), part_, part_, QStringLiteral("HYS +"));
  namePartControl(*hysdown_, QStringLiteral("hysdown"), part_, part_, QStringLiteral("HYS -"));
  connect(hysup_, &QPushButton::clicked, this, [this] { hysup_Click(); });
  connect(hysdown_, &QPushButton::clicked, this, [this] { hysdown_Click(); });
  auto* steps = new QHBoxLayout;
  steps->addWidget(hysup_);
  steps->addWidget(hysdown_);
  switchGrid_->addLayout(steps, 1, 2);
  FieldSet::place(fields_.add(rowNamed(table, "Kpolarity"), part_, 0, frame), *switchGrid_, 2, 0);
  return frame;
}

QGridLayout* DualPartFrame::buildOutputGrid(const DualFieldTable& table) {
  outputGrid_ = new QGridLayout;
  int row = 0;
  for (const std::string_view name : {"OutMode", "PWMFreq", "PWMPolarity"})
    outputGrid_->addWidget(fields_.add(rowNamed(table, name), part_, 0, this).control(), row++, 0, 1, 3);
  FieldSet::place(fields_.add(rowNamed(table, "Rangle"), part_, 0, this), *outputGrid_, 3, 0);
  connect(fields_.at("OutMode", part_).list, &QComboBox::currentIndexChanged, this, [this] { OutMode_Click(); });
  OutMode_Click();
  return outputGrid_;
}

QList<QWidget*> DualPartFrame::inWorkControls() const { return {hysup_, hysdown_}; }

void DualPartFrame::placeGetDp(QWidget* button) { partGrid_->addWidget(button, 0, 4); }

void DualPartFrame::placeSetpoint(int point, QWidget* button) { pointsGrid_->addWidget(button, point, 2); }

void DualPartFrame::placeSetOp(QWidget* button) { switchGrid_->addWidget(button, 0, 2); }

void DualPartFrame::placeReadAngle(QWidget* button) { outputGrid_->addWidget(button, 3, 2); }

void DualPartFrame::placeUnitButtons(const QList<QPushButton*>& buttons) {
  for (int i = 0; i < buttons.size(); ++i)
    unitGrid_->addWidget(buttons[i], i / kUnitButtonsPerRow, i % kUnitButtonsPerRow);
}

void DualPartFrame::OutMode_Click() {
  const bool pwm = fields_.at("OutMode", part_).list->currentIndex() == 1;
  for (const FieldRow& fieldRow : table_)
    if (fieldRow.enable == EnableGroup::PwmOutput) fields_.at(fieldRow.name, part_).control()->setEnabled(pwm);
}

void DualPartFrame::hysup_Click() { stepHysteresis(kHysteresisStep); }

void DualPartFrame::hysdown_Click() { stepHysteresis(-kHysteresisStep); }

void DualPartFrame::stepHysteresis(float step) {
  FieldBox* box = fields_.at("hys", part_).box;
  // An empty box or other text counts as 0; both directions stay within the
  // chip's range, so a loaded 20 steps down to 15.75, not to 19.75.
  const float current = static_cast<float>(parseNumber(box->text().toStdString()).value_or(0.0));
  box->setText(singleText(std::clamp(current + step, 0.0f, kMaxHysteresis)));
}

}  // namespace rx41
