#include "rx41/quick/quick_fields.h"

#include <string_view>

namespace rx41 {
namespace {

constexpr std::string_view kParts[] = {"Part#1", "Part#2"};

}  // namespace

const QuickFieldTable& quickFieldTable() {
  // Line 1 of the profile is the part index.
  static const QuickFieldTable table{{
      {"clamplow", IndexScheme::None, "Clamp Low (%VDD)", &kQuickClampLowRule, "", ValueSlot::ClampLow, "5.00", 5,
       "Clamp Low is(%):"},
      {"clamphigh", IndexScheme::None, "Clamp High (%VDD)", &kQuickClampHighRule, "", ValueSlot::ClampHigh, "95.00", 4,
       "Clamp High is(%):"},
      {"DP", IndexScheme::None, "DP (deg)", &kQuickDpRule, "", ValueSlot::Dp, "260.00", 3, "DP is(deg):"},
      checkBoxRow("clockwise", IndexScheme::None, "clockwise", 2, "Direction is:"),
      {"Angle", IndexScheme::Point, "Angle {point} (deg)", &kQuickAngleRule, "Part#{part}: Angle {index} ",
       ValueSlot::Angle, "", 6, "Angle of Point {point} is(deg):"},
      {"Level", IndexScheme::Point, "Level {point} [%VDD]", &kLevelRule, "Part#{part}: Level {index} ",
       ValueSlot::Level, "", 7, "Level of Point {point} is(%):"},
  }};
  return table;
}

const QuickFieldTable& quickPairFieldTable() {
  static const QuickFieldTable table = [] {
    QuickFieldTable rows = quickFieldTable();
    for (FieldRow& row : rows) {
      row.index = row.index == IndexScheme::Point ? IndexScheme::TwoPointsPerPart : IndexScheme::Part;
      if (row.slot == ValueSlot::Angle) row.rule = &kQuickPairAngleRule;
      if (row.slot == ValueSlot::Level) row.rule = &kQuickPairLevelRule;
      if (row.kind == ControlKind::CheckBox) row.label = "CW (Part#{part})";
    }
    return rows;
  }();
  return table;
}

const FieldRow& partSelectionRow() {
  static const FieldRow row = listRow("PartSel", IndexScheme::None, "", kParts, 1, "Part #Index:");
  return row;
}

const std::array<FieldRow, 2>& offsetFieldTable() {
  static const std::array<FieldRow, 2> table{{
      {"OffsetDP", IndexScheme::None, "DP offset (deg)", &kOffsetRule, "", ValueSlot::None, "0.00", 0, ""},
      {"OffsetAngleB", IndexScheme::None, "Angle B offset (deg)", &kOffsetRule, "", ValueSlot::None, "0.00", 0, ""},
  }};
  return table;
}

}  // namespace rx41
