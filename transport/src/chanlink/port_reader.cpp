#include "port_reader.h"

#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <system_error>

namespace rx041::chanlink {
namespace {

// Each wait is bounded; the loop then looks again. Stopping wakes it at once.
constexpr int kPollLimitMs = 5000;
// A wait that fails (out of memory) is tried again after this pause instead of spinning.
constexpr int kFailurePauseMs = 50;

bool waitReadable(int fd, int timeoutMs) {
  pollfd wake{fd, POLLIN, 0};
  return ::poll(&wake, 1, timeoutMs) > 0;
}

}  // namespace

std::unique_ptr<PortReader> PortReader::start(int portFd, Sink sink, LineLost lineLost) {
  const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd < 0) return nullptr;
  if (portFd >= 0) ::tcflush(portFd, TCIFLUSH);
  std::unique_ptr<PortReader> reader(new PortReader(portFd, wakeFd, std::move(sink), std::move(lineLost)));
  try {
    reader->thread_ = std::thread(&PortReader::run, reader.get());
  } catch (const std::system_error&) {
    return nullptr;
  }
  // Named before start() returns, so that tools and tests see it at once.
  ::pthread_setname_np(reader->thread_.native_handle(), kThreadName);
  return reader;
}

PortReader::PortReader(int portFd, int wakeFd, Sink sink, LineLost lineLost)
    : portFd_(portFd), wakeFd_(wakeFd), sink_(std::move(sink)), lineLost_(std::move(lineLost)) {}

PortReader::~PortReader() {
  stop();
  ::close(wakeFd_);
}

void PortReader::stop() {
  if (!thread_.joinable()) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
  thread_.join();
}

void PortReader::run() {
  std::array<char, kChunkSize> chunk;
  const nfds_t watched = portFd_ >= 0 ? 2 : 1;
  for (;;) {
    std::array<pollfd, 2> fds{{{wakeFd_, POLLIN, 0}, {portFd_, POLLIN, 0}}};
    const int ready = ::poll(fds.data(), watched, kPollLimitMs);
    if (ready < 0 && errno != EINTR) {
      if (pauseAfterFailure()) return;
      continue;
    }
    if (fds[0].revents != 0) return;
    if (ready <= 0) continue;
    if (fds[1].revents & POLLIN) {
      const ssize_t count = ::read(portFd_, chunk.data(), chunk.size());
      if (count > 0) {
        sink_(std::string_view(chunk.data(), static_cast<std::size_t>(count)));
        continue;
      }
      if (count < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    }
    // Hang-up, device error, or a terminal that reads end of file: the line is gone.
    lineLost_();
    return;
  }
}

bool PortReader::pauseAfterFailure() { return waitReadable(wakeFd_, kFailurePauseMs); }

}  // namespace rx041::chanlink
