#include "ctl_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "rx041/test_support/temp_dir.h"

namespace rx041::ctl::testing {
namespace {

std::string contents(const std::filesystem::path& file) {
  std::ifstream stream(file);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

}  // namespace

std::vector<std::string> ProcessResult::lines() const {
  std::vector<std::string> result;
  std::istringstream stream(out);
  for (std::string line; std::getline(stream, line);) result.push_back(line);
  return result;
}

ProcessResult runCtl(const std::string& args, const std::string& stdinText) {
  test::TempDir dir;
  std::ofstream(dir / "stdin") << stdinText;
  const std::string command = std::string(RX041CTL_PROGRAM) + " " + args + " < " + (dir / "stdin").string() + " > " +
                              (dir / "stdout").string() + " 2> " + (dir / "stderr").string();
  const int status = std::system(command.c_str());
  ProcessResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = contents(dir / "stdout");
  result.err = contents(dir / "stderr");
  return result;
}

BackgroundCtl::BackgroundCtl(const std::string& args) {
  // exec, so that the child is rx041ctl itself and receives the signals.
  const std::string command = "exec " + std::string(RX041CTL_PROGRAM) + " " + args + " >/dev/null 2>&1";
  pid_ = ::fork();
  if (pid_ == 0) {
    ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
}

BackgroundCtl::~BackgroundCtl() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

void BackgroundCtl::signal(int number) const { ::kill(pid_, number); }

std::optional<int> BackgroundCtl::waitStatus(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return status;
    }
    if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace rx041::ctl::testing
