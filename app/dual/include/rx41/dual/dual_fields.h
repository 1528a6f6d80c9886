#pragma once
// The settings fields of a dual-part window, per part: VDD, DP, the clamps,
// angle and level of points A to D, slope, operating point, hysteresis and
// the read angle, with their rules, messages and profile lines. Plain C++.
#include <array>

#include "rx41/rules/field_table.h"

namespace rx41 {

using DualFieldTable = std::array<FieldRow, 10>;

// The table with the window's rules for the two clamps.
DualFieldTable dualFieldTable(const FieldRule& clampHigh, const FieldRule& clampLow);

}  // namespace rx41
