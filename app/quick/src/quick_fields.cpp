#include "rx41/quick/quick_fields.h"

namespace rx41 {

const std::array<FieldRow, 5>& quickFieldTable() {
  // Lines 1 and 2 of the profile are the part index and the direction.
  static const std::array<FieldRow, 5> table{{
      {"clamplow", IndexScheme::None, "Clamp Low (%VDD)", &kQuickClampLowRule, "", ValueSlot::ClampLow, "5.00", 5,
       "Clamp Low is(%):"},
      {"clamphigh", IndexScheme::None, "Clamp High (%VDD)", &kQuickClampHighRule, "", ValueSlot::ClampHigh, "95.00", 4,
       "Clamp High is(%):"},
      {"DP", IndexScheme::None, "DP (deg)", &kQuickDpRule, "", ValueSlot::Dp, "260.00", 3, "DP is(deg):"},
      {"Angle", IndexScheme::Point, "Angle {point} (deg)", &kQuickAngleRule, "Part#{part}: Angle {index} ",
       ValueSlot::Angle, "", 6, "Angle of Point {point} is(deg):"},
      {"Level", IndexScheme::Point, "Level {point} [%VDD]", &kLevelRule, "Part#{part}: Level {index} ",
       ValueSlot::Level, "", 7, "Level of Point {point} is(%):"},
  }};
  return table;
}

const std::array<FieldRow, 5>& quickPairFieldTable() {
  static const std::array<FieldRow, 5> table = [] {
    std::array<FieldRow, 5> rows = quickFieldTable();
    for (FieldRow& row : rows) {
      row.index = row.index == IndexScheme::Point ? IndexScheme::TwoPointsPerPart : IndexScheme::Part;
      if (row.slot == ValueSlot::Angle) row.rule = &kQuickPairAngleRule;
      if (row.slot == ValueSlot::Level) row.rule = &kQuickPairLevelRule;
    }
    return rows;
  }();
  return table;
}

const std::array<FieldRow, 2>& offsetFieldTable() {
  static const std::array<FieldRow, 2> table{{
      {"OffsetDP", IndexScheme::None, "DP offset (deg)", &kOffsetRule, "", ValueSlot::None, "0.00", 0, ""},
      {"OffsetAngleB", IndexScheme::None, "Angle B offset (deg)", &kOffsetRule, "", ValueSlot::None, "0.00", 0, ""},
  }};
  return table;
}

}  // namespace rx41
