#pragma once
// The settings form of the quick windows: the part configuration (clamps, DP,
// direction) and points A and B with their rules and profile lines, for the
// single-part windows ("/2", "/4", "/6") and, one set per part, for the pair
// window ("/3", "/5"); the single-part windows' part list; and the offsets of
// the 1-point window ("/6").
#include <array>

#include "rx41/rules/field_table.h"

namespace rx41 {

// clamplow, clamphigh, DP, clockwise, then Angle and Level (one field per point).
using QuickFieldTable = std::array<FieldRow, 6>;
inline constexpr std::size_t kQuickPartRows = 4;  // the rows before the points

const QuickFieldTable& quickFieldTable();

// The same fields once per part ("clamphigh(1)", "Angle(2p + k)", the
// direction captioned "CW (Part#2)"); refused angle and level entries are
// emptied without a word.
const QuickFieldTable& quickPairFieldTable();

// PartSel, the part the single-part windows program: the first line of their profile.
const FieldRow& partSelectionRow();

// OffsetDP and OffsetAngleB: kept as texts, never in the profile.
const std::array<FieldRow, 2>& offsetFieldTable();

}  // namespace rx41
