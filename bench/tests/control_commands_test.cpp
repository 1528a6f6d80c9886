// The control language: what each command changes and reports, and how it
// refuses malformed input.
#include "control_commands.h"

#include <gtest/gtest.h>

namespace rx041::bench {
namespace {

class ControlCommandsTest : public ::testing::Test {
 protected:
  std::string run(const std::string& line) { return runControlCommand(state, line); }
  BenchState state;
};

TEST_F(ControlCommandsTest, SettersReachTheBoardAndTheChips) {
  EXPECT_EQ(run("angle 1 123.5"), "ok");
  EXPECT_DOUBLE_EQ(state.board.position(1).chip.angle(), 123.5);
  EXPECT_EQ(run("vdd 0 4.75"), "ok");
  EXPECT_DOUBLE_EQ(state.board.position(0).vdd, 4.75);
  EXPECT_EQ(run("chip 1 absent"), "ok");
  EXPECT_FALSE(state.board.position(1).present);
  EXPECT_EQ(run("chip 1 present"), "ok");
  EXPECT_TRUE(state.board.position(1).present);
  EXPECT_EQ(run("id 0 0x3A"), "ok");
  EXPECT_EQ(run("ram 0 72"), "ok 58");
  EXPECT_EQ(run("eeprom 0 72"), "ok 0");
  EXPECT_EQ(run("  dac   0 1.5 -2  "), "ok");
}

TEST_F(ControlCommandsTest, OutputAndStateReportWhatTheAdcWouldSee) {
  EXPECT_EQ(run("output 0"), "ok 0.000");
  EXPECT_EQ(run("dac 0 1 30"), "ok");
  ASSERT_TRUE(state.board.handle(*parseFrame("$R,P,O,1,FF,FF#")));
  ASSERT_TRUE(state.board.handle(*parseFrame("$R,M,A,1,FF,FF#")));
  EXPECT_EQ(run("output 0"), "ok 30.000") << "an all-zero chip puts out its DAC offset";
  EXPECT_EQ(run("state 0"), "ok chip=present power=on mode=adc owi=off relay=output switch=disabled locked=no");
  EXPECT_EQ(run("state 1"), "ok chip=present power=off mode=adc owi=off relay=none switch=disabled locked=no");
}

TEST_F(ControlCommandsTest, FaultsAreSetShownAndCleared) {
  EXPECT_EQ(run("fault"), "ok none");
  EXPECT_EQ(run("fault delay 250"), "ok");
  EXPECT_EQ(run("fault"), "ok delay 250");
  EXPECT_EQ(run("fault once hangup"), "ok");
  EXPECT_EQ(run("fault"), "ok once hangup");
  EXPECT_EQ(run("fault none"), "ok");
  EXPECT_EQ(state.faults.current().kind, FaultKind::None);
}

TEST_F(ControlCommandsTest, AStuckRegisterAcknowledgesWritesItIgnores) {
  const auto send = [&](const char* frame) { return state.board.handle(*parseFrame(frame)).value_or("no reply"); };
  for (const char* frame : {"$R,P,O,1,FF,FF#", "$R,D,O,1,FF,FF#", "$M,E,W,1,1F,55#"}) send(frame);
  EXPECT_EQ(run("stuck 0 0x0B"), "ok");
  EXPECT_EQ(send("$C,O,W,1,0B,66#"), "P1 OWI Write: 0B 66\n") << "acknowledged as any write";
  send("$C,O,W,1,0C,66#");
  EXPECT_EQ(run("ram 0 11"), "ok 0");
  EXPECT_EQ(run("ram 0 12"), "ok 102");
  EXPECT_EQ(run("ram 1 11"), "ok 0");

  send("$R,P,F,1,FF,FF#");
  for (const char* frame : {"$R,P,O,1,FF,FF#", "$R,D,O,1,FF,FF#", "$M,E,W,1,1F,55#"}) send(frame);
  send("$C,O,W,1,0B,66#");
  EXPECT_EQ(run("ram 0 11"), "ok 0") << "still stuck after a power cycle";
  EXPECT_EQ(run("stuck 0 none"), "ok");
  send("$C,O,W,1,0B,66#");
  EXPECT_EQ(run("ram 0 11"), "ok 102");
}

TEST_F(ControlCommandsTest, MalformedCommandsAreRefusedWithAReason) {
  for (const char* bad : {"",
                          "warp 0",
                          "angle 2 10",
                          "angle 0",
                          "angle 0 ten",
                          "angle 0 nan",
                          "vdd 0 -1",
                          "chip 0 maybe",
                          "id 0 256",
                          "id 0 12abc",
                          "stuck 2 11",
                          "stuck 0 256",
                          "stuck 0",
                          "ram 0 300",
                          "eeprom -1 0",
                          "dac 0 1",
                          "output",
                          "state 0 1",
                          "fault split",
                          "fault sometimes"}) {
    const std::string reply = run(bad);
    EXPECT_EQ(reply.rfind("error ", 0), 0u) << "'" << bad << "' -> " << reply;
    EXPECT_GT(reply.size(), 6u) << bad;
  }
  EXPECT_EQ(state.board.position(0).vdd, 5.0) << "a refused command changes nothing";
  EXPECT_EQ(run("help").rfind("ok", 0), 0u);
}

}  // namespace
}  // namespace rx041::bench
