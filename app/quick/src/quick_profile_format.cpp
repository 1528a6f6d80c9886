#include "rx41/quick/quick_profile_format.h"

#include "rx41/quick/quick_fields.h"

namespace rx41 {
namespace {

constexpr int kPointsPerPart = 2;

}  // namespace

std::vector<ProfileRow> quickProfileLines() {
  std::vector<ProfileRow> lines;
  appendProfileRows(lines, {&partSelectionRow(), 1}, 0, kPointsPerPart);
  appendProfileRows(lines, quickFieldTable(), 0, kPointsPerPart);
  return lines;
}

std::vector<ProfileRow> pairQuickProfileLines() {
  std::vector<ProfileRow> lines;
  for (std::int16_t part = 0; part < 2; ++part) {
    lines.push_back(partHeading(part));
    appendProfileRows(lines, quickPairFieldTable(), part, kPointsPerPart);
  }
  return lines;
}

}  // namespace rx41
