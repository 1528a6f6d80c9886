// The bench as a serial device and a service: reopening the port, the COM
// link, line-rate pacing, the transcript and the control socket.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <regex>
#include <thread>

#include "bench_fixture.h"
#include "rx041/transport/port_map.h"
#include "rx041/transport/serial_device.h"

namespace rx041::bench::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class ScopedPorts {
 public:
  rx041::test::TempDir dir;
  rx041::test::ScopedEnv ports{"RX041_PORTS", dir.path().c_str()};
};

// A client of the control socket.
class ControlClient {
 public:
  explicit ControlClient(const fs::path& path) : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    connected_ = ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    timeval timeout{1, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  }
  ~ControlClient() { ::close(fd_); }
  bool connected() const { return connected_; }

  void send(const std::string& text) { ASSERT_EQ(::write(fd_, text.data(), text.size()), ssize_t(text.size())); }
  std::string line() {
    for (;;) {
      if (const auto end = pending_.find('\n'); end != std::string::npos) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return line;
      }
      char buffer[256];
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n <= 0) return "<no reply>";
      pending_.append(buffer, static_cast<std::size_t>(n));
    }
  }
  std::string ask(const std::string& command) {
    send(command + "\n");
    return line();
  }

 private:
  int fd_;
  bool connected_ = false;
  std::string pending_;
};

TEST(SerialLineTest, AClientMayCloseAndReopenThePort) {
  Bench bench;
  for (int round = 0; round < 3; ++round) {
    RawLine host(bench.devicePath());
    host.send("$R,P,O,1,FF,FF#");
    EXPECT_EQ(host.readLine().value_or("").size(), 21u) << "round " << round;
    // A reply left unread in the line: the next opener flushes it on open.
    host.send("$V,V,R,0,FF,FF#");
    std::this_thread::sleep_for(20ms);
  }
  RawLine host(bench.devicePath());
  host.send("$R,P,F,1,FF,FF#");
  EXPECT_EQ(host.readLine().value_or("").size(), 22u);
}

TEST(SerialLineTest, AnUnprivilegedClientMayReopenThePortItHeldExclusively) {
  Bench bench;
  const fs::path device = bench.devicePath();
  // The check means something only without privileges, which pass the
  // exclusive mode by; as root, run it as nobody.
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(device.c_str(), 65534, 65534), 0);
  }
  const pid_t child = ::fork();
  if (child == 0) {
    if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    for (int round = 0; round < 3; ++round) {
      const auto opened = transport::openSerialDevice(device);
      if (!opened) ::_exit(10 + round);
      ::close(opened.fd);
      std::this_thread::sleep_for(20ms);  // the bench notices the close
    }
    ::_exit(0);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10 + the round whose open failed";
}

TEST(SerialLineTest, LineRatePacesRepliesAt115200Baud) {
  Bench bench({.lineRate = true});
  RawLine host(bench.devicePath());
  const auto start = Clock::now();
  host.send("$V,V,R,0,FF,FF#");
  EXPECT_EQ(host.readLine().value_or("").size(), 28u);
  // 29 bytes of 10 bits each take 2.5 ms on the wire.
  EXPECT_GE(Clock::now() - start, std::chrono::microseconds(2400));
}

TEST(SerialLineTest, TranscriptListsEveryFrameWithItsTime) {
  rx041::test::TempDir dir;
  const fs::path file = dir / "transcript.txt";
  {
    Bench bench({.transcript = file});
    RawLine host(bench.devicePath());
    host.send("$R,P,O,1,FF,FF#");
    host.readLine();
    host.send(std::string("$C,O,R,1,4\x01,FF#"));
    host.readLine(30ms);
    EXPECT_EQ(bench.frames(), (std::vector<std::string>{"$R,P,O,1,FF,FF#", "$C,O,R,1,4\x01,FF#"}));
  }
  std::ifstream in(file);
  std::string first, second, third;
  std::getline(in, first);
  std::getline(in, second);
  EXPECT_FALSE(std::getline(in, third));
  EXPECT_TRUE(std::regex_match(first, std::regex(R"(\d+ \$R,P,O,1,FF,FF#)"))) << first;
  EXPECT_TRUE(std::regex_match(second, std::regex(R"(\d+ \$C,O,R,1,4\\x01,FF#)"))) << second;
}

TEST(ComLinkTest, TheBenchStandsBehindItsComNumberWhileItRuns) {
  ScopedPorts ports;
  const fs::path link = transport::comPortPath(2);
  {
    Bench bench({.comNumber = 2});
    EXPECT_EQ(fs::read_symlink(link), bench.devicePath());
    EXPECT_THROW(Bench({.comNumber = 2}), std::runtime_error) << "COM2 is taken";
    EXPECT_EQ(fs::read_symlink(link), bench.devicePath()) << "and left as it was";
    Bench other({.comNumber = 3});
    EXPECT_EQ(fs::read_symlink(transport::comPortPath(3)), other.devicePath());
  }
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  EXPECT_FALSE(fs::exists(fs::symlink_status(transport::comPortPath(3))));
}

TEST(ComLinkTest, ADanglingLinkIsReplacedAndALiveOneIsNot) {
  ScopedPorts ports;
  fs::create_symlink(ports.dir / "gone", transport::comPortPath(5));
  {
    Bench bench({.comNumber = 5});
    EXPECT_EQ(fs::read_symlink(transport::comPortPath(5)), bench.devicePath());
  }
  fs::create_symlink("/dev/null", transport::comPortPath(6));
  EXPECT_THROW(Bench({.comNumber = 6}), std::runtime_error);
  EXPECT_EQ(fs::read_symlink(transport::comPortPath(6)), "/dev/null");
  EXPECT_THROW(Bench({.comNumber = 17}), std::runtime_error);
}

TEST(ControlSocketTest, AnswersEachLineAndServesSeveralClients) {
  rx041::test::TempDir dir;
  const fs::path socket = dir / "control";
  Bench bench({.controlSocket = socket});
  ControlClient first(socket), second(socket);
  ASSERT_TRUE(first.connected());
  ASSERT_TRUE(second.connected());
  EXPECT_EQ(first.ask("id 1 0x36"), "ok");
  first.send("ram 1 72\r\nvdd 1 4.5\nbogus\n");
  EXPECT_EQ(first.line(), "ok 54");
  EXPECT_EQ(first.line(), "ok");
  EXPECT_EQ(first.line().rfind("error ", 0), 0u);
  EXPECT_EQ(second.ask("state 1"), "ok chip=present power=off mode=adc owi=off relay=none switch=disabled locked=no");
  EXPECT_EQ(second.ask(std::string(5000, 'x')), "error line too long");
  EXPECT_EQ(second.ask("frames"), "ok 0");
}

TEST(ControlSocketTest, AStaleSocketFileIsReplacedAndALiveOneIsNot) {
  rx041::test::TempDir dir;
  const fs::path socket = dir / "control";
  {
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(stale);  // the file stays, nobody listens
  }
  Bench bench({.controlSocket = socket});
  EXPECT_EQ(ControlClient(socket).ask("frames"), "ok 0");
  EXPECT_THROW(Bench({.controlSocket = socket}), std::runtime_error);
  EXPECT_EQ(ControlClient(socket).ask("frames"), "ok 0") << "the first bench keeps its socket";
  std::ofstream(dir / "plain") << "x";
  EXPECT_THROW(Bench({.controlSocket = dir / "plain"}), std::runtime_error);
}

}  // namespace
}  // namespace rx041::bench::test
