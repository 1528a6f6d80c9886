#include "rx41/dual/dual_profile_format.h"

#include <utility>

namespace rx41 {

std::vector<ProfileRow> dualProfileBlock(const DualFieldTable& fields, std::int16_t part) {
  std::vector<ProfileRow> block{partHeading(part)};
  appendProfileRows(block, fields, part, kDualPoints);
  return block;
}

std::vector<ProfileRow> dualProfileLines(const DualFieldTable& fields) {
  std::vector<ProfileRow> lines = dualProfileBlock(fields, 0);
  for (ProfileRow& line : dualProfileBlock(fields, 1)) lines.push_back(std::move(line));
  return lines;
}

}  // namespace rx41
