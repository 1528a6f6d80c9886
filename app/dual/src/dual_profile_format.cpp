#include "rx41/dual/dual_profile_format.h"

#include <algorithm>
#include <string_view>

namespace rx41 {
namespace {

struct OwnLine {
  int line;
  std::string_view label;
  ProfileEntry entry;
};

// The lines that are not fields, at their place in the block.
constexpr OwnLine kOwnLines[] = {
    {1, "Part #{part}:", ProfileEntry::Heading},
    {3, "Direction is:", ProfileEntry::Direction},
    {18, "Polarity parameter is:", ProfileEntry::Polarity},
    {19, "OutMode is:", ProfileEntry::OutMode},
    {20, "PWMFreq is:", ProfileEntry::PWMFreq},
    {21, "PWMPolarity is", ProfileEntry::PWMPolarity},
};

}  // namespace

std::vector<DualProfileLine> dualProfileBlock(const DualFieldTable& fields, std::int16_t part) {
  std::vector<std::pair<int, DualProfileLine>> numbered;
  for (const OwnLine& own : kOwnLines)
    numbered.push_back({own.line, {expandPattern(own.label, part, 0, std::nullopt), own.entry}});
  for (const FieldRow& fieldRow : fields) {
    if (fieldRow.profileLine == 0) continue;
    const int points = fieldRow.index == IndexScheme::FourPointsPerPart ? 4 : 1;
    // The points of a field take every second line, the other field's points between them.
    for (int point = 0; point < points; ++point)
      numbered.push_back(
          {fieldRow.profileLine + 2 * point,
           {expandPattern(fieldRow.profileLabel, part, point, std::nullopt), ProfileEntry::Field, &fieldRow, point}});
  }
  std::stable_sort(numbered.begin(), numbered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<DualProfileLine> block;
  for (auto& [line, content] : numbered) block.push_back(std::move(content));
  return block;
}

}  // namespace rx41
