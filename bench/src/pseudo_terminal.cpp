#include "pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace rx041::bench {

PseudoTerminal::PseudoTerminal() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    const std::string reason = std::strerror(errno);
    if (master_ >= 0) ::close(master_);
    throw std::runtime_error("cannot open a pseudo-terminal: " + reason);
  }
  char name[128];
  if (::ptsname_r(master_, name, sizeof name) != 0) {
    ::close(master_);
    throw std::runtime_error("cannot name the pseudo-terminal");
  }
  slavePath_ = name;
  slaveHold_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (slaveHold_ < 0) {
    const std::string reason = std::strerror(errno);
    ::close(master_);
    throw std::runtime_error("cannot open " + slavePath_.string() + ": " + reason);
  }
  // Start raw, as a serial line is; the client may change the settings.
  termios tio{};
  if (::tcgetattr(slaveHold_, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::tcsetattr(slaveHold_, TCSANOW, &tio);
  }
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  closeWatch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (closeWatch_ < 0 || ::inotify_add_watch(closeWatch_, name, IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
    const std::string reason = std::strerror(errno);
    if (closeWatch_ >= 0) ::close(closeWatch_);
    ::close(slaveHold_);
    ::close(master_);
    throw std::runtime_error("cannot watch " + slavePath_.string() + ": " + reason);
  }
}

void PseudoTerminal::clientClosed() {
  char events[4096];
  while (::read(closeWatch_, events, sizeof events) > 0) {
  }
  ::ioctl(slaveHold_, TIOCNXCL);
}

PseudoTerminal::~PseudoTerminal() {
  ::close(closeWatch_);
  ::close(slaveHold_);
  ::close(master_);
}

}  // namespace rx041::bench
