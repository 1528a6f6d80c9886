#pragma once
// Runs the rx041ctl program and collects what it wrote and how it ended.
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace rx041::ctl::testing {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
  std::vector<std::string> lines() const;  // standard output, line by line
};

// args are passed through the shell unquoted: keep them free of blanks and
// shell characters. stdinText feeds standard input.
ProcessResult runCtl(const std::string& args, const std::string& stdinText = "");

// rx041ctl started in the background (its output discarded), killed and
// reaped with the object if it is still running.
class BackgroundCtl {
 public:
  explicit BackgroundCtl(const std::string& args);
  ~BackgroundCtl();
  BackgroundCtl(const BackgroundCtl&) = delete;
  BackgroundCtl& operator=(const BackgroundCtl&) = delete;

  void signal(int number) const;
  // The wait status once the program has ended within the time; nullopt if it has not.
  std::optional<int> waitStatus(std::chrono::milliseconds timeout);

 private:
  pid_t pid_ = -1;
};

}  // namespace rx041::ctl::testing
