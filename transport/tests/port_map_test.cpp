#include "rx041/transport/port_map.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "rx041/test_support/pty_pair.h"
#include "rx041/test_support/temp_dir.h"
#include "rx041/transport/serial_device.h"

namespace rx041::transport {
namespace {

using test::PtyPair;
using test::ScopedEnv;
using test::TempDir;

TEST(PortMap, ComNamesAndPaths) {
  EXPECT_EQ(parseComName("COM7"), 7);
  EXPECT_EQ(parseComName("COM16"), 16);
  EXPECT_EQ(parseComName("COM"), std::nullopt);
  EXPECT_EQ(parseComName("COM05"), 5);
  for (const char* outside : {"COM0", "COM17", "COM261", "COM-1", "COM+5", "COM4294967301"})
    EXPECT_EQ(parseComName(outside), std::nullopt) << outside;
  EXPECT_EQ(parseComName("COM1 "), std::nullopt);
  EXPECT_EQ(parseComName("com1"), std::nullopt);
  TempDir dir;
  ScopedEnv env("RX041_PORTS", dir.path().c_str());
  EXPECT_EQ(portDirectory(), dir.path());
  EXPECT_EQ(resolvePort("COM3"), dir / "COM3");
  EXPECT_EQ(resolvePort("/dev/ttyUSB0"), std::filesystem::path("/dev/ttyUSB0"));
  EXPECT_EQ(resolvePort("ttyUSB0"), std::nullopt);
}

TEST(PortMap, DefaultDirectoryFollowsXdgConfig) {
  ScopedEnv ports("RX041_PORTS", nullptr);
  ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ(portDirectory(), std::filesystem::path("/cfg/rx041/ports"));
}

TEST(PortMap, ProbeTellsAbsentAvailableAndBusy) {
  TempDir dir;
  ScopedEnv env("RX041_PORTS", dir.path().c_str());
  PtyPair line;
  std::filesystem::create_symlink(line.slavePath(), comPortPath(2));
  EXPECT_EQ(probePort(comPortPath(1)), PortProbe::Absent);
  EXPECT_EQ(probePort(comPortPath(2)), PortProbe::Available);

  const SerialOpenResult held = openSerialDevice(comPortPath(2));
  ASSERT_TRUE(held);
  EXPECT_EQ(probePort(comPortPath(2)), PortProbe::Busy);
  EXPECT_EQ(openSerialDevice(comPortPath(2)).error, EBUSY);
  ::close(held.fd);
  EXPECT_EQ(probePort(comPortPath(2)), PortProbe::Available) << "closing releases the port";

  std::ofstream(dir / "COM4") << "not a terminal";
  EXPECT_EQ(probePort(comPortPath(4)), PortProbe::Absent);
  std::filesystem::create_symlink(dir / "gone", comPortPath(5));
  EXPECT_EQ(probePort(comPortPath(5)), PortProbe::Absent) << "a dangling link is no port";
}

TEST(PortMap, ListsFreePortsAndBusyOnesOneProbeLate) {
  TempDir dir;
  ScopedEnv env("RX041_PORTS", dir.path().c_str());
  EXPECT_TRUE(listComPorts().empty());

  PtyPair free3, busy5, free6, busy16;
  std::filesystem::create_symlink(free3.slavePath(), comPortPath(3));
  std::filesystem::create_symlink(busy5.slavePath(), comPortPath(5));
  std::filesystem::create_symlink(free6.slavePath(), comPortPath(6));
  std::filesystem::create_symlink(busy16.slavePath(), comPortPath(16));
  const SerialOpenResult held5 = openSerialDevice(comPortPath(5));
  const SerialOpenResult held16 = openSerialDevice(comPortPath(16));
  ASSERT_TRUE(held5 && held16);
  EXPECT_EQ(listComPorts(), (std::vector<std::string>{"COM3", "COM5", "COM6"}));
  ::close(held5.fd);
  ::close(held16.fd);
  EXPECT_EQ(listComPorts(), (std::vector<std::string>{"COM3", "COM5", "COM6", "COM16"}));
}

}  // namespace
}  // namespace rx041::transport
