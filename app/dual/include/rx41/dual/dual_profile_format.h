#pragma once
// The profile file of the dual-part windows: a block of 21 lines per part,
// Part#1's first, each its label followed directly by the value. The field
// lines come from the field table; the block adds the head line, the
// direction, the polarity and the three output lists. Plain C++.
#include <cstdint>
#include <string>
#include <vector>

#include "rx41/dual/dual_fields.h"

namespace rx41 {

// What a line of the block carries.
enum class ProfileEntry {
  Heading,    // the label alone ("Part #1:")
  Field,      // the text of a field's box
  Direction,  // "CW" when clockwise is ticked, else "CCW"
  Polarity,   // "1" when Kpolarity is ticked, else "0"
  OutMode,    // the list indices, as whole numbers
  PWMFreq,
  PWMPolarity,  // its label has no colon
};

struct DualProfileLine {
  std::string label;
  ProfileEntry entry;
  const FieldRow* field = nullptr;  // the field of a Field line
  int point = 0;                    // its point (A = 0)
};

inline constexpr int kDualProfileBlockLines = 21;

// The lines of the part's block in file order.
std::vector<DualProfileLine> dualProfileBlock(const DualFieldTable& fields, std::int16_t part);

}  // namespace rx41
