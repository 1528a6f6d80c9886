#include "rx41/rules/profile_rows.h"

#include <algorithm>
#include <utility>

namespace rx41 {
namespace {

ProfileValue valueOf(const FieldRow& row) {
  switch (row.kind) {
    case ControlKind::TextBox: return ProfileValue::Text;
    case ControlKind::List: return ProfileValue::Index;
    case ControlKind::CheckBox: return row.words ? ProfileValue::Words : ProfileValue::Tick;
  }
  return ProfileValue::Text;
}

}  // namespace

ProfileRow partHeading(std::int16_t part) {
  return {expandPattern("Part #{part}:", part, 0, std::nullopt), ProfileValue::Heading, nullptr, part};
}

void appendProfileRows(std::vector<ProfileRow>& lines, std::span<const FieldRow> rows, std::int16_t part,
                       int pointsPerPart) {
  std::vector<std::pair<int, ProfileRow>> numbered;
  for (const FieldRow& row : rows) {
    if (row.profileLine == 0) continue;
    for (int point = 0; point < (perPoint(row.index) ? pointsPerPart : 1); ++point)
      numbered.push_back(
          {row.profileLine + 2 * point,
           {expandPattern(row.profileLabel, part, point, std::nullopt), valueOf(row), &row, part, point}});
  }
  std::stable_sort(numbered.begin(), numbered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& [line, content] : numbered) lines.push_back(std::move(content));
}

int profileChoices(const ProfileRow& row) {
  switch (row.value) {
    case ProfileValue::Index: return static_cast<int>(row.field->items.size());
    case ProfileValue::Tick: return 2;
    default: return 0;
  }
}

}  // namespace rx41
