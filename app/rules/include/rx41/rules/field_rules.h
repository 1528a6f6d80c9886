#pragma once
// What leaving a settings field does to its text: the rules of every kind of
// field of the working windows, as data. A rule says which texts are
// replaced (not a number, below or above the range) by which text and value,
// which of them the operator is told about (a message of the input string
// table), how a kept number is shown, and how the hysteresis snaps to quarter
// degrees. Plain C++ (UTF-8 texts), so the rules are tested without a window.
#include <optional>
#include <string>
#include <string_view>

#include "rx41/rules/message_sink.h"

namespace rx41 {

// The value of an empty angle, slope, operate point or hysteresis, and of an
// empty text given to TextToSingle.
inline constexpr float kEmptyValue = 500.0f;

// The largest switch hysteresis the chip holds, in degrees.
inline constexpr float kMaxHysteresis = 15.75f;

// "" gives kEmptyValue and a number its single-precision value; any other
// text is reported ("Wrong Float Data Input Detected : ...") and gives none.
std::optional<float> TextToSingle(std::string_view text, const MessageSink& messages);

// The input messages of the windows' string table. The dual window's field
// messages (101 to 107) start with ": " and its prefix ends in one, so the
// operator sees the separator twice.
enum class MessageId {
  None = 0,
  DpInvalid = 101,
  DpBelowZero = 102,
  DpTooLarge = 103,
  ClampLowInvalid = 104,
  ClampHighInvalid = 107,
  InputInvalid = 110,
  InputBelowZero = 111,
  InputTooLarge = 112,
  ClampOrder = 114,
};

// The text of a message id; empty for None.
const std::string& messageText(MessageId id);

// What a refused text becomes, and whether the operator is told.
struct Replacement {
  std::string_view text;
  float value;
  MessageId message = MessageId::None;
};

// One end of the range.
struct Limit {
  double bound;
  bool boundIsOutside;  // the bound itself is replaced ("<= 0", ">= 360"), not kept
  Replacement replacement;
};

enum class InRangeValue {
  AsTyped,       // the number as typed; only the text is reformatted
  QuarterSteps,  // snapped to a multiple of 0.25, ties up (the hysteresis)
};

struct FieldRule {
  std::optional<Replacement> notANumber;  // none: the text stays as it is (VDD, read angle)
  bool reportsEmptyText = false;          // an empty text is told about as well
  std::optional<Limit> below;             // none with above: no range check (slope, VDD)
  std::optional<Limit> above;
  int decimals = 2;
  InRangeValue inRange = InRangeValue::AsTyped;
};

struct FieldOutcome {
  std::string text;
  std::optional<float> value;  // none when the rule keeps no number (a kept non-number)
  MessageId message = MessageId::None;
};

FieldOutcome applyFieldRule(const FieldRule& rule, std::string_view text);

// w + 0, 0.25, 0.5, 0.75 or 1 for the fraction f of the value above its whole
// part w: below 0.125, 0.375, 0.625, 0.875, or from 0.875 on.
float quarterSteps(float value);

// The rule with every message removed: the quick pair windows empty and
// clamp their entries without a word.
constexpr FieldRule silent(FieldRule rule) {
  if (rule.notANumber) rule.notANumber->message = MessageId::None;
  if (rule.below) rule.below->replacement.message = MessageId::None;
  if (rule.above) rule.above->replacement.message = MessageId::None;
  return rule;
}

namespace rule_parts {

inline constexpr double kFullCircle = 360.0;
inline constexpr double kFullScale = 100.0;

constexpr Limit belowZero(std::string_view text, MessageId message = MessageId::None) {
  return {0.0, false, {text, 0.0f, message}};
}
constexpr Limit fromFullCircle(MessageId message = MessageId::None) {
  return {kFullCircle, true, {"359.99", 359.99f, message}};
}
constexpr Limit aboveFullScale(std::string_view text) { return {kFullScale, false, {text, 100.0f}}; }
constexpr Replacement emptied(float value, MessageId message) { return {"", value, message}; }

}  // namespace rule_parts

// The rules of the Parts, by window family (constant data, usable from any
// static initialiser). The dual-part windows tell the operator about every
// refusal of DP and angles; the quick windows only about refused angle and
// level texts.
inline constexpr FieldRule kDualDpRule{
    Replacement{"260.00", 260.0f, MessageId::DpInvalid}, true, rule_parts::belowZero("0", MessageId::DpBelowZero),
    Limit{rule_parts::kFullCircle, true, {"359.99", 359.99f, MessageId::DpTooLarge}}};
inline constexpr FieldRule kDualClampHighRule{Replacement{"95.00", 95.0f, MessageId::ClampHighInvalid}, true,
                                              rule_parts::belowZero("0"), rule_parts::aboveFullScale("100.00")};
inline constexpr FieldRule kDualClampLowRule{Replacement{"5.00", 5.0f, MessageId::ClampLowInvalid}, true,
                                             rule_parts::belowZero("0"), rule_parts::aboveFullScale("100")};
// The single-source twin: 0.01 at the bottom of clamp high, 99.99 at the top of clamp low.
inline constexpr FieldRule kTwinClampHighRule{Replacement{"95.00", 95.0f, MessageId::ClampHighInvalid}, true,
                                              Limit{0.0, true, {"0.01", 0.01f}}, rule_parts::aboveFullScale("100.00")};
inline constexpr FieldRule kTwinClampLowRule{Replacement{"5.00", 5.0f, MessageId::ClampLowInvalid}, true,
                                             rule_parts::belowZero("0"),
                                             Limit{rule_parts::kFullScale, true, {"99.99", 99.99f}}};
// Also the operate point.
inline constexpr FieldRule kDualAngleRule{rule_parts::emptied(kEmptyValue, MessageId::InputInvalid), false,
                                          rule_parts::belowZero("0", MessageId::InputBelowZero),
                                          rule_parts::fromFullCircle(MessageId::InputTooLarge)};
// Every window's levels.
inline constexpr FieldRule kLevelRule{rule_parts::emptied(0.0f, MessageId::InputInvalid), false,
                                      Limit{0.0, true, {"0.00", 0.0f}}, rule_parts::aboveFullScale("100.00")};
inline constexpr FieldRule kSlopeRule{rule_parts::emptied(kEmptyValue, MessageId::InputInvalid), false, std::nullopt,
                                      std::nullopt, 4};
inline constexpr FieldRule kHysteresisRule{rule_parts::emptied(kEmptyValue, MessageId::InputInvalid),
                                           false,
                                           rule_parts::belowZero("0", MessageId::InputBelowZero),
                                           Limit{kMaxHysteresis, false, {"15.75", kMaxHysteresis}},
                                           2,
                                           InRangeValue::QuarterSteps};
inline constexpr FieldRule kVddRule{std::nullopt, false, std::nullopt, std::nullopt, 3};
inline constexpr FieldRule kReadAngleRule{std::nullopt, false, std::nullopt, std::nullopt, 2};
inline constexpr FieldRule kQuickDpRule{Replacement{"260.00", 260.0f}, false, rule_parts::belowZero("0"),
                                        rule_parts::fromFullCircle()};
inline constexpr FieldRule kQuickClampHighRule{Replacement{"95.00", 95.0f}, false, rule_parts::belowZero("0"),
                                               rule_parts::aboveFullScale("100.00")};
inline constexpr FieldRule kQuickClampLowRule{Replacement{"5.00", 5.0f}, false, rule_parts::belowZero("0"),
                                              rule_parts::aboveFullScale("100")};
inline constexpr FieldRule kQuickAngleRule{rule_parts::emptied(kEmptyValue, MessageId::InputInvalid), false,
                                           rule_parts::belowZero("0"), rule_parts::fromFullCircle()};
// The quick pair windows' angles and levels.
inline constexpr FieldRule kQuickPairAngleRule = silent(kQuickAngleRule);
inline constexpr FieldRule kQuickPairLevelRule = silent(kLevelRule);
// The 1-point window's offsets.
inline constexpr FieldRule kOffsetRule{Replacement{"0.00", 0.0f}, false, rule_parts::belowZero("0.00"),
                                       rule_parts::fromFullCircle()};

}  // namespace rx41
