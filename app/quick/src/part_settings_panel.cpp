#include "rx41/quick/part_settings_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "rx41/control_names.h"
#include "rx41/operator_interface.h"
#include "rx41/quick/field_box.h"

namespace rx41 {

PartSettingsPanel::PartSettingsPanel(OperatorInterface& operatorInterface, std::function<std::int16_t()> selectedPart,
                                     QWidget* parent)
    : QWidget(parent), operator_(operatorInterface), selectedPart_(std::move(selectedPart)) {
  auto* partFrame = named(new QGroupBox(QStringLiteral("Part Configuration"), this), "PartFrame", 0);
  partLayout_ = new QGridLayout(partFrame);
  clamplow_ = addField(partLayout_, 0, 0, QStringLiteral("Clamp Low (%VDD)"),
                       new FieldBox(QStringLiteral("5.00"), partFrame, [this] { clamplow_LostFocus(); }));
  setControlName(*clamplow_, QStringLiteral("clamplow"));
  clamphigh_ = addField(partLayout_, 1, 0, QStringLiteral("Clamp High (%VDD)"),
                        new FieldBox(QStringLiteral("95.00"), partFrame, [this] { clamphigh_LostFocus(); }));
  setControlName(*clamphigh_, QStringLiteral("clamphigh"));
  DP_ = addField(partLayout_, 2, 0, QStringLiteral("DP (deg)"),
                 new FieldBox(QStringLiteral("260.00"), partFrame, [this] { DP_LostFocus(); }));
  setControlName(*DP_, QStringLiteral("DP"));
  clockwise_ = named(new QCheckBox(QStringLiteral("clockwise"), partFrame), QStringLiteral("clockwise"));
  partLayout_->addWidget(clockwise_, 3, 1);

  auto* pointsFrame = named(new QGroupBox(QStringLiteral("2 Points"), this), QStringLiteral("Frame2"));
  pointsLayout_ = new QGridLayout(pointsFrame);
  const QString point[2] = {QStringLiteral("A"), QStringLiteral("B")};
  for (int i = 0; i < 2; ++i) {
    Angle_[i] = addField(pointsLayout_, 0, 2 * i, QStringLiteral("Angle %1 (deg)").arg(point[i]),
                         new FieldBox(QString(), pointsFrame, [this, i] { Angle_LostFocus(i); }));
    setControlName(*Angle_[i], QStringLiteral("Angle"), i);
    Level_[i] = addField(pointsLayout_, 1, 2 * i, QStringLiteral("Level %1 [%VDD]").arg(point[i]),
                         new FieldBox(QString(), pointsFrame, [this, i] { Level_LostFocus(i); }));
    setControlName(*Level_[i], QStringLiteral("Level"), i);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(partFrame);
  layout->addWidget(pointsFrame);
}

FieldBox* PartSettingsPanel::addField(QGridLayout* layout, int row, int column, const QString& label, FieldBox* field) {
  auto* caption = new QLabel(label, field->parentWidget());
  caption->setBuddy(field);
  layout->addWidget(caption, row, column);
  layout->addWidget(field, row, column + 1);
  return field;
}

void PartSettingsPanel::validate(QLineEdit* field, const FieldRule& rule, float& value) {
  const FieldOutcome outcome = applyFieldRule(rule, field->text());
  field->setText(outcome.text);
  value = outcome.value;
}

void PartSettingsPanel::validatePoint(QLineEdit* field, const FieldRule& rule, float& value, const QString& kind,
                                      int index) {
  const FieldOutcome outcome = applyFieldRule(rule, field->text());
  if (outcome.reportNotANumber)
    operator_.message(
        QStringLiteral("Part#%1: %2 %3 %4").arg(selectedPart_() + 1).arg(kind).arg(index).arg(kInvalidInputText),
        window());
  field->setText(outcome.text);
  value = outcome.value;
}

void PartSettingsPanel::DP_LostFocus() { validate(DP_, kDpRule, values_.DpValue); }

void PartSettingsPanel::clamphigh_LostFocus() { validate(clamphigh_, kClampHighRule, values_.ClampHighValue); }

void PartSettingsPanel::clamplow_LostFocus() { validate(clamplow_, kClampLowRule, values_.ClampLowValue); }

void PartSettingsPanel::Angle_LostFocus(int index) {
  validatePoint(Angle_[index], kAngleRule, values_.AngleValue[index], QStringLiteral("Angle"), index);
}

void PartSettingsPanel::Level_LostFocus(int index) {
  validatePoint(Level_[index], kLevelRule, values_.LevelValue[index], QStringLiteral("Level"), index);
}

void PartSettingsPanel::validateLoadedTexts() {
  clamplow_LostFocus();
  clamphigh_LostFocus();
  DP_LostFocus();
  Angle_LostFocus(0);
  Angle_LostFocus(1);
  Level_LostFocus(0);
  Level_LostFocus(1);
}

void PartSettingsPanel::teachAngle(int index, float angle) {
  Angle_[index]->setText(twoDecimals(angle));
  Angle_LostFocus(index);
}

void PartSettingsPanel::setDpOpposite(float angle) {
  const float dp = angle < 180.0f ? angle + 180.0f : angle - 180.0f;
  DP_->setText(twoDecimals(dp));
  values_.DpValue = TextToSingle(DP_->text(), operator_, window());
}

bool PartSettingsPanel::clockwise() const { return clockwise_->isChecked(); }

void PartSettingsPanel::setClockwise(bool ticked) { clockwise_->setChecked(ticked); }

bool PartSettingsPanel::levelGiven(int index) const { return !Level_[index]->text().isEmpty(); }

void PartSettingsPanel::emptyLevel(int index) {
  Level_[index]->clear();
  Level_LostFocus(index);
}

QLineEdit* PartSettingsPanel::box(Field field) const {
  switch (field) {
    case Field::DP: return DP_;
    case Field::ClampHigh: return clamphigh_;
    case Field::ClampLow: return clamplow_;
    case Field::AngleA: return Angle_[0];
    case Field::LevelA: return Level_[0];
    case Field::AngleB: return Angle_[1];
    case Field::LevelB: return Level_[1];
  }
  return DP_;
}

QString PartSettingsPanel::text(Field field) const { return box(field)->text(); }

void PartSettingsPanel::setText(Field field, const QString& text) { box(field)->setText(text); }

}  // namespace rx41
