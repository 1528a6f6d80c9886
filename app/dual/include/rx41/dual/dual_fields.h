#pragma once
// The settings form of a dual-part window, per part: VDD, DP, the clamps, the
// direction, angle and level of points A to D, slope, operating point,
// hysteresis, switch polarity, the output mode and PWM lists and the read
// angle, with their rules, messages, profile lines and enabling. Plain C++.
#include <array>

#include "rx41/rules/field_table.h"

namespace rx41 {

using DualFieldTable = std::array<FieldRow, 15>;

// Points A to D of a part.
inline constexpr int kDualPoints = 4;

// The table with the window's rules for the two clamps.
DualFieldTable dualFieldTable(const FieldRule& clampHigh, const FieldRule& clampLow);

}  // namespace rx41
