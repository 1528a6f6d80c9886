// The frames each operation sends, in order, as a board that knows only the
// frames sees them.
#include <gtest/gtest.h>

#include <optional>

#include "connected_device.h"

namespace rx041::zq3902 {
namespace {

using testing::ConnectedDevice;
using testing::result;
using Frames = std::vector<std::string>;

class CommandSequenceTest : public ::testing::Test {
 protected:
  ConnectedDevice device;
};

TEST_F(CommandSequenceTest, PowerRelayAndModeCommandsUseThePartField) {
  EXPECT_EQ(result(&IZQ3902Device::Customized_PowerOn, *device, 0), 0);
  EXPECT_EQ(result(&IZQ3902Device::Customized_PowerOn, *device, 3), 0);
  EXPECT_EQ(result(&IZQ3902Device::Customized_PowerOff, *device, 1), 0);
  EXPECT_EQ(result(&IZQ3902Device::Customized_Mode0V, *device, 0), 0);
  EXPECT_EQ(result(&IZQ3902Device::Customized_SetADCMode, *device, 1), 0);
  EXPECT_EQ(result(&IZQ3902Device::Customized_QuitOWI, *device, 0), 0);
  EXPECT_EQ(device.takeFrames(), (Frames{"$R,P,O,1,FF,FF#", "$R,P,O,2,FF,FF#", "$R,P,F,2,FF,FF#", "$R,M,A,1,FF,FF#",
                                         "$R,D,A,2,FF,FF#", "$M,e,W,1,1F,55#"}));
}

TEST_F(CommandSequenceTest, EnterOwiSetsTheModeOfEachPartFirst) {
  EXPECT_EQ(result(&IZQ3902Device::Customized_EnterOWI, *device, 0), 0);
  EXPECT_EQ(device.takeFrames(), (Frames{"$R,D,O,1,FF,FF#", "$M,E,W,1,1F,55#"}));
  EXPECT_EQ(result(&IZQ3902Device::Customized_EnterOWI, *device, 1), 0);
  EXPECT_EQ(device.takeFrames(), (Frames{"$R,D,O,2,FF,FF#", "$M,E,W,2,1F,55#"}));
  EXPECT_EQ(result(&IZQ3902Device::Customized_EnterOWI, *device, 3), 0);
  EXPECT_EQ(device.takeFrames(), (Frames{"$R,D,O,1,FF,FF#", "$R,D,O,2,FF,FF#", "$M,E,W,0,1F,55#"}));
  EXPECT_EQ(result(&IZQ3902Device::Customized_EnterOWI, *device, 5), 0);
  EXPECT_EQ(device.takeFrames(), (Frames{"$M,E,W,2,1F,55#"}));
}

TEST_F(CommandSequenceTest, MeasurementsAndAngle) {
  float value = 0;
  device->Measure(1, MeasVolt, &value);
  EXPECT_EQ(device.takeFrames(), (Frames{"$M,T,W,0,FF,FF#"}));
  device->MeasureVdd(1, &value);
  EXPECT_EQ(device.takeFrames(), (Frames{"$R,M,V,2,FF,FF#", "$M,T,W,0,FF,FF#", "$R,M,A,2,FF,FF#"}));
  device->MeasureVdd(3, &value);  // the relays of Part#1 only
  EXPECT_EQ(device.takeFrames(), (Frames{"$R,M,V,1,FF,FF#", "$M,T,W,0,FF,FF#", "$R,M,A,1,FF,FF#"}));
  device->GetAngle(1, &value);
  EXPECT_EQ(device.takeFrames(), (Frames{"$C,O,R,2,49,FF#", "$C,O,R,2,4A,FF#"}));
}

TEST_F(CommandSequenceTest, ProgrammingAndVersions) {
  EXPECT_EQ(result(&IZQ3902Device::ProgramDevice, *device, 0), 0);
  EXPECT_EQ(device.takeFrames(), (Frames{"$M,A,W,1,52,FF#", "$M,S,W,1,50,FF#"}));

  std::int32_t major = 0, minor = 0, build = 0, status = -1;
  device->ProgrammerVersion(&major, &minor, &build, &status);
  EXPECT_EQ(device.takeFrames(), (Frames{"$V,V,R,0,FF,FF#"}));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(major * 100 + minor * 10 + build, 123);

  std::int32_t version = 0;
  device.advanced()->get_ChipVersion(1, &version);
  EXPECT_EQ(device.takeFrames(), (Frames{"$C,O,R,2,48,FF#"}));
}

// Commlock reads the lock register back after writing it and stores the
// EEPROM only when it holds what was written.
TEST_F(CommandSequenceTest, CommlockStoresOnlyALockBitThatReadsBack) {
  using test::PeerReply;
  using test::ScriptedBoardPeer;
  const Frames lockAndReadBack = {"$C,O,R,2,1C,FF#", "$C,O,W,2,1C,15#", "$C,O,R,2,1C,FF#"};
  Frames stored = lockAndReadBack;
  stored.insert(stored.end(), {"$M,A,W,2,52,FF#", "$M,S,W,2,50,FF#"});
  const struct {
    const char* what;
    std::optional<PeerReply> readBack;  // none: the register as the write left it
    bool writeTakes;
    std::int32_t expected;
    Frames frames;
  } cases[] = {
      {"the chip takes the lock bit", std::nullopt, true, 0, stored},
      {"the write is acknowledged but not taken", std::nullopt, false, 5, lockAndReadBack},
      {"another value reads back", PeerReply::line(ScriptedBoardPeer::readLine(0x1C, 0x14)), true, 5, lockAndReadBack},
      {"the read-back fails", PeerReply::line("OWI Error @1C: 0x15"), true, 5, lockAndReadBack},
  };
  for (const auto& c : cases) {
    device.peer.setRegister(2, 0x1C, 0x05);
    device.peer.setResponder([&c](const std::string& frame) -> std::optional<PeerReply> {
      // A worn cell: the board answers the write as done and the chip keeps its byte.
      if (!c.writeTakes && frame.rfind("$C,O,W,2,1C", 0) == 0)
        return PeerReply::line(ScriptedBoardPeer::writeLine(0x1C, 0x15));
      return std::nullopt;
    });
    device.peer.scriptReply("$C,O,R,2,1C", PeerReply::line(ScriptedBoardPeer::readLine(0x1C, 0x05)));
    if (c.readBack) device.peer.scriptReply("$C,O,R,2,1C", *c.readBack);
    std::int32_t locked = -1;
    ASSERT_EQ(device.solver()->Commlock(1, &locked), com::S_OK);
    EXPECT_EQ(locked, c.expected) << c.what;
    EXPECT_EQ(device.takeFrames(), c.frames) << c.what;
  }
}

TEST_F(CommandSequenceTest, PwmModeReadsBothRegistersBeforeWriting) {
  device.peer.setRegister(1, 1, 0xFF);
  device.peer.setRegister(1, 2, 0x00);
  std::int32_t status = -1;
  device->PWM_mode(0, 2, 3, 1, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(device.takeFrames(), (Frames{"$C,O,R,1,01,FF#", "$C,O,R,1,02,FF#", "$C,O,W,1,01,FF#", "$C,O,W,1,02,80#"}));

  device.peer.setRegister(2, 1, 0x1A);
  device.peer.setRegister(2, 2, 0x3F);
  device->PWM_mode(1, 1, 1, 0, &status);
  EXPECT_EQ(device.takeFrames(), (Frames{"$C,O,R,2,01,FF#", "$C,O,R,2,02,FF#", "$C,O,W,2,01,5A#", "$C,O,W,2,02,7F#"}));
}

Frames dacRoundOnePart(char p, const char* code) {
  const std::string part(1, p);
  return {"$R,D,O," + part + ",FF,FF#", "$M,E,W," + part + ",1F,55#", "$C,O,W," + part + ",20," + code + "#",
          "$C,O,W," + part + ",21,FF#", "$C,O,W," + part + ",22,01#", "$M,e,W," + part + ",1F,55#",
          "$R,D,A," + part + ",FF,FF#", "$R,M,A," + part + ",FF,FF#", "$M,T,W,0,FF,FF#"};
}

TEST_F(CommandSequenceTest, DacCalibrationOfOnePart) {
  float k0, b0, k1, b1;
  std::int32_t status;
  device->DAC_calibration(1, &k0, &b0, &k1, &b1, &status);
  Frames expected;
  for (const char* code : {"00", "07", "0E"}) {
    const Frames round = dacRoundOnePart('2', code);
    expected.insert(expected.end(), round.begin(), round.end());
  }
  expected.insert(expected.end(), {"$R,D,O,2,FF,FF#", "$M,E,W,2,1F,55#", "$C,O,W,2,22,00#"});
  EXPECT_EQ(device.takeFrames(), expected);
}

TEST_F(CommandSequenceTest, DacCalibrationOfBothParts) {
  float k0, b0, k1, b1;
  std::int32_t status;
  device->DAC_calibration(3, &k0, &b0, &k1, &b1, &status);
  Frames expected;
  for (const std::string code : {"00", "07", "0E"}) {
    expected.insert(expected.end(), {"$R,D,O,1,FF,FF#", "$R,D,O,2,FF,FF#", "$M,E,W,0,1F,55#",  //
                                     "$C,O,W,1,20," + code + "#", "$C,O,W,1,21,FF#", "$C,O,W,1,22,01#",
                                     "$C,O,W,2,20," + code + "#", "$C,O,W,2,21,FF#", "$C,O,W,2,22,01#",  //
                                     "$M,e,W,1,1F,55#", "$M,e,W,2,1F,55#", "$R,D,A,1,FF,FF#", "$R,D,A,2,FF,FF#",
                                     "$R,M,A,1,FF,FF#", "$M,T,W,0,FF,FF#", "$R,M,A,2,FF,FF#", "$M,T,W,0,FF,FF#"});
  }
  expected.insert(expected.end(),
                  {"$R,D,O,1,FF,FF#", "$R,D,O,2,FF,FF#", "$M,E,W,0,1F,55#", "$C,O,W,1,22,00#", "$C,O,W,2,22,00#"});
  EXPECT_EQ(device.takeFrames(), expected);
}

TEST_F(CommandSequenceTest, SolverReadsKeptRegistersThenWritesInAscendingOrder) {
  auto solver = device.solver();
  std::int32_t status = -1;
  solver->ClearSolverSettings(0, &status);
  EXPECT_EQ(status, 0);
  Frames frames = device.takeFrames();
  EXPECT_EQ(testing::readsIn(frames), (std::vector<int>{3, 4, 21, 22}));
  ASSERT_EQ(frames.size(), 4u + 22u);
  const auto writes = testing::writesIn(frames);
  for (int address = 1; address <= 22; ++address)
    EXPECT_EQ(writes.at(static_cast<std::size_t>(address - 1)).first, address);
  EXPECT_EQ(frames[0], "$C,O,R,1,03,FF#");  // the reads come first

  auto advanced = device.advanced();
  testing::setSetting(*advanced, 1, SolverSettingClampingHigh, 90.0f);
  testing::setSetting(*advanced, 1, SolverSettingClampingLow, 10.0f);
  solver->CopySolverSettingsToParameters(1, &status);
  EXPECT_EQ(status, 0);
  frames = device.takeFrames();
  EXPECT_EQ(testing::readsIn(frames), (std::vector<int>{20, 1, 2, 3, 4}));
  std::vector<int> written;
  for (const auto& [address, data] : testing::writesIn(frames)) written.push_back(address);
  EXPECT_EQ(written, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20}));
  EXPECT_EQ(frames[5], "$C,O,W,2,01,00#");  // part field 2 throughout

  testing::setSetting(*advanced, 1, SolverTargetSwoOp, 10.0f);
  solver->CopySolverSettingsToParameters(1, &status);
  frames = device.takeFrames();
  EXPECT_EQ(testing::readsIn(frames), (std::vector<int>{20, 1, 2, 3, 4, 21, 22}));
  EXPECT_EQ(testing::writesIn(frames).size(), 22u);
}

}  // namespace
}  // namespace rx041::zq3902
