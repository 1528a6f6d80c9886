#include "rx041/transport/serial_device.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace rx041::transport {

bool configureSerialLine(int fd) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  tio.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  ::cfsetispeed(&tio, B115200);
  ::cfsetospeed(&tio, B115200);
  return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

SerialOpenResult openSerialDevice(const std::filesystem::path& device) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {-1, errno};
  // The advisory lock is what tells another user of this module that the port
  // is taken (TIOCEXCL does not stop a privileged process).
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno == EWOULDBLOCK ? EBUSY : errno;
    ::close(fd);
    return {-1, error};
  }
  if (!configureSerialLine(fd)) {
    const int error = errno ? errno : ENOTTY;
    ::close(fd);
    return {-1, error};
  }
  ::ioctl(fd, TIOCEXCL);
  ::tcflush(fd, TCIOFLUSH);
  return {fd, 0};
}

void closeSerialDevice(int fd) {
  if (fd < 0) return;
  ::ioctl(fd, TIOCNXCL);
  ::close(fd);
}

}  // namespace rx041::transport
