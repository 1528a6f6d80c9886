#pragma once
// The lines of the quick profiles: nine for the single-part windows (the part
// index, then the part's block: direction, DP, the clamps and the two points),
// eighteen for the pair window (a heading and the block for each part). Plain
// C++: the windows bind these lines to their controls, the fuzz target reads
// files with them.
#include <cstdint>
#include <string>
#include <vector>

#include "rx41/rules/field_table.h"

namespace rx41 {

// What a line carries.
enum class QuickProfileEntry {
  PartIndex,  // the part list's index, a whole number
  Heading,    // the label alone ("Part #1:")
  Direction,  // the clockwise box as 1 or 0
  Field,      // the text of a field's box
};

struct QuickProfileLine {
  std::string label;
  QuickProfileEntry entry;
  std::int16_t part = 0;
  const FieldRow* field = nullptr;  // the field of a Field line
  int point = 0;                    // its point (A = 0)
};

std::vector<QuickProfileLine> quickProfileLines();
std::vector<QuickProfileLine> pairQuickProfileLines();

}  // namespace rx41
