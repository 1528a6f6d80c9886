// Conversion of target settings into chip registers, as the written frames
// show it, and the solver's result codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>

#include "connected_device.h"

namespace rx041::zq3902 {
namespace {

using test::PeerReply;
using test::ScriptedBoardPeer;
using testing::ConnectedDevice;
using testing::readsIn;
using testing::setSetting;
using testing::writesIn;

class SolverTest : public ::testing::Test {
 protected:
  SolverTest() : advanced(device.advanced()), solver(device.solver()) {}

  std::int32_t copy(std::int32_t chipIndex) {
    std::int32_t status = -1;
    EXPECT_EQ(solver->CopySolverSettingsToParameters(chipIndex, &status), com::S_OK);
    return status;
  }
  std::int32_t clear(std::int32_t chipIndex) {
    std::int32_t status = -1;
    EXPECT_EQ(solver->ClearSolverSettings(chipIndex, &status), com::S_OK);
    return status;
  }
  // register -> data of the writes since the last call
  std::map<int, int> written() {
    std::map<int, int> registers;
    for (const auto& [address, data] : writesIn(device.takeFrames())) registers[address] = data;
    return registers;
  }
  void setClamps(std::int32_t chipIndex, float low, float high) {
    setSetting(*advanced, chipIndex, SolverSettingClampingLow, low);
    setSetting(*advanced, chipIndex, SolverSettingClampingHigh, high);
  }

  ConnectedDevice device;
  std::shared_ptr<IZQ3902Advanced> advanced;
  std::shared_ptr<IZQ3902Solver> solver;
};

TEST_F(SolverTest, ClampsLevelsAndDpEncodings) {
  device.peer.setRegister(1, 20, 0x5A);
  setClamps(0, 0.0f, 100.0f);  // limited to 0.02 and 99.98: codes 1 and 4095
  setSetting(*advanced, 0, SolverSettingDP, 360.0f);
  setSetting(*advanced, 0, SolverTargetLevelPointA, 10.0f);  // 410 = 0x19A
  setSetting(*advanced, 0, SolverTargetLevelPointB, 90.0f);  // 3686 = 0xE66
  setSetting(*advanced, 0, SolverTargetLevelPointC, 50.0f);  // 2048 = 0x800
  setSetting(*advanced, 0, SolverTargetLevelPointD, -3.0f);  // limited to 0.02: 1
  ASSERT_EQ(copy(0), 0);
  const auto r = written();
  EXPECT_EQ(r.at(15), 0xFF);
  EXPECT_EQ(r.at(16), 0x01);
  EXPECT_EQ(r.at(17), 0xF0);
  EXPECT_EQ(r.at(18), 0x40);  // DP 360: code 2880 = 0xB40
  EXPECT_EQ(r.at(20), 0xBA);  // DP bits 11..8 over the chip's low nibble
  EXPECT_EQ(r.at(11), 0x9A);
  EXPECT_EQ(r.at(12), 0x66);
  EXPECT_EQ(r.at(5), 0x1E);
  EXPECT_EQ(r.at(13), 0x00);
  EXPECT_EQ(r.at(14), 0x01);
  EXPECT_EQ(r.at(6), 0x80);
  EXPECT_EQ(r.count(19), 0u);
}

TEST_F(SolverTest, AnglesKeepTheChipsTopBits) {
  setClamps(0, 10.0f, 90.0f);
  for (int h = 1; h <= 4; ++h) device.peer.setRegister(1, h, 0xFF);
  setSetting(*advanced, 0, SolverTargetAngleA, 359.99f);  // 5760 = 0x1680
  setSetting(*advanced, 0, SolverTargetAngleB, 0.0f);
  setSetting(*advanced, 0, SolverTargetAngleC, 45.03f);  // 720.98: 720 = 0x2D0
  setSetting(*advanced, 0, SolverTargetAngleD, 500.0f);  // the empty marker: 8000 = 0x1F40
  ASSERT_EQ(copy(0), 0);
  const auto r = written();
  EXPECT_EQ(r.at(1), 0xF6);
  EXPECT_EQ(r.at(7), 0x80);
  EXPECT_EQ(r.at(2), 0xE0);
  EXPECT_EQ(r.at(8), 0x00);
  EXPECT_EQ(r.at(3), 0xE2);
  EXPECT_EQ(r.at(9), 0xD0);
  EXPECT_EQ(r.at(4), 0xFF);
  EXPECT_EQ(r.at(10), 0x40);
}

TEST_F(SolverTest, SwitchOutputOnlyOnceItsOperatePointWasSet) {
  setClamps(1, 10.0f, 90.0f);
  device.peer.setRegister(2, 20, 0x07);
  device.peer.setRegister(2, 21, 0xFF);
  device.peer.setRegister(2, 22, 0x00);
  setSetting(*advanced, 1, SolverTargetSwoHys, 2.6f);
  setSetting(*advanced, 1, SolverTargetSwoPolarity, 1.0f);
  ASSERT_EQ(copy(1), 0);
  auto r = written();
  EXPECT_EQ(r.at(2), 0x00);   // switch output not enabled
  EXPECT_EQ(r.at(20), 0x07);  // chip's operate point bits kept
  EXPECT_EQ(r.count(19) + r.count(21) + r.count(22), 0u);

  setSetting(*advanced, 1, SolverTargetSwoOp, 45.3f);  // 362 = 0x16A
  ASSERT_EQ(copy(1), 0);
  r = written();
  EXPECT_EQ(r.at(2), 0x20);
  EXPECT_EQ(r.at(19), 0x6A);
  EXPECT_EQ(r.at(20), 0x01);
  EXPECT_EQ(r.at(21), 0xCA);  // kept 0xC0, 2 degrees in bits 5..2, 2 quarters
  EXPECT_EQ(r.at(22), 0x80);

  // Whole degrees beyond bits 5..2 do not spill into the kept bits.
  device.peer.setRegister(2, 21, 0x00);
  device.peer.setRegister(2, 22, 0xFF);
  setSetting(*advanced, 1, SolverTargetSwoHys, 20.75f);
  setSetting(*advanced, 1, SolverTargetSwoPolarity, 0.0f);
  ASSERT_EQ(copy(1), 0);
  r = written();
  EXPECT_EQ(r.at(21), 0x13);
  EXPECT_EQ(r.at(22), 0x7F);

  // Clearing forgets the switch output.
  ASSERT_EQ(clear(1), 0);
  written();
  ASSERT_EQ(copy(1), 0);
  r = written();
  EXPECT_EQ(r.count(19) + r.count(21) + r.count(22), 0u);
}

TEST_F(SolverTest, HysteresisQuarterSteps) {
  setClamps(0, 10.0f, 90.0f);
  setSetting(*advanced, 0, SolverTargetSwoOp, 90.0f);
  const std::pair<float, int> cases[] = {{0.1f, 0x00}, {3.3f, 0x0D}, {3.375f, 0x0E}, {15.75f, 0x3F}, {4.9f, 0x13}};
  for (const auto& [hys, bits] : cases) {
    setSetting(*advanced, 0, SolverTargetSwoHys, hys);
    ASSERT_EQ(copy(0), 0);
    EXPECT_EQ(written().at(21), bits) << hys;
  }
}

TEST_F(SolverTest, ClampHighNotAboveLowStopsAfterReadingTheDp) {
  setClamps(0, 40.0f, 40.0f);
  EXPECT_EQ(copy(0), 3);
  EXPECT_EQ(device.takeFrames(), (std::vector<std::string>{"$C,O,R,1,14,FF#"}));
  setClamps(1, 60.0f, 20.0f);
  EXPECT_EQ(copy(1), 4);
  EXPECT_EQ(device.takeFrames(), (std::vector<std::string>{"$C,O,R,2,14,FF#"}));

  // The DP registers stay marked and go out with the next pass.
  setClamps(0, 10.0f, 90.0f);
  setSetting(*advanced, 0, SolverSettingDP, 55.0f);
  EXPECT_EQ(copy(0), 0);
  EXPECT_EQ(written().at(18), 0xB8);
}

TEST_F(SolverTest, OffsetFlagMapsLevelsThroughTheDacCalibration) {
  setClamps(0, 10.0f, 90.0f);
  EXPECT_EQ(setSetting(*advanced, 0, 15, 0.25f), 0);                          // K
  EXPECT_EQ(setSetting(*advanced, 0, 16, 10.0f), 0);                          // B
  EXPECT_EQ(setSetting(*advanced, 0, SolverTargetLevelPointA, 55.0f, 1), 0);  // (55 - 10) / 0.9 = 50
  EXPECT_EQ(setSetting(*advanced, 0, SolverTargetLevelPointB, 55.0f, 0), 0);
  EXPECT_EQ(setSetting(*advanced, 0, SolverSettingDP, 55.0f, 1), 0);  // not a level: unchanged
  ASSERT_EQ(copy(0), 0);
  const auto r = written();
  EXPECT_EQ(r.at(11), 0x00);  // 2048 = 0x800
  EXPECT_EQ(r.at(12), 0xCD);  // 2253 = 0x8CD
  EXPECT_EQ(r.at(5), 0x88);
  EXPECT_EQ(r.at(18), 0xB8);  // 440 = 0x1B8
}

TEST_F(SolverTest, SettingResultCodes) {
  EXPECT_EQ(setSetting(*advanced, 2, SolverSettingDP, 1.0f), 1);
  EXPECT_EQ(setSetting(*advanced, 0, 17, 1.0f), 2);
  EXPECT_EQ(setSetting(*advanced, 0, -1, 1.0f), 2);
  std::int32_t status = -1;
  EXPECT_EQ(advanced->SetSolverSetting(0, SolverSettingDP, Variant("not a number"), 0, &status), com::S_OK);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(advanced->SetSolverSetting(0, SolverSettingDP, Variant("12.5"), 0, &status), com::S_OK);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(copy(2), 1);
  EXPECT_EQ(clear(-1), 1);
  EXPECT_TRUE(device.takeFrames().empty());
}

TEST_F(SolverTest, FailedWriteStopsThePassAndLeavesLaterRegistersMarked) {
  device.peer.scriptReply("$C,O,W,1,0B", PeerReply::line(ScriptedBoardPeer::refusedWriteLine(0x0B)));
  EXPECT_EQ(clear(0), 2);
  auto frames = device.takeFrames();
  EXPECT_EQ(writesIn(frames).back().first, 11);
  // Registers 12..22 are still marked: the next copy (switch output not
  // configured) writes 19, 21 and 22 as well.
  setClamps(0, 10.0f, 90.0f);
  EXPECT_EQ(copy(0), 0);
  frames = device.takeFrames();
  EXPECT_EQ(readsIn(frames), (std::vector<int>{20, 1, 2, 3, 4}));
  std::vector<int> addresses;
  for (const auto& [address, data] : writesIn(frames)) addresses.push_back(address);
  EXPECT_EQ(addresses,
            (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}));
}

TEST_F(SolverTest, UnreadableKeptBitsStopBeforeAnythingIsWritten) {
  setClamps(0, 10.0f, 90.0f);
  device.peer.scriptReply("$C,O,R,1,03", PeerReply::line("OWI Error @03: 0x00"));
  EXPECT_EQ(copy(0), 2);
  auto frames = device.takeFrames();
  EXPECT_EQ(readsIn(frames), (std::vector<int>{20, 1, 2, 3}));
  EXPECT_TRUE(writesIn(frames).empty());

  device.peer.scriptReply("$C,O,R,1,15", PeerReply::line("OWI Error @15: 0x00"));
  EXPECT_EQ(clear(0), 2);
  frames = device.takeFrames();
  EXPECT_EQ(readsIn(frames), (std::vector<int>{3, 4, 21}));
  EXPECT_TRUE(writesIn(frames).empty());

  device.peer.scriptReply("$C,O,R,1,02", PeerReply::line("OWI Error @02: 0x00"));
  std::int32_t status = -1;
  device->PWM_mode(0, 1, 1, 1, &status);
  EXPECT_EQ(status, 2);
  frames = device.takeFrames();
  EXPECT_EQ(readsIn(frames), (std::vector<int>{1, 2}));
  EXPECT_TRUE(writesIn(frames).empty());
}

TEST_F(SolverTest, CommlockResultCodes) {
  std::int32_t status = -1;
  solver->Commlock(2, &status);
  EXPECT_EQ(status, 1);
  EXPECT_TRUE(device.takeFrames().empty());

  device.peer.scriptReply("$C,O,R,1,1C", PeerReply::line("OWI Error @1C: 0x00"));
  solver->Commlock(0, &status);
  EXPECT_EQ(status, 4);
  EXPECT_EQ(device.takeFrames().size(), 1u);

  device.peer.scriptReply("$C,O,W,1,1C", PeerReply::line(ScriptedBoardPeer::refusedWriteLine(0x1C)));
  solver->Commlock(0, &status);
  EXPECT_EQ(status, 3);
  EXPECT_EQ(device.takeFrames().size(), 2u);

  device.peer.scriptReply("$M,S,W,1", PeerReply::line("EEPROM busy, no store"));
  const std::size_t waitsBefore = device.waitsAsked().size();
  solver->Commlock(0, &status);
  const auto waited = device.waitsAsked();
  EXPECT_EQ(std::count(waited.begin() + static_cast<std::ptrdiff_t>(waitsBefore), waited.end(),
                       std::chrono::milliseconds(100)),
            1);  // between read and write
  EXPECT_EQ(status, 2);
  EXPECT_EQ(device.takeFrames().size(), 5u);  // read, write, read back, erase, store
}

}  // namespace
}  // namespace rx041::zq3902
