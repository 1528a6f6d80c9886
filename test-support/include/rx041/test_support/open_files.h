#pragma once
// What this process holds open, from /proc/self/fd.
#include <cstddef>
#include <filesystem>

namespace rx041::test {

// The number of this process's descriptors that lead to the file.
std::size_t descriptorsLeadingTo(const std::filesystem::path& file);

}  // namespace rx041::test
