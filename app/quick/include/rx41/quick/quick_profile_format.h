#pragma once
// The lines of the quick profiles: nine for the single-part windows (the part
// index, then the part's block: direction, DP, the clamps and the two points),
// eighteen for the pair window (a heading and the block for each part), from
// the windows' field rows. Plain C++: the windows bind these lines to their
// controls, the fuzz target reads files with them.
#include <vector>

#include "rx41/rules/profile_rows.h"

namespace rx41 {

std::vector<ProfileRow> quickProfileLines();
std::vector<ProfileRow> pairQuickProfileLines();

}  // namespace rx41
