#include "rx41/rules/field_rules.h"

#include <cmath>
#include <map>

#include "rx41/rules/number_entry.h"

namespace rx41 {

const std::string& messageText(MessageId id) {
  static const std::map<MessageId, std::string> table{
      {MessageId::None, ""},
      {MessageId::DpInvalid, ": DP Input is Invalid! Restoring to default\u2026 Please try again!"},
      {MessageId::DpBelowZero, ": DP Input cannot be less than 0! Using 0 instead!"},
      {MessageId::DpTooLarge, ": DP Input cannot be more than or equal to 360! Using 359.99 instead!"},
      {MessageId::ClampLowInvalid, ": Clamp Low Input is Invalid! Restoring to default\u2026 Please try again!"},
      {MessageId::ClampHighInvalid, ": Clamp High Input is Invalid! Restoring to default\u2026 Please try again!"},
      {MessageId::InputInvalid, "Input is Invalid! Restoring to default\u2026 Please try again!"},
      {MessageId::InputBelowZero, "Input cannot be less than 0! Using 0 instead!"},
      {MessageId::InputTooLarge, "Input cannot be more than or equal to 360! Using 359.99 instead!"},
      {MessageId::ClampOrder,
       "Please noted: Clamp HIGH Setting is not greater than Clamp LOW Setting! Stopping... Please try again!"},
  };
  return table.at(id);
}

std::optional<float> TextToSingle(std::string_view text, const MessageSink& messages) {
  if (text.empty()) return kEmptyValue;
  if (const auto value = parseNumber(text)) return static_cast<float>(*value);
  if (messages) messages("Wrong Float Data Input Detected : " + std::string(text) + " !!!");
  return std::nullopt;
}

namespace {

bool beyond(const Limit& limit, double value, bool below) {
  if (value == limit.bound) return limit.boundIsOutside;
  return below ? value < limit.bound : value > limit.bound;
}

FieldOutcome replacedBy(const Replacement& replacement) {
  return {std::string(replacement.text), replacement.value, replacement.message};
}

}  // namespace

FieldOutcome applyFieldRule(const FieldRule& rule, std::string_view text) {
  const std::optional<double> number = parseNumber(text);
  if (!number) {
    if (!rule.notANumber) return {std::string(text), std::nullopt, MessageId::None};
    FieldOutcome outcome = replacedBy(*rule.notANumber);
    if (text.empty() && !rule.reportsEmptyText) outcome.message = MessageId::None;
    return outcome;
  }
  // The field keeps a single: its range is judged on what it will hold, so
  // "359.99999" (360 in single precision) is refused like 360.
  const auto single = static_cast<float>(*number);
  const auto compared = static_cast<double>(single);
  if (rule.below && beyond(*rule.below, compared, true)) return replacedBy(rule.below->replacement);
  if (rule.above && beyond(*rule.above, compared, false)) return replacedBy(rule.above->replacement);
  const float value = rule.inRange == InRangeValue::QuarterSteps ? quarterSteps(single) : single;
  const double shown = rule.inRange == InRangeValue::QuarterSteps ? static_cast<double>(value) : *number;
  return {fixedText(shown, rule.decimals), value, MessageId::None};
}

float quarterSteps(float value) {
  const float whole = std::floor(value);
  const float fraction = value - whole;
  float quarter = 1.0f;
  if (fraction < 0.125f)
    quarter = 0.0f;
  else if (fraction < 0.375f)
    quarter = 0.25f;
  else if (fraction < 0.625f)
    quarter = 0.5f;
  else if (fraction < 0.875f)
    quarter = 0.75f;
  return whole + quarter;
}

}  // namespace rx41
