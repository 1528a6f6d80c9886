#pragma once
// The settings fields of one part in the single-part quick windows: the part
// configuration frame (clamps, DP, direction) and the two points frame (angle
// and level of A and B), built from the quick field table and laid out in
// their frames.
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "rx41/field_set.h"
#include "rx41/quick/two_point_rules.h"

class QCheckBox;
class QGridLayout;

namespace rx41 {

class OperatorInterface;

class PartSettingsPanel final : public QWidget, public TwoPointSettings {
 public:
  // selectedPart gives the part the validation messages name.
  PartSettingsPanel(OperatorInterface& operatorInterface, std::function<std::int16_t()> selectedPart,
                    QWidget* parent = nullptr);

  FieldSet& fields() { return fields_; }
  QCheckBox& clockwiseBox() const { return *clockwise_; }

  // The checks the window runs when it loads, and after a profile was loaded.
  void validateAtLoad();
  void validateLoadedTexts();

  // A taught angle: the field shows it and is checked.
  void teachAngle(int point, float angle);
  // DP opposite the angle: 180 degrees on, wrapped into 0..360.
  void setDpOpposite(float angle);
  // Point B and the DP placed from point A: both shown and checked, then the
  // DP value taken from its text.
  void placePointBAndDp(float angleB, float dp);

  // The one part's settings, whichever part the window programs.
  const FieldValues& values(std::int16_t part) const override;
  bool levelGiven(std::int16_t part, int point) const override;
  bool clockwise(std::int16_t part) const override;
  void emptyLevel(std::int16_t part, int point) override;

  // The frames, for the window's buttons that belong with them.
  QGridLayout* partFrameLayout() const { return partLayout_; }
  QGridLayout* pointsFrameLayout() const { return pointsLayout_; }

 private:
  void validate(std::string_view name, int point = 0);

  OperatorInterface& operator_;
  FieldSet fields_;
  QGridLayout* partLayout_;
  QGridLayout* pointsLayout_;
  QCheckBox* clockwise_;
};

}  // namespace rx41
