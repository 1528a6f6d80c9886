#include "rx041/test_support/pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace rx041::test {

PtyPair::PtyPair() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
    throw std::runtime_error("cannot open a pseudo-terminal");
  slavePath_ = ::ptsname(master_);
  slaveKeepAlive_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios tio{};
  ::tcgetattr(slaveKeepAlive_, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(slaveKeepAlive_, TCSANOW, &tio);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair() {
  if (slaveKeepAlive_ >= 0) ::close(slaveKeepAlive_);
  if (master_ >= 0) ::close(master_);
}

void PtyPair::write(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
      throw std::runtime_error("write to the pseudo-terminal failed");
    } else {
      pollfd p{master_, POLLOUT, 0};
      ::poll(&p, 1, 10);
    }
  }
}

std::string PtyPair::read(std::size_t count, std::chrono::milliseconds timeout) {
  std::string data;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (data.size() < count) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[256];
    const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - data.size()));
    if (n > 0) data.append(buffer, static_cast<std::size_t>(n));
  }
  return data;
}

std::string PtyPair::readFor(std::chrono::milliseconds duration) {
  return read(static_cast<std::size_t>(-1) / 2, duration);
}

}  // namespace rx041::test
