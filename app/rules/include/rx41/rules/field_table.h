#pragma once
// The settings form of a window as a table: for each kind of field its
// control (text box, check box or list), its design name and how part and
// point make its control index, its label, its rule, the window value it
// keeps, its design-time text, tick or list items, its line in the profile
// and the group that enables it. Windows list their fields in such a table;
// the field set (field_set.h) builds the controls from it. Plain C++.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "rx41/rules/field_rules.h"

namespace rx41 {

// What a field is operated with.
enum class ControlKind {
  TextBox,   // checked by its rule when the operator leaves it
  CheckBox,  // its label is its caption
  List,      // it shows no label: its label is only what screen readers call it
};

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
  PartInWork,  // the dual windows' settings: part enabled and powered
  PwmOutput,   // the dual windows' PWM lists: the part's output mode is PWM
};

// A check box written to the profile as one of two words and read back ticked
// exactly for the first; without words it is written as 1 or 0 and a line
// that holds no such number is refused.
struct TickWords {
  std::string_view ticked;
  std::string_view unticked;
};

struct FieldRow {
  std::string_view name;  // design name without index
  IndexScheme index;
  // "{point}" stands for the point letter, "{part}" for the part number: "Angle {point} (deg)".
  std::string_view label;
  const FieldRule* rule = nullptr;  // a text box's
  // Put in front of the rule's messages. "{part}" is the part number, "{point}"
  // the point letter, "{index}" the control index: "Part#{part}: Angle {point} ".
  std::string_view messagePrefix = {};
  ValueSlot slot = ValueSlot::None;
  std::string_view initialText = {};
  // The line in the part's block of the profile (point A's; the next points
  // follow every second line), 0 for none, and its label ("{point}" as above).
  int profileLine;
  std::string_view profileLabel;
  EnableGroup enable = EnableGroup::Always;
  ControlKind kind = ControlKind::TextBox;
  std::span<const std::string_view> items = {};   // a list's
  int initialChoice = 0;                          // a list's index, a check box's tick (1) at start
  std::optional<TickWords> words = std::nullopt;  // a check box's in the profile
};

// A check box (caption: its label) or a list row; either starts unticked or
// on its first item.
constexpr FieldRow checkBoxRow(std::string_view name, IndexScheme index, std::string_view caption, int profileLine,
                               std::string_view profileLabel, std::optional<TickWords> words = std::nullopt,
                               EnableGroup enable = EnableGroup::Always) {
  return {.name = name,
          .index = index,
          .label = caption,
          .profileLine = profileLine,
          .profileLabel = profileLabel,
          .enable = enable,
          .kind = ControlKind::CheckBox,
          .words = words};
}
constexpr FieldRow listRow(std::string_view name, IndexScheme index, std::string_view label,
                           std::span<const std::string_view> items, int profileLine, std::string_view profileLabel,
                           EnableGroup enable = EnableGroup::Always) {
  return {.name = name,
          .index = index,
          .label = label,
          .profileLine = profileLine,
          .profileLabel = profileLabel,
          .enable = enable,
          .kind = ControlKind::List,
          .items = items};
}

// Whether the row has a control per point (angles and levels).
constexpr bool perPoint(IndexScheme scheme) {
  return scheme == IndexScheme::Point || scheme == IndexScheme::FourPointsPerPart ||
         scheme == IndexScheme::TwoPointsPerPart;
}

// The row of that name; the table must have it.
const FieldRow& rowNamed(std::span<const FieldRow> table, std::string_view name);

// The pattern with its placeholders filled in.
std::string expandPattern(std::string_view pattern, int part, int point, std::optional<int> index);

}  // namespace rx41
