#pragma once
// The frame of one part in a dual-part window, PartFrame(p): its fields from
// the field table (setting boxes, direction, points, slope, switch output,
// output mode and PWM lists, read angle) with the points' hints and the
// hysteresis steps, laid out with places for the window's buttons.
#include <QGroupBox>
#include <QList>
#include <cstdint>

#include "rx41/dual/dual_fields.h"

class QGridLayout;
class QHBoxLayout;
class QPushButton;

namespace rx41 {

class FieldSet;

class DualPartFrame final : public QGroupBox {
 public:
  DualPartFrame(FieldSet& fields, const DualFieldTable& table, std::int16_t part, QWidget* parent);

  // The controls besides the fields that may be used only while the part is
  // in work.
  QList<QWidget*> inWorkControls() const;

  // Places for the window's buttons.
  void placeGetDp(QWidget* button);
  void placeSetpoint(int point, QWidget* button);
  void placeSetOp(QWidget* button);
  void placeReadAngle(QWidget* button);
  void placeUnitButtons(const QList<QPushButton*>& buttons);

  // The PWM lists (EnableGroup::PwmOutput) can be used only for the PWM output.
  void OutMode_Click();
  // Step the hysteresis text by a quarter degree within 0 .. 15.75.
  void hysup_Click();
  void hysdown_Click();

 private:
  QGroupBox* buildPointsFrame(const DualFieldTable& table);
  QGroupBox* buildSwitchFrame(const DualFieldTable& table);
  QGridLayout* buildOutputGrid(const DualFieldTable& table);
  void stepHysteresis(float step);

  FieldSet& fields_;
  const DualFieldTable& table_;
  const std::int16_t part_;
  QGridLayout* partGrid_;
  QGridLayout* pointsGrid_ = nullptr;
  QGridLayout* switchGrid_ = nullptr;
  QGridLayout* outputGrid_ = nullptr;
  QGridLayout* unitGrid_;
  QPushButton* hysup_ = nullptr;
  QPushButton* hysdown_ = nullptr;
};

// A control that both parts have with the same caption is called by "Part#N "
// and what the operator sees (its accessible name).
void setPartAccessibleName(QWidget& control, std::int16_t part, const QString& seen);
// Its design name with the index, and that accessible name.
void namePartControl(QWidget& control, const QString& name, int index, std::int16_t part, const QString& seen);

}  // namespace rx41
