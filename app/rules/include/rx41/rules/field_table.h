#pragma once
// The settings fields of a window as a table: for each kind of field its
// design name and how part and point make its control index, its label, its
// rule, the window value it keeps, its design-time text, its line in the
// profile and the group that enables it. Windows list their fields in such a
// table; the field set (field_set.h) builds the text boxes from it. Plain C++.
#include <optional>
#include <string>
#include <string_view>

#include "rx41/rules/field_rules.h"

namespace rx41 {

// How a control array is indexed; p is the part (0, 1), k the point (0 = A).
enum class IndexScheme {
  None,               // one control, no index: "DP"
  Part,               // "DP(p)"
  Point,              // "Angle(k)"
  FourPointsPerPart,  // "Angle(4p + k)": the dual-part windows
  TwoPointsPerPart,   // "Angle(2p + k)": the quick dual window
};

// The control index, or none for IndexScheme::None.
std::optional<int> controlIndex(IndexScheme scheme, int part, int point);
// "DP", "clamphigh(1)", "Angle(6)".
std::string designName(std::string_view name, IndexScheme scheme, int part, int point);

// The numbers one part's fields keep beside their texts.
enum class ValueSlot { None, Dp, ClampHigh, ClampLow, Angle, Level, Slope, Op, Hys };

struct FieldValues {
  float DpValue = 260.0f;
  float ClampHighValue = 95.0f;
  float ClampLowValue = 5.0f;
  float AngleValue[4] = {kEmptyValue, kEmptyValue, kEmptyValue, kEmptyValue};
  float LevelValue[4] = {};
  float SlopeValue = kEmptyValue;
  float OpValue = 0.0f;
  float HysValue = 0.0f;
};

// The value a slot names (point k for angles and levels); null for None.
float* slotValue(FieldValues& values, ValueSlot slot, int point);

// When a field may be used.
enum class EnableGroup {
  Always,      // the quick windows' fields
  PartInWork,  // the dual windows' setting boxes: part enabled and powered
};

struct FieldRow {
  std::string_view name;  // design name without index
  IndexScheme index;
  std::string_view label;  // "{point}" stands for the point letter: "Angle {point} (deg)"
  const FieldRule* rule;
  // Put in front of the rule's messages. "{part}" is the part number, "{point}"
  // the point letter, "{index}" the control index: "Part#{part}: Angle {point} ".
  std::string_view messagePrefix;
  ValueSlot slot;
  std::string_view initialText;
  // The line in the part's block of the profile (point A's; the next points
  // follow every second line), 0 for none, and its label ("{point}" as above).
  int profileLine;
  std::string_view profileLabel;
  EnableGroup enable = EnableGroup::Always;
};

// The pattern with its placeholders filled in.
std::string expandPattern(std::string_view pattern, int part, int point, std::optional<int> index);

}  // namespace rx41
