#include "raw_line.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "rx041/transport/serial_device.h"

namespace rx041::bench::test {

RawLine::RawLine(const std::filesystem::path& device) {
  const auto opened = transport::openSerialDevice(device);
  if (!opened) throw std::runtime_error("cannot open " + device.string() + ": " + std::strerror(opened.error));
  fd_ = opened.fd;
}

RawLine::~RawLine() { close(); }

void RawLine::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void RawLine::send(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      pollfd out{fd_, POLLOUT, 0};
      ::poll(&out, 1, 10);
    } else {
      throw std::runtime_error("write to the bench failed");
    }
  }
}

bool RawLine::receive(std::chrono::milliseconds timeout) {
  pollfd in{fd_, POLLIN, 0};
  if (::poll(&in, 1, static_cast<int>(timeout.count())) <= 0) return false;
  char buffer[256];
  const ssize_t n = ::read(fd_, buffer, sizeof buffer);
  if (n <= 0) return false;
  pending_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

std::optional<std::string> RawLine::readLine(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (const auto end = pending_.find('\n'); end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    receive(left);
  }
}

std::string RawLine::readFor(std::chrono::milliseconds duration) {
  const auto deadline = std::chrono::steady_clock::now() + duration;
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    receive(left);
  }
  return std::exchange(pending_, {});
}

bool RawLine::waitForHangup(std::chrono::milliseconds timeout) {
  pollfd in{fd_, POLLIN, 0};
  if (::poll(&in, 1, static_cast<int>(timeout.count())) <= 0) return false;
  if (in.revents & (POLLHUP | POLLERR)) return true;
  char buffer[64];
  const ssize_t n = ::read(fd_, buffer, sizeof buffer);
  return n == 0 || (n < 0 && errno == EIO);
}

}  // namespace rx041::bench::test
