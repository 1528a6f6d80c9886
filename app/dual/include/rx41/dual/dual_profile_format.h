#pragma once
// The profile file of the dual-part windows: a block of 21 lines per part,
// Part#1's first, each its label followed directly by the value: the head
// line, then the lines of the part's fields. Plain C++.
#include <cstdint>
#include <vector>

#include "rx41/dual/dual_fields.h"
#include "rx41/rules/profile_rows.h"

namespace rx41 {

inline constexpr int kDualProfileBlockLines = 21;

// The lines of the part's block in file order.
std::vector<ProfileRow> dualProfileBlock(const DualFieldTable& fields, std::int16_t part);
// Both blocks.
std::vector<ProfileRow> dualProfileLines(const DualFieldTable& fields);

}  // namespace rx41
