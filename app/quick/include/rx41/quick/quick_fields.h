#pragma once
// The settings fields of the quick windows: the part configuration and points
// A and B with their rules and profile lines, for the single-part windows
// ("/2", "/4", "/6") and, one set per part, for the pair window ("/3", "/5");
// and the offsets of the 1-point window ("/6").
#include <array>

#include "rx41/rules/field_table.h"

namespace rx41 {

// clamplow, clamphigh, DP, then Angle and Level (one field per point).
const std::array<FieldRow, 5>& quickFieldTable();

// The same fields once per part ("clamphigh(1)", "Angle(2p + k)"); refused
// angle and level entries are emptied without a word.
const std::array<FieldRow, 5>& quickPairFieldTable();

// OffsetDP and OffsetAngleB: kept as texts, never in the profile.
const std::array<FieldRow, 2>& offsetFieldTable();

}  // namespace rx41
