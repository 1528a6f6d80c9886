#pragma once
// The bench's entry in the port map: the link COMn -> its pseudo-terminal.
// Before a link is reused its target is checked: a dangling one (left by a
// bench that died) is replaced, and so is one that already leads to this
// bench's own terminal (a dead bench's link to a terminal name the system gave
// out again, to this bench). A link to any other existing device is refused:
// another bench serves it, or it is stale and leads to someone else's
// terminal, and replacing it would hide the problem.
#include <filesystem>

namespace rx041::bench {

class ComLink {
 public:
  ComLink(int number, const std::filesystem::path& device);  // throws std::runtime_error
  ~ComLink();                                                // removes the link if it still leads to our device
  ComLink(const ComLink&) = delete;
  ComLink& operator=(const ComLink&) = delete;

  // Follows the bench to a new terminal. A link that no longer leads to the
  // bench's previous terminal (someone changed or removed it), or that cannot
  // be changed, is left alone: the serving goes on either way.
  void retarget(const std::filesystem::path& device);
  const std::filesystem::path& path() const { return link_; }

 private:
  void pointAt(const std::filesystem::path& device);

  std::filesystem::path link_;
  std::filesystem::path device_;
};

}  // namespace rx041::bench
