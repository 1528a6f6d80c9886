// rx041ctl when things go wrong: dead lines end in exit status 1 with the
// reason, ports outside COM1..COM16 are usage errors, --stop-on-failure stops
// a script at a failed board step, failing trace logs are reported once, and
// a stopped console leaves no private port map behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>
#include <thread>

#include "ctl_process.h"
#include "rx041/bench/bench.h"
#include "rx041/test_support/scripted_board_peer.h"
#include "rx041/test_support/temp_dir.h"
#include "rx041/transport/serial_device.h"

namespace rx041::ctl {
namespace {

using namespace std::chrono_literals;
using testing::runCtl;
namespace fs = std::filesystem;

std::size_t occurrences(const std::string& text, const std::string& word) {
  std::size_t count = 0;
  for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
  return count;
}

class Rx041ctlFaultTest : public ::testing::Test {
 protected:
  std::string writeScript(const std::string& text) {
    const auto file = dir / "script.rxctl";
    std::ofstream(file) << text;
    return file.string();
  }

  test::TempDir dir;
  test::ScopedEnv ports{"RX041_PORTS", dir.path().c_str()};
  test::ScopedEnv traces{"RX041_TRACE_DIR", dir.path().c_str()};
};

TEST_F(Rx041ctlFaultTest, APortThatIsNoWorkingLineEndsWithItsReason) {
  test::ScriptedBoardPeer peer;
  const auto held = transport::openSerialDevice(peer.slavePath());
  ASSERT_TRUE(held);
  std::ofstream(dir / "plain") << "not a terminal";
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_directory(dir / "folder");
  const struct {
    fs::path target;
    const char* message;
  } cases[] = {
      {peer.slavePath(), "rx041ctl: COM5 is busy\n"},
      {dir / "plain", "rx041ctl: COM5 is not a serial device\n"},
      {dir / "folder", "rx041ctl: COM5 is not a serial device\n"},
      {"/dev/null", "rx041ctl: COM5 is not a serial device\n"},
      {dir / "fifo", "rx041ctl: COM5 is not a serial device\n"},
  };
  for (const auto& c : cases) {
    fs::remove(dir / "COM5");
    fs::create_symlink(c.target, dir / "COM5");
    const auto run = runCtl("--port COM5 Customized_PowerOn 0");
    EXPECT_EQ(run.exitCode, 1) << c.target;
    EXPECT_EQ(run.err, c.message) << c.target;
    EXPECT_EQ(run.out, "") << c.target;
  }
  transport::closeSerialDevice(held.fd);
  EXPECT_TRUE(peer.frames().empty());
}

TEST_F(Rx041ctlFaultTest, ABoardThatHangsUpOrVanishesMidScriptIsALostLine) {
  auto bench = std::make_unique<bench::Bench>(bench::BenchOptions{.comNumber = 5});
  ASSERT_EQ(bench->control("fault once hangup"), "ok");
  auto run = runCtl("--port COM5 --script " + writeScript("Customized_PowerOn 0\nCustomized_PowerOff 0\n"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "1\n") << "the script ends at the step that lost the line";
  EXPECT_EQ(run.err, "rx041ctl: COM5: line lost\n");

  const std::size_t framesBefore = bench->frames().size();
  std::thread unplug([&] {
    for (int wait = 0; wait < 300 && bench->frames().size() == framesBefore; ++wait) std::this_thread::sleep_for(10ms);
    std::this_thread::sleep_for(100ms);  // the reply is out; the script sleeps
    bench.reset();
  });
  run = runCtl("--port COM5 --script " + writeScript("Customized_PowerOn 0\nsleep 500\nCustomized_PowerOff 0\n"));
  unplug.join();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "0\n\n");
  EXPECT_EQ(run.err, "rx041ctl: COM5: line lost\n");
}

TEST_F(Rx041ctlFaultTest, OnlyCom1ToCom16AreComPorts) {
  for (const char* port : {"COM0", "COM17", "COM261", "COM-5"}) {
    const auto run = runCtl(std::string("--port ") + port + " Customized_PowerOn 0");
    EXPECT_EQ(run.exitCode, 2) << port;
    EXPECT_EQ(run.err, "rx041ctl: --port must be COM1 .. COM16 or a device path, not '" + std::string(port) + "'\n");
  }
  test::ScriptedBoardPeer peer;
  fs::create_symlink(peer.slavePath(), dir / "COM5");
  const auto run = runCtl("--port COM05 Customized_PowerOn 0");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(peer.frames(), std::vector<std::string>{"$R,P,O,1,FF,FF#"});
}

TEST_F(Rx041ctlFaultTest, StopOnFailureStopsAtARefusedCopyBeforeTheEepromIsProgrammed) {
  bench::Bench bench({.comNumber = 6});
  const std::string script = writeScript(
      "Customized_PowerOn 0\nCustomized_EnterOWI 0\nSetSolverSetting 0 2 90.0 0\n"
      "CopySolverSettingsToParameters 0\nProgramDevice 0\n");
  const auto erases = [&] {
    std::size_t count = 0;
    for (const auto& frame : bench.frames()) count += frame.rfind("$M,A,W", 0) == 0;
    return count;
  };
  ASSERT_EQ(bench.control("fault refuse"), "ok");

  auto run = runCtl("--port COM6 --stop-on-failure --script " + script);
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.out, "0\n0\n0\n2\n");
  EXPECT_NE(run.err.find("script.rxctl:4: CopySolverSettingsToParameters failed with pVal 2; stopping"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(erases(), 0u) << "nothing is programmed after the failed copy";

  run = runCtl("--port COM6 --script " + script);
  EXPECT_EQ(run.exitCode, 0) << "without the option result codes are data";
  EXPECT_EQ(run.out, "0\n0\n0\n2\n0\n");
  EXPECT_EQ(erases(), 1u);
}

TEST_F(Rx041ctlFaultTest, TraceLogsThatCannotBeCreatedAreReportedOnceEach) {
  bench::Bench bench({.comNumber = 7});
  std::ofstream(dir / "wispfly.txt") << "on\n";
  fs::create_directory(dir / "log.txt");
  fs::create_directory(dir / "KVTlog.txt");
  const auto run =
      runCtl("--port COM7 --script " + writeScript("Customized_PowerOn 0\nCustomized_EnterOWI 0\nMemRead 0 0x48\n"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.lines().size(), 3u);
  EXPECT_EQ(occurrences(run.err, "fail to create log.txt"), 1u) << run.err;
  EXPECT_EQ(occurrences(run.err, "fail to create KVT log.txt"), 1u) << run.err;
}

TEST_F(Rx041ctlFaultTest, AStoppedConsoleLeavesNoPrivatePortMapBehind) {
  test::ScopedEnv temporary("TMPDIR", dir.path().c_str());
  const auto privateMaps = [&] {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(dir.path()))
      count += entry.path().filename().string().rfind("rx041ctl-ports-", 0) == 0;
    return count;
  };
  for (const int stop : {SIGINT, SIGTERM}) {
    test::ScriptedBoardPeer peer;
    testing::BackgroundCtl ctl("--port " + peer.slavePath().string() + " --script " +
                               writeScript("Customized_PowerOn 0\nsleep 5000\n"));
    for (int wait = 0; wait < 300 && peer.frames().empty(); ++wait) std::this_thread::sleep_for(10ms);
    ASSERT_EQ(privateMaps(), 1u) << "the console runs on its private port map";
    ctl.signal(stop);
    const auto status = ctl.waitStatus(2s);
    ASSERT_TRUE(status) << "signal " << stop;
    EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == stop) << "ends by the signal, as before";
    EXPECT_EQ(privateMaps(), 0u) << "signal " << stop;
  }
}

}  // namespace
}  // namespace rx041::ctl
