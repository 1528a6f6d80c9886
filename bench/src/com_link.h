#pragma once
// The bench's entry in the port map: the link COMn -> its pseudo-terminal.
// A link that already leads to an existing device belongs to someone else and
// is never replaced; a dangling one (left by a bench that died) is.
#include <filesystem>

namespace rx041::bench {

class ComLink {
 public:
  ComLink(int number, const std::filesystem::path& device);  // throws std::runtime_error
  ~ComLink();                                                // removes the link if it still leads to our device
  ComLink(const ComLink&) = delete;
  ComLink& operator=(const ComLink&) = delete;

  void retarget(const std::filesystem::path& device);
  const std::filesystem::path& path() const { return link_; }

 private:
  void pointAt(const std::filesystem::path& device);

  std::filesystem::path link_;
  std::filesystem::path device_;
};

}  // namespace rx041::bench
