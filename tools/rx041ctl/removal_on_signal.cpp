#include "removal_on_signal.h"

#include <limits.h>
#include <unistd.h>

#include <cstring>

namespace rx041::ctl {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Read by the handler: plain storage, set while the signals are held back.
char linkPath[PATH_MAX];
char directoryPath[PATH_MAX];
volatile sig_atomic_t armed = 0;

void removeAndEnd(int signal) {
  if (armed) {
    ::unlink(linkPath);
    ::rmdir(directoryPath);
  }
  ::signal(signal, SIG_DFL);
  ::raise(signal);  // delivered once the handler returns
}

bool copyPath(char (&target)[PATH_MAX], const std::filesystem::path& path) {
  if (path.native().size() >= PATH_MAX) return false;
  std::strcpy(target, path.c_str());
  return true;
}

sigset_t stopSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kStopSignals) sigaddset(&set, signal);
  return set;
}

}  // namespace

void removeOnSignal(const std::filesystem::path& link, const std::filesystem::path& directory) {
  armed = 0;
  if (!copyPath(linkPath, link) || !copyPath(directoryPath, directory)) return;
  armed = 1;
  for (const int signal : kStopSignals) {
    struct sigaction previous {};
    if (::sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = removeAndEnd;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

void keepOnSignal() { armed = 0; }

StopSignalsHeld::StopSignalsHeld() {
  const sigset_t stop = stopSignalSet();
  ::pthread_sigmask(SIG_BLOCK, &stop, &previous_);
}

StopSignalsHeld::~StopSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace rx041::ctl
