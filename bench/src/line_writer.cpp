#include "line_writer.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace rx041::bench {
namespace {

// 10 bits per byte at 115200 baud.
constexpr std::chrono::nanoseconds kByteTime{1'000'000'000LL * 10 / 115200};
// How long a full line may hold a reply back before its bytes are dropped, as
// a UART drops what a host does not collect.
constexpr int kFullLineWaitMs = 200;

}  // namespace

bool LineWriter::pause(std::chrono::nanoseconds duration) const {
  pollfd stop{stopFd_, POLLIN, 0};
  const auto deadline = std::chrono::steady_clock::now() + duration;
  for (;;) {
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= std::chrono::nanoseconds::zero()) return true;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    const timespec timeout{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    const int ready = ::ppoll(&stop, 1, &timeout, nullptr);
    if (ready > 0) return false;
    if (ready < 0 && errno != EINTR) return true;
  }
}

bool LineWriter::send(int fd, const Delivery& delivery) const {
  if (delivery.delay.count() > 0 && !pause(delivery.delay)) return false;
  for (std::size_t i = 0; i < delivery.pieces.size(); ++i) {
    if (i > 0 && !pause(delivery.gap)) return false;
    if (!writePiece(fd, delivery.pieces[i])) return false;
  }
  return true;
}

bool LineWriter::writePiece(int fd, std::string_view piece) const {
  if (!lineRate_) {
    writeBytes(fd, piece);
    return true;
  }
  const auto start = std::chrono::steady_clock::now();
  for (std::size_t i = 0; i < piece.size(); ++i) {
    writeBytes(fd, piece.substr(i, 1));
    if (!pause(start + kByteTime * static_cast<long>(i + 1) - std::chrono::steady_clock::now())) return false;
  }
  return true;
}

void LineWriter::writeBytes(int fd, std::string_view bytes) const {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else if (written < 0 && errno == EAGAIN) {
      pollfd out{fd, POLLOUT, 0};
      if (::poll(&out, 1, kFullLineWaitMs) <= 0) return;
    } else {
      return;
    }
  }
}

}  // namespace rx041::bench
