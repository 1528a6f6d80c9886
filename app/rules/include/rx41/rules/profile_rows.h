#pragma once
// A window's profile file as rows: for each line its label, the field whose
// control it carries (a row of the window's field table, with part and point)
// and how that control's value is written and read back. The windows' line
// lists are built here from their field tables; the core binds them to the
// controls (profile_binding.h) and the fuzz targets read files with them.
// Plain C++.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rx41/rules/field_table.h"

namespace rx41 {

enum class ProfileValue {
  Heading,  // the label alone ("Part #1:"), skipped on loading
  Text,     // a text box's text as it stands
  Index,    // a list's index as a whole number; refused outside the list
  Tick,     // a check box as 1 or 0; refused when no such number
  Words,    // a check box as its row's two words, ticked exactly for the first
};

struct ProfileRow {
  std::string label;
  ProfileValue value;
  const FieldRow* field = nullptr;  // none for a heading
  std::int16_t part = 0;
  int point = 0;
};

// "Part #1:" for part 0: the head line of a part's block.
ProfileRow partHeading(std::int16_t part);

// Appends the lines of the rows that have one, for the part, in the order of
// their line numbers. A row with a control per point has pointsPerPart lines,
// every second one from its own number, the other per-point row's between.
void appendProfileRows(std::vector<ProfileRow>& lines, std::span<const FieldRow> rows, std::int16_t part,
                       int pointsPerPart);

// The whole numbers a line's value must be below: a list's item count, 2 for
// a tick; 0 when any text goes.
int profileChoices(const ProfileRow& row);

}  // namespace rx41
