#include "working_windows.h"

#include <vector>

#include "rx41/dual/dual_windows.h"
#include "rx41/quick/quick_windows.h"

namespace rx41 {

std::span<const WorkingWindowEntry> workingWindows() {
  static const std::vector<WorkingWindowEntry> all = [] {
    std::vector<WorkingWindowEntry> rows;
    for (const std::span<const WorkingWindowEntry> family : {dualWindowEntries(), quickWindowEntries()})
      rows.insert(rows.end(), family.begin(), family.end());
    return rows;
  }();
  return all;
}

}  // namespace rx41
