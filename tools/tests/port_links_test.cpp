#include "port_links.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "rx041/test_support/pty_pair.h"
#include "rx041/test_support/temp_dir.h"
#include "rx041/transport/serial_device.h"

namespace rx041::ports {
namespace {

namespace fs = std::filesystem;
using test::PtyPair;
using test::TempDir;

// A port map and a stand-in for /dev/serial/by-id whose "adapters" lead to
// pseudo-terminals (or, to be refused, to other character devices).
class PortLinks : public ::testing::Test {
 protected:
  TempDir dir;
  PtyPair line1, line2, line3;
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
      {0, line1.slavePath(), "COM numbers run from"}, {17, line1.slavePath(), "COM numbers run from"},
      {3, dir / "no-such-device", "does not exist"},  {3, dir / "plain-file", "is not a terminal device"},
      {3, dir.path(), "is not a terminal device"},    {3, "/dev/null", "is not a terminal device"},
      {3, "/dev/zero", "is not a terminal device"},   {3, "/dev/urandom", "is not a terminal device"},
      {3, "/dev/ptmx", "not a serial line"},          {4, line1.slavePath(), "is not a link"},
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
  const auto ftdi = adapter("usb-FTDI_FT232R_A1B2-if00-port0", line1.slavePath());
  ASSERT_TRUE(setPort(map, 1, line1.slavePath(), byId).ok());
  EXPECT_EQ(target(1), ftdi) << "the device name is replaced by its by-id name";

  const Report moved = setPort(map, 3, line1.slavePath(), byId);
  ASSERT_TRUE(moved.ok());
  EXPECT_EQ(target(3), ftdi);
  EXPECT_FALSE(fs::exists(fs::symlink_status(com(1)))) << "the device's old number is cleared";
  EXPECT_EQ(moved.done.size(), 2u);

  ASSERT_TRUE(setPort(map, 3, line2.slavePath(), byId).ok());
  EXPECT_EQ(target(3), line2.slavePath()) << "a device without a by-id name is linked as given";

  ASSERT_TRUE(setPort(map, 5, com(3), byId).ok());
  EXPECT_EQ(target(5), line2.slavePath()) << "a COM link given as the device: the device behind it";
}

TEST_F(PortLinks, ClearRemovesOnlyLinks) {
  ASSERT_TRUE(setPort(map, 2, line1.slavePath(), byId).ok());
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
  const auto mapped = adapter("usb-A", line1.slavePath());
  const auto second = adapter("usb-B", line2.slavePath());
  const auto third = adapter("usb-C", line3.slavePath());
  fs::create_symlink(dir / "unplugged-adapter", com(1));  // keeps its number for when it comes back
  fs::create_symlink(line1.slavePath(), com(5));          // usb-A, by its device name

  const Report first = assignAdapters(map, byId);
  ASSERT_TRUE(first.ok());
  EXPECT_EQ(target(1), dir / "unplugged-adapter");
  EXPECT_EQ(target(2), second);
  EXPECT_EQ(target(3), third);
  EXPECT_EQ(target(5), line1.slavePath()) << mapped << " already had a number";
  EXPECT_FALSE(fs::exists(fs::symlink_status(com(4))));

  const Report again = assignAdapters(map, byId);
  ASSERT_TRUE(again.ok());
  for (const auto& line : again.done) EXPECT_NE(line.find("(already)"), std::string::npos) << line;
  EXPECT_FALSE(fs::exists(fs::symlink_status(com(4)))) << "a second run changes nothing";

  adapter("usb-not-a-terminal", "/dev/null");
  const Report refused = assignAdapters(map, byId);
  ASSERT_EQ(refused.errors.size(), 1u);
  EXPECT_NE(refused.errors.front().find("is not a terminal device"), std::string::npos) << refused.errors.front();
  EXPECT_FALSE(fs::exists(fs::symlink_status(com(4)))) << "what is no terminal gets no number";
  fs::remove(byId / "usb-not-a-terminal");

  for (int number = 1; number <= 16; ++number)
    if (!fs::exists(fs::symlink_status(com(number)))) fs::create_symlink(dir / "elsewhere", com(number));
  PtyPair fourth;
  adapter("usb-D", fourth.slavePath());
  const Report full = assignAdapters(map, byId);
  ASSERT_EQ(full.errors.size(), 1u);
  EXPECT_NE(full.errors.front().find("no free COM number"), std::string::npos);
}

// Two rx041-ports auto at once with five adapters: each adapter ends up behind
// exactly one number, and no run fails.
TEST_F(PortLinks, ChangesAtTheSameTimeTakeTurns) {
  std::vector<std::unique_ptr<PtyPair>> lines;
  for (int i = 0; i < 5; ++i) {
    lines.push_back(std::make_unique<PtyPair>());
    adapter("usb-adapter-" + std::to_string(i), lines.back()->slavePath());
  }
  for (int round = 0; round < 100; ++round) {
    fs::remove_all(map);
    // The runs start together when the starting gate (a pipe) closes.
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    std::vector<pid_t> runs;
    for (int run = 0; run < 3; ++run) {
      const pid_t pid = ::fork();
      if (pid == 0) {
        ::close(gate[1]);
        char byte = 0;
        (void)!::read(gate[0], &byte, 1);
        ::_exit(assignAdapters(map, byId).ok() ? 0 : 1);
      }
      runs.push_back(pid);
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (const pid_t pid : runs) {
      int status = 0;
      ASSERT_EQ(::waitpid(pid, &status, 0), pid);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
    std::multiset<fs::path> linked;
    for (int number = 1; number <= 16; ++number)
      if (fs::is_symlink(fs::symlink_status(com(number)))) linked.insert(target(number));
    std::set<fs::path> adapters;
    for (const auto& entry : fs::directory_iterator(byId)) adapters.insert(entry.path());
    EXPECT_EQ(linked, std::multiset<fs::path>(adapters.begin(), adapters.end())) << "round " << round;
    for (int number = 1; number <= 5; ++number) EXPECT_TRUE(fs::is_symlink(fs::symlink_status(com(number))));
  }
}

TEST_F(PortLinks, FailuresNameTheirCause) {
  std::ofstream(dir / "plain-file") << "x";
  const fs::path unusableMap = dir / "plain-file" / "ports";
  adapter("usb-A", line1.slavePath());
  for (const Report& report : {setPort(unusableMap, 1, line1.slavePath(), byId), assignAdapters(unusableMap, byId)}) {
    ASSERT_EQ(report.errors.size(), 1u);
    EXPECT_NE(report.errors.front().find(std::strerror(ENOTDIR)), std::string::npos) << report.errors.front();
    EXPECT_EQ(report.errors.front().find(std::strerror(0)), std::string::npos) << report.errors.front();
  }
}

TEST(TerminalDrivers, TheKernelsTableNamesTerminalDeviceNumbers) {
  std::istringstream table(
      "/dev/tty             /dev/tty        5       0 system:/dev/tty\n"
      "serial               /dev/ttyS       4 64-111 serial\n"
      "usbserial            /dev/ttyUSB   188 0-511 serial\n"
      "pty_slave            /dev/pts      136 0-1048575 pty:slave\n");
  const std::string text = table.str();
  const struct {
    unsigned major, minor;
    bool terminal;
  } cases[] = {
      {188, 0, true}, {188, 511, true}, {188, 512, false}, {4, 64, true}, {4, 63, false},
      {136, 7, true}, {5, 0, true},     {5, 1, false},     {1, 3, false},  // /dev/null
  };
  for (const auto& c : cases) {
    std::istringstream drivers(text);
    EXPECT_EQ(listedAsTerminal(drivers, c.major, c.minor), c.terminal) << c.major << ":" << c.minor;
  }
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
  fs::create_symlink(dir /
                         "\x1B[2J\r\x9B"
                         "31mCOM6  available",
                     com(6));

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
  const std::string forged = describe(links[5]);
  EXPECT_EQ(forged.find_first_of("\x1B\r\x9B"), std::string::npos) << "control characters are shown escaped";
  EXPECT_NE(forged.find("\\x1B[2J\\r\\x9B31mCOM6"), std::string::npos) << forged;
}

}  // namespace
}  // namespace rx041::ports
