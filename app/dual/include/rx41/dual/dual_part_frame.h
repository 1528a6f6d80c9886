#pragma once
// The frame of one part in a dual-part window, PartFrame(p): its setting
// boxes from the field table, the direction, the points with their hints, the
// slope, the switch output, the output mode and PWM lists, and the read
// angle, laid out with places for the window's buttons.
#include <QGroupBox>
#include <QList>
#include <cstdint>

#include "rx41/dual/dual_fields.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QPushButton;

namespace rx41 {

class FieldSet;

// The output settings as list indices, passed to the device as they stand.
struct OutputMode {
  int outMode = 0;  // 0 Analog, 1 PWM
  int pwmFreq = 0;  // 0 = 1000 Hz .. 3 = 125 Hz
  int pwmPolarity = 0;
};

class DualPartFrame final : public QGroupBox {
 public:
  DualPartFrame(FieldSet& fields, const DualFieldTable& table, std::int16_t part, QWidget* parent);

  QCheckBox& clockwiseBox() const { return *clockwise_; }
  QCheckBox& polarityBox() const { return *Kpolarity_; }
  QComboBox& outModeList() const { return *OutMode_; }
  QComboBox& pwmFreqList() const { return *PWMFreq_; }
  QComboBox& pwmPolarityList() const { return *PWMPolarity_; }
  OutputMode outputMode() const;

  // The controls besides the setting boxes that may be used only while the
  // part is in work.
  QList<QWidget*> inWorkControls() const;

  // Places for the window's buttons.
  void placeGetDp(QWidget* button);
  void placeSetpoint(int point, QWidget* button);
  void placeSetOp(QWidget* button);
  void placeReadAngle(QWidget* button);
  void placeUnitButtons(const QList<QPushButton*>& buttons);

  // The PWM lists can be used only for the PWM output.
  void OutMode_Click();
  // Step the hysteresis text by a quarter degree within 0 .. 15.75.
  void hysup_Click();
  void hysdown_Click();

 private:
  QGroupBox* buildPointsFrame(const DualFieldTable& table);
  QGroupBox* buildSwitchFrame(const DualFieldTable& table);
  QGridLayout* buildOutputGrid(const DualFieldTable& table);
  QComboBox* addList(const QString& name, const QString& description, const QStringList& items);
  void stepHysteresis(float step);

  FieldSet& fields_;
  const std::int16_t part_;
  QGridLayout* partGrid_;
  QGridLayout* pointsGrid_ = nullptr;
  QGridLayout* switchGrid_ = nullptr;
  QGridLayout* outputGrid_ = nullptr;
  QGridLayout* unitGrid_;
  QCheckBox* clockwise_ = nullptr;
  QCheckBox* Kpolarity_ = nullptr;
  QPushButton* hysup_ = nullptr;
  QPushButton* hysdown_ = nullptr;
  QComboBox* OutMode_ = nullptr;
  QComboBox* PWMFreq_ = nullptr;
  QComboBox* PWMPolarity_ = nullptr;
};

// A control that both parts have with the same caption is called by "Part#N "
// and what the operator sees (its accessible name).
void setPartAccessibleName(QWidget& control, std::int16_t part, const QString& seen);
// Its design name with the index, and that accessible name.
void namePartControl(QWidget& control, const QString& name, int index, std::int16_t part, const QString& seen);

}  // namespace rx41
