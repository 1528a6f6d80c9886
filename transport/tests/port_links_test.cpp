#include "port_links.h"

#include <gtest/gtest.h>

#include <fstream>

#include "rx041/test_support/pty_pair.h"
#include "rx041/test_support/temp_dir.h"
#include "rx041/transport/serial_device.h"

namespace rx041::ports {
namespace {

namespace fs = std::filesystem;
using test::PtyPair;
using test::TempDir;

// A port map and a stand-in for /dev/serial/by-id whose "adapters" lead to
// character devices every machine has.
class PortLinks : public ::testing::Test {
 protected:
  TempDir dir;
  fs::path map = dir / "ports";
  fs::path byId = dir / "by-id";

  void SetUp() override {
    fs::create_directories(map);
    fs::create_directories(byId);
  }
  fs::path adapter(const std::string& name, const fs::path& device) {
    fs::create_symlink(device, byId / name);
    return byId / name;
  }
  fs::path com(int number) const { return map / ("COM" + std::to_string(number)); }
  fs::path target(int number) const {
    std::error_code ec;
    return fs::read_symlink(com(number), ec);
  }
};

TEST_F(PortLinks, SetRefusesWhatCannotBeAPort) {
  std::ofstream(dir / "plain-file") << "x";
  std::ofstream(com(4)) << "someone's file";
  struct Case {
    int number;
    fs::path device;
    const char* why;
  };
  const Case cases[] = {
      {0, "/dev/null", "COM numbers run from"},
      {17, "/dev/null", "COM numbers run from"},
      {3, dir / "no-such-device", "does not exist"},
      {3, dir / "plain-file", "is not a terminal device"},
      {4, "/dev/null", "is not a link"},
  };
  for (const Case& c : cases) {
    const Report report = setPort(map, c.number, c.device, byId);
    ASSERT_FALSE(report.ok()) << c.why;
    EXPECT_NE(report.errors.front().find(c.why), std::string::npos) << report.errors.front();
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(com(3)))) << c.why;
  }
  EXPECT_TRUE(fs::is_regular_file(com(4))) << "a file that is not a link is never replaced";
}

TEST_F(PortLinks, SetLinksTheStableNameAndKeepsOneNumberPerDevice) {
  const auto ftdi = adapter("usb-FTDI_FT232R_A1B2-if00-port0", "/dev/zero");
  ASSERT_TRUE(setPort(map, 1, "/dev/zero", byId).ok());
  EXPECT_EQ(target(1), ftdi) << "the device name is replaced by its by-id name";

  const Report moved = setPort(map, 3, "/dev/zero", byId);
  ASSERT_TRUE(moved.ok());
  EXPECT_EQ(target(3), ftdi);
  EXPECT_FALSE(fs::exists(fs::symlink_status(com(1)))) << "the device's old number is cleared";
  EXPECT_EQ(moved.done.size(), 2u);

  ASSERT_TRUE(setPort(map, 3, "/dev/null", byId).ok());
  EXPECT_EQ(target(3), fs::path("/dev/null")) << "a device without a by-id name is linked as given";

  ASSERT_TRUE(setPort(map, 5, com(3), byId).ok());
  EXPECT_EQ(target(5), fs::path("/dev/null")) << "a COM link given as the device: the device behind it";
}

TEST_F(PortLinks, ClearRemovesOnlyLinks) {
  ASSERT_TRUE(setPort(map, 2, "/dev/null", byId).ok());
  std::ofstream(com(4)) << "someone's file";
  struct Case {
    int number;
    bool ok;
    const char* said;
  };
  const Case cases[] = {
      {2, true, "COM2 cleared"},
      {2, true, "COM2 was not set"},
      {4, false, "is not a link"},
  };
  for (const Case& c : cases) {
    const Report report = clearPort(map, c.number);
    EXPECT_EQ(report.ok(), c.ok) << c.said;
    const auto& lines = c.ok ? report.done : report.errors;
    ASSERT_EQ(lines.size(), 1u) << c.said;
    EXPECT_NE(lines.front().find(c.said), std::string::npos) << lines.front();
  }
  EXPECT_FALSE(fs::exists(fs::symlink_status(com(2))));
  EXPECT_TRUE(fs::is_regular_file(com(4)));
}

TEST_F(PortLinks, AutoGivesNewAdaptersTheLowestFreeNumbers) {
  const auto mapped = adapter("usb-A", "/dev/null");
  const auto second = adapter("usb-B", "/dev/zero");
  const auto third = adapter("usb-C", "/dev/full");
  fs::create_symlink(dir / "unplugged-adapter", com(1));  // keeps its number for when it comes back
  fs::create_symlink("/dev/null", com(5));                // usb-A, by its device name

  const Report first = assignAdapters(map, byId);
  ASSERT_TRUE(first.ok());
  EXPECT_EQ(target(1), dir / "unplugged-adapter");
  EXPECT_EQ(target(2), second);
  EXPECT_EQ(target(3), third);
  EXPECT_EQ(target(5), fs::path("/dev/null")) << mapped << " already had a number";
  EXPECT_FALSE(fs::exists(fs::symlink_status(com(4))));

  const Report again = assignAdapters(map, byId);
  ASSERT_TRUE(again.ok());
  for (const auto& line : again.done) EXPECT_NE(line.find("(already)"), std::string::npos) << line;
  EXPECT_FALSE(fs::exists(fs::symlink_status(com(4)))) << "a second run changes nothing";

  for (int number = 1; number <= 16; ++number)
    if (!fs::exists(fs::symlink_status(com(number)))) fs::create_symlink(dir / "elsewhere", com(number));
  adapter("usb-D", "/dev/random");
  const Report full = assignAdapters(map, byId);
  ASSERT_EQ(full.errors.size(), 1u);
  EXPECT_NE(full.errors.front().find("no free COM number"), std::string::npos);
}

TEST_F(PortLinks, AutoWithoutAdaptersSaysSo) {
  const Report report = assignAdapters(map, dir / "no-by-id");
  EXPECT_TRUE(report.ok());
  ASSERT_EQ(report.done.size(), 1u);
  EXPECT_NE(report.done.front().find("No USB serial adapters"), std::string::npos);
}

TEST_F(PortLinks, ListShowsWhatStandsBehindEachNumber) {
  PtyPair free;
  PtyPair held;
  const transport::SerialOpenResult holder = transport::openSerialDevice(held.slavePath());
  ASSERT_TRUE(holder);
  fs::create_symlink(free.slavePath(), com(1));
  fs::create_symlink(held.slavePath(), com(2));
  fs::create_symlink(dir / "unplugged-adapter", com(3));
  fs::create_symlink("/dev/null", com(4));

  const auto links = listPorts(map);
  transport::closeSerialDevice(holder.fd);
  ASSERT_EQ(links.size(), 16u);
  struct Case {
    int number;
    LinkState state;
    const char* shown;
  };
  const Case cases[] = {
      {1, LinkState::Available, "available"}, {2, LinkState::Busy, "busy"},      {3, LinkState::Missing, "missing"},
      {4, LinkState::Unusable, "unusable"},   {5, LinkState::NotSet, "COM5  -"}, {16, LinkState::NotSet, "COM16 -"},
  };
  for (const Case& c : cases) {
    const PortLink& link = links[static_cast<std::size_t>(c.number - 1)];
    EXPECT_EQ(link.number, c.number);
    EXPECT_EQ(link.state, c.state) << c.shown;
    EXPECT_NE(describe(link).find(c.shown), std::string::npos) << describe(link);
  }
  EXPECT_EQ(links[0].target, free.slavePath());
}

}  // namespace
}  // namespace rx041::ports
