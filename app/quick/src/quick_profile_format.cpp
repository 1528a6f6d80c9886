#include "rx41/quick/quick_profile_format.h"

#include <algorithm>

#include "rx41/quick/quick_fields.h"

namespace rx41 {
namespace {

constexpr int kPointsPerPart = 2;

// The part's direction line, then its fields by their profile line; the
// points of a field take every second line, the other field's points between.
void appendPartBlock(std::vector<QuickProfileLine>& lines, const std::array<FieldRow, 5>& table, std::int16_t part) {
  lines.push_back({"Direction is:", QuickProfileEntry::Direction, part});
  std::vector<std::pair<int, QuickProfileLine>> numbered;
  for (const FieldRow& fieldRow : table) {
    if (fieldRow.profileLine == 0) continue;
    const bool perPoint = fieldRow.index == IndexScheme::Point || fieldRow.index == IndexScheme::TwoPointsPerPart;
    for (int point = 0; point < (perPoint ? kPointsPerPart : 1); ++point)
      numbered.push_back({fieldRow.profileLine + 2 * point,
                          {expandPattern(fieldRow.profileLabel, part, point, std::nullopt), QuickProfileEntry::Field,
                           part, &fieldRow, point}});
  }
  std::stable_sort(numbered.begin(), numbered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& [line, content] : numbered) lines.push_back(std::move(content));
}

}  // namespace

std::vector<QuickProfileLine> quickProfileLines() {
  std::vector<QuickProfileLine> lines{{"Part #Index:", QuickProfileEntry::PartIndex}};
  appendPartBlock(lines, quickFieldTable(), 0);
  return lines;
}

std::vector<QuickProfileLine> pairQuickProfileLines() {
  std::vector<QuickProfileLine> lines;
  for (std::int16_t part = 0; part < 2; ++part) {
    lines.push_back({expandPattern("Part #{part}:", part, 0, std::nullopt), QuickProfileEntry::Heading, part});
    appendPartBlock(lines, quickPairFieldTable(), part);
  }
  return lines;
}

}  // namespace rx41
