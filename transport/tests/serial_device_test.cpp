#include "rx041/transport/serial_device.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "rx041/test_support/pty_pair.h"

namespace rx041::transport {
namespace {

bool exclusive(int fd) {
  int flag = -1;
  EXPECT_EQ(::ioctl(fd, TIOCGEXCL, &flag), 0);
  return flag != 0;
}

TEST(SerialDevice, HeldExclusivelyUntilClosedEvenWhileOthersKeepTheLineOpen) {
  test::PtyPair line;
  const SerialOpenResult first = openSerialDevice(line.slavePath());
  ASSERT_TRUE(first);
  EXPECT_TRUE(exclusive(first.fd));
  const SerialOpenResult second = openSerialDevice(line.slavePath());
  EXPECT_FALSE(second);
  EXPECT_EQ(second.error, EBUSY);

  closeSerialDevice(first.fd);
  // The pseudo-terminal stays open through the pair's own descriptor; the
  // next user must still be let in.
  const int observer = ::open(line.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(observer, 0);
  EXPECT_FALSE(exclusive(observer));
  ::close(observer);
  const SerialOpenResult again = openSerialDevice(line.slavePath());
  EXPECT_TRUE(again);
  closeSerialDevice(again.fd);
}

}  // namespace
}  // namespace rx041::transport
