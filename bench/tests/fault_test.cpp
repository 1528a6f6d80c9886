// Injected faults, as a host on the line sees them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "bench_fixture.h"
#include "faults.h"
#include "host_rules.h"
#include "rx041/transport/port_map.h"

namespace rx041::bench::test {
namespace {

using FaultTest = BenchTest;
using Clock = std::chrono::steady_clock;

TEST(FaultScheduleTest, WithoutAFaultEveryReplyGoesOutWholeInTwoOrThreePieces) {
  FaultSchedule schedule;
  const std::string reply = "Part#1 power relay ON\n";
  const Frame powerOn = *parseFrame("$R,P,O,1,FF,FF#");
  for (int i = 0; i < 4; ++i) {
    const Delivery delivery = schedule.deliver(powerOn, reply);
    EXPECT_GE(delivery.pieces.size(), 2u);
    EXPECT_LE(delivery.pieces.size(), 3u);
    std::string joined;
    for (const auto& piece : delivery.pieces) {
      EXPECT_FALSE(piece.empty());
      joined += piece;
    }
    EXPECT_EQ(joined, reply);
    EXPECT_LT(delivery.gap, std::chrono::milliseconds(1));
    EXPECT_EQ(delivery.delay.count(), 0);
  }
}

TEST(FaultScheduleTest, ParsesKindsArgumentsAndTheOnceMarker) {
  std::string reason;
  const auto split = parseFault("once split 4", reason);
  ASSERT_TRUE(split);
  EXPECT_EQ(split->kind, FaultKind::Split);
  EXPECT_EQ(split->argument, 4);
  EXPECT_TRUE(split->once);
  EXPECT_EQ(describeFault(*split), "once split 4");
  EXPECT_EQ(parseFault("none", reason)->kind, FaultKind::None);
  const auto targeted = parseFault("delay 600 at M,e,W", reason);
  ASSERT_TRUE(targeted);
  EXPECT_EQ(targeted->command, "M,e,W");
  EXPECT_EQ(describeFault(*targeted), "delay 600 at M,e,W");
  for (const char* bad :
       {"split 0", "delay", "delay -5", "delay 5x", "bogus", "once", "silent 3", "none now", "silent at",
        "silent at COR", "silent at C,O,R,1", "silent at C,O,R now", "silent on C,O,R"}) {
    EXPECT_FALSE(parseFault(bad, reason)) << bad;
    EXPECT_FALSE(reason.empty()) << bad;
  }
}

TEST_F(FaultTest, SilentLosesRepliesUntilClearedButTheBoardStillActs) {
  ASSERT_EQ(bench->control("fault silent"), "ok");
  EXPECT_EQ(exchange("$R,P,O,1,FF,FF#", 60ms), "");
  EXPECT_EQ(exchange("$R,D,O,1,FF,FF#", 60ms), "");
  EXPECT_NE(bench->control("state 0").find("power=on mode=owi"), std::string::npos);
  ASSERT_EQ(bench->control("fault none"), "ok");
  EXPECT_EQ(exchange("$R,P,O,1,FF,FF#").size(), 21u);
}

TEST_F(FaultTest, OnceFaultsHitOnlyTheNextReply) {
  ASSERT_EQ(bench->control("fault once silent"), "ok");
  EXPECT_EQ(exchange("$X,P,O,1,FF,FF#", 30ms), "") << "an unanswered frame does not use the fault up";
  EXPECT_EQ(exchange("$R,P,O,1,FF,FF#", 60ms), "");
  EXPECT_EQ(exchange("$R,P,O,1,FF,FF#").size(), 21u);
  EXPECT_EQ(bench->control("fault"), "ok none");
}

TEST_F(FaultTest, ATargetedFaultWaitsForItsCommand) {
  ASSERT_EQ(bench->control("fault once silent at R,P,F"), "ok");
  EXPECT_EQ(exchange("$R,P,O,1,FF,FF#").size(), 21u) << "another command passes and does not use the fault up";
  EXPECT_EQ(exchange("$R,P,F,1,FF,FF#", 60ms), "");
  EXPECT_EQ(exchange("$R,P,F,1,FF,FF#").size(), 22u);

  enterOwi(0);
  ASSERT_EQ(bench->control("fault refuse at R,P,O"), "ok");
  EXPECT_EQ(judgeWrite(exchange("$C,O,W,1,28,34#"), 0x28), 0) << "refuse hits OWI writes only";
}

TEST_F(FaultTest, DelayHoldsTheReplyBack) {
  ASSERT_EQ(bench->control("fault once delay 120"), "ok");
  const auto start = Clock::now();
  EXPECT_EQ(exchange("$V,V,R,0,FF,FF#", 1000ms).size(), 28u);
  EXPECT_GE(Clock::now() - start, 120ms);
}

TEST_F(FaultTest, LaterFramesAreAnsweredWhileADelayedReplyIsHeldBack) {
  enterOwi(0);
  writeRegister(0, 0x10, 0x55);
  writeRegister(0, 0x11, 0x66);
  ASSERT_EQ(bench->control("fault once delay 400 at C,O,R"), "ok");
  const auto start = Clock::now();
  host->send(frame('C', 'O', 'R', 1, 0x10));
  host->send(frame('C', 'O', 'R', 1, 0x11));
  host->send(frame('V', 'V', 'R', 0));
  // The frames after the late one are answered at once and in order; the late
  // line follows when it falls due.
  EXPECT_EQ(judgeRead(host->readLine(300ms).value_or("")), 0x66);
  EXPECT_EQ(judgeVersion(host->readLine(300ms).value_or("")).result, 0);
  EXPECT_LT(Clock::now() - start, 300ms);
  EXPECT_EQ(judgeRead(host->readLine(1000ms).value_or("")), 0x55);
  EXPECT_GE(Clock::now() - start, 400ms);
}

TEST_F(FaultTest, ABenchClosesPromptlyWhileAReplyIsHeldBack) {
  ASSERT_EQ(bench->control("fault delay 60000"), "ok");
  host->send("$V,V,R,0,FF,FF#");
  std::this_thread::sleep_for(20ms);
  const auto start = Clock::now();
  bench.reset();
  EXPECT_LT(Clock::now() - start, 1000ms);
}

TEST_F(FaultTest, SplitSendsTheReplyInPiecesWithGaps) {
  ASSERT_EQ(bench->control("fault split 4"), "ok");
  for (int round = 0; round < 2; ++round) {
    const auto start = Clock::now();
    EXPECT_EQ(judgeRead(exchange("$C,O,R,1,48,FF#")), 511) << "no OWI session: the short error line";
    const auto line = exchange("$V,V,R,0,FF,FF#");
    EXPECT_EQ(judgeVersion(line).result, 0) << line;
    EXPECT_GE(Clock::now() - start, 6ms) << "three gaps of each reply";
  }
}

TEST_F(FaultTest, GarbageSendsAStrayLineThatNoHostTakesForTheReply) {
  ASSERT_EQ(bench->control("fault once garbage"), "ok");
  host->send("$R,P,O,2,FF,FF#");
  const auto stray = host->readLine();
  ASSERT_TRUE(stray);
  EXPECT_LT(stray->size(), 12u);
  EXPECT_EQ(host->readLine().value_or("").size(), 21u);
}

TEST_F(FaultTest, RefuseFailsOwiWritesAndLeavesTheRegister) {
  enterOwi(0);
  writeRegister(0, 40, 0x12);
  ASSERT_EQ(bench->control("fault once refuse"), "ok");
  EXPECT_EQ(readRegister(0, 40), 0x12) << "reads pass and do not use the fault up";
  EXPECT_EQ(judgeWrite(exchange("$C,O,W,1,28,34#"), 0x28), 2);
  EXPECT_EQ(bench->ram(0, 40), 0x12);
  EXPECT_EQ(judgeWrite(exchange("$C,O,W,1,28,34#"), 0x28), 0);

  ASSERT_EQ(bench->control("fault refuse"), "ok");
  EXPECT_EQ(judgeWrite(exchange("$C,O,W,1,28,01#"), 0x28), 2);
  EXPECT_EQ(judgeWrite(exchange("$C,O,W,1,28,02#"), 0x28), 2);
  EXPECT_EQ(bench->ram(0, 40), 0x34);
}

TEST(FaultHangupTest, TheLineDropsAndComesBackAsANewDeviceBehindTheSameCom) {
  rx041::test::TempDir dir;
  rx041::test::ScopedEnv ports("RX041_PORTS", dir.path().c_str());
  Bench bench({.comNumber = 4});
  const auto firstDevice = bench.devicePath();
  RawLine host(transport::comPortPath(4));
  host.send("$R,P,O,1,FF,FF#");
  ASSERT_EQ(host.readLine().value_or("").size(), 21u);

  ASSERT_EQ(bench.control("fault once hangup"), "ok");
  host.send("$R,P,F,1,FF,FF#");
  EXPECT_TRUE(host.waitForHangup(1000ms));
  EXPECT_NE(bench.devicePath(), firstDevice);
  EXPECT_EQ(std::filesystem::read_symlink(transport::comPortPath(4)), bench.devicePath());

  EXPECT_NE(bench.control("state 0").find("power=off"), std::string::npos)
      << "the board acted on the frame; only its reply was lost with the line";

  RawLine again(transport::comPortPath(4));
  again.send("$R,P,O,1,FF,FF#");
  EXPECT_EQ(again.readLine().value_or("").size(), 21u);
}

}  // namespace
}  // namespace rx041::bench::test
