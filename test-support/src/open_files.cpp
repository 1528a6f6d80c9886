#include "rx041/test_support/open_files.h"

namespace rx041::test {

std::size_t descriptorsLeadingTo(const std::filesystem::path& file) {
  std::size_t count = 0;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
    std::error_code linkError;
    if (std::filesystem::read_symlink(entry.path(), linkError) == file && !linkError) ++count;
  }
  return count;
}

}  // namespace rx041::test
