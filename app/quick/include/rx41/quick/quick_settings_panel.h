#pragma once
// The settings fields of a quick window and what the teach cycle does with
// them, whichever parts the window has fields for: the single-part windows
// keep one set for whichever part they program, the pair window one set per
// part. Subclasses build the fields from their table and lay them out.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string_view>

#include "rx41/core/field_set.h"
#include "rx41/quick/two_point_rules.h"
#include "rx41/rules/part_set.h"

class QCheckBox;

namespace rx41 {

class OperatorInterface;

class QuickSettingsPanel : public QWidget, public TwoPointSettings {
 public:
  FieldSet& fields() { return fields_; }
  // The direction box of the part's settings.
  QCheckBox& clockwiseBox(std::int16_t part = 0) const;

  // The checks the window runs when it loads (clamps and DP), and after a
  // profile was loaded (then the points as well); each kind for every part.
  void validateAtLoad();
  void validateLoadedTexts();

  // A taught angle: the field shows it and is checked.
  void teachAngle(std::int16_t part, int point, float angle);
  // DP opposite the angle: 180 degrees on, wrapped into 0..360.
  void setDpOpposite(std::int16_t part, float angle);
  // Point B and the DP placed from point A: both shown and checked, then the
  // DP value taken from its text.
  void placePointBAndDp(std::int16_t part, float angleB, float dp);

  const FieldValues& values(std::int16_t part) const override;
  bool levelGiven(std::int16_t part, int point) const override;
  bool clockwise(std::int16_t part) const override;
  void emptyLevel(std::int16_t part, int point) override;

 protected:
  // fieldParts: the parts with fields of their own; any other part uses the
  // set's first. partOfMessages as for FieldSet.
  QuickSettingsPanel(OperatorInterface& operatorInterface, PartSet fieldParts,
                     std::function<std::int16_t()> partOfMessages, QWidget* parent);

 private:
  std::int16_t fieldPart(std::int16_t part) const { return fieldParts_.contains(part) ? part : fieldParts_.first(); }
  FieldBox& box(std::string_view name, std::int16_t part, int point = 0) const;
  void validate(std::string_view name, std::int16_t part, int point = 0);
  void validateEachPart(std::string_view name, int points);

  OperatorInterface& operator_;
  PartSet fieldParts_;
  FieldSet fields_;
};

}  // namespace rx41
