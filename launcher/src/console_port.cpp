#include "console_port.h"

#include <poll.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

#include "rx041/transport/port_map.h"
#include "rx041/transport/serial_device.h"

namespace rx041::launcher {
namespace {

// A 15-character command leaves at once; a line that takes longer than this
// to accept it is stuck.
constexpr int kWriteLimitMs = 1000;

bool hungUp(int fd) {
  pollfd line{fd, POLLIN, 0};
  return ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

ConsolePort::ConsolePort(QObject* parent) : QObject(parent) {}

ConsolePort::~ConsolePort() { close(); }

bool ConsolePort::open(int comNumber) {
  if (isOpen()) return false;
  const transport::SerialOpenResult opened = transport::openSerialDevice(transport::comPortPath(comNumber));
  if (!opened) return false;
  fd_ = opened.fd;
  number_ = comNumber;
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &ConsolePort::readAvailable);
  return true;
}

void ConsolePort::close() {
  if (!isOpen()) return;
  // Closing may run inside the notifier's own signal: it goes once that returns.
  notifier_->setEnabled(false);
  notifier_.release()->deleteLater();
  transport::closeSerialDevice(fd_);
  fd_ = -1;
  number_ = 0;
}

bool ConsolePort::write(const QByteArray& bytes) {
  if (!isOpen()) return false;
  if (writeAll(bytes)) return true;
  // A line that refuses a few bytes is gone; closing lets the operator open it again.
  close();
  return false;
}

bool ConsolePort::writeAll(const QByteArray& bytes) {
  qsizetype done = 0;
  int waitedMs = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n > 0) {
      done += n;
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    if (waitedMs >= kWriteLimitMs) return false;
    pollfd writable{fd_, POLLOUT, 0};
    ::poll(&writable, 1, 10);
    waitedMs += 10;
  }
  return true;
}

void ConsolePort::readAvailable() {
  QByteArray bytes;
  char buffer[512];
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n > 0) {
      bytes.append(buffer, n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // A raw line with nothing waiting reads as 0 bytes, not only as EAGAIN.
    const bool lineError = n < 0 && errno != EAGAIN;
    if (!lineError && !hungUp(fd_)) break;
    // The device went away. Closing stops the notifier from firing on it for
    // ever; the operator can open the port again.
    if (!bytes.isEmpty()) emit received(bytes);
    const int lostNumber = number_;
    close();
    emit lineLost(lostNumber);
    return;
  }
  if (!bytes.isEmpty()) emit received(bytes);
}

}  // namespace rx041::launcher
