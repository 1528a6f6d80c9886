#include "rx41/rules/field_table.h"

#include <algorithm>
#include <cstdlib>

namespace rx41 {

std::optional<int> controlIndex(IndexScheme scheme, int part, int point) {
  switch (scheme) {
    case IndexScheme::None: return std::nullopt;
    case IndexScheme::Part: return part;
    case IndexScheme::Point: return point;
    case IndexScheme::FourPointsPerPart: return 4 * part + point;
    case IndexScheme::TwoPointsPerPart: return 2 * part + point;
  }
  return std::nullopt;
}

std::string designName(std::string_view name, IndexScheme scheme, int part, int point) {
  std::string text(name);
  if (const auto index = controlIndex(scheme, part, point)) text += "(" + std::to_string(*index) + ")";
  return text;
}

float* slotValue(FieldValues& values, ValueSlot slot, int point) {
  switch (slot) {
    case ValueSlot::None: return nullptr;
    case ValueSlot::Dp: return &values.DpValue;
    case ValueSlot::ClampHigh: return &values.ClampHighValue;
    case ValueSlot::ClampLow: return &values.ClampLowValue;
    case ValueSlot::Angle: return &values.AngleValue[point];
    case ValueSlot::Level: return &values.LevelValue[point];
    case ValueSlot::Slope: return &values.SlopeValue;
    case ValueSlot::Op: return &values.OpValue;
    case ValueSlot::Hys: return &values.HysValue;
  }
  return nullptr;
}

const FieldRow& rowNamed(std::span<const FieldRow> table, std::string_view name) {
  const auto row = std::find_if(table.begin(), table.end(), [&](const FieldRow& each) { return each.name == name; });
  if (row == table.end()) std::abort();
  return *row;
}

std::string expandPattern(std::string_view pattern, int part, int point, std::optional<int> index) {
  std::string text;
  while (!pattern.empty()) {
    const auto replace = [&](std::string_view placeholder, const std::string& value) {
      if (!pattern.starts_with(placeholder)) return false;
      text += value;
      pattern.remove_prefix(placeholder.size());
      return true;
    };
    if (replace("{part}", std::to_string(part + 1)) ||
        replace("{point}", std::string(1, static_cast<char>('A' + point))) ||
        replace("{index}", index ? std::to_string(*index) : std::string()))
      continue;
    text += pattern.front();
    pattern.remove_prefix(1);
  }
  return text;
}

}  // namespace rx41
