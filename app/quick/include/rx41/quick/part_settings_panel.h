#pragma once
// The settings fields of one part in the single-part quick windows: the part
// configuration (clamps, DP, direction) and the two points (angle and level of
// A and B), each validated when the operator leaves it, with the validated
// values kept alongside the texts.
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "rx41/quick/two_point_rules.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;

namespace rx41 {

class FieldBox;
class OperatorInterface;

class PartSettingsPanel final : public QWidget {
 public:
  // selectedPart gives the part the validation messages name.
  PartSettingsPanel(OperatorInterface& operatorInterface, std::function<std::int16_t()> selectedPart,
                    QWidget* parent = nullptr);

  const PartSettings& values() const { return values_; }

  // Validations, as when the operator leaves the field.
  void DP_LostFocus();
  void clamphigh_LostFocus();
  void clamplow_LostFocus();
  void Angle_LostFocus(int index);
  void Level_LostFocus(int index);
  // The validations after a profile was loaded, in their order.
  void validateLoadedTexts();

  // A taught angle: the field shows it and is validated.
  void teachAngle(int index, float angle);
  // DP opposite the angle: 180 degrees on, wrapped into 0..360.
  void setDpOpposite(float angle);

  bool clockwise() const;
  void setClockwise(bool ticked);
  bool levelGiven(int index) const;
  void emptyLevel(int index);

  // The texts of the fields, as the operator sees them.
  enum class Field { DP, ClampHigh, ClampLow, AngleA, LevelA, AngleB, LevelB };
  QString text(Field field) const;
  void setText(Field field, const QString& text);

  // The frames, for the window's buttons that belong with them.
  QGridLayout* partFrameLayout() const { return partLayout_; }
  QGridLayout* pointsFrameLayout() const { return pointsLayout_; }

 private:
  QLineEdit* box(Field field) const;
  FieldBox* addField(QGridLayout* layout, int row, int column, const QString& label, FieldBox* field);
  void validate(QLineEdit* field, const FieldRule& rule, float& value);
  // Angles and levels also tell the operator when they refuse an entry.
  void validatePoint(QLineEdit* field, const FieldRule& rule, float& value, const QString& kind, int index);

  OperatorInterface& operator_;
  std::function<std::int16_t()> selectedPart_;
  PartSettings values_;
  QGridLayout* partLayout_;
  QGridLayout* pointsLayout_;
  FieldBox* clamplow_;
  FieldBox* clamphigh_;
  FieldBox* DP_;
  QCheckBox* clockwise_;
  FieldBox* Angle_[2];
  FieldBox* Level_[2];
};

}  // namespace rx41
