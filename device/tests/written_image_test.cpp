// What the device reports as last written to a part's chip: the data of its
// own write frames since the chip last loaded its RAM from the EEPROM (an
// acknowledged power-on of a part not known to be on), whichever operation
// sent them.
#include "rx041/device/written_image.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "connected_device.h"

namespace rx041::zq3902 {
namespace {

using test::PeerReply;
using test::ScriptedBoardPeer;
using testing::ConnectedDevice;
using testing::result;
using testing::setSetting;
using testing::writesIn;

std::map<int, int> imageOf(const IZQ3902WrittenImage& device, std::int32_t chipIndex) {
  std::map<int, int> registers;
  const WrittenImage image = device.lastWrittenImage(chipIndex);
  for (std::int32_t address = 0; address < WrittenImage::kRegisterCount; ++address)
    if (const auto value = image.at(address)) registers[address] = *value;
  return registers;
}

class WrittenImageTest : public ::testing::Test {
 protected:
  WrittenImageTest()
      : advanced(device.advanced()),
        solver(device.solver()),
        written(std::dynamic_pointer_cast<const IZQ3902WrittenImage>(device.device)) {}

  // register -> data of the last write of each register among the frames since the last call
  std::map<int, int> sentSinceLastCall() {
    std::map<int, int> registers;
    for (const auto& [address, data] : writesIn(device.takeFrames())) registers[address] = data;
    return registers;
  }

  ConnectedDevice device;
  std::shared_ptr<IZQ3902Advanced> advanced;
  std::shared_ptr<IZQ3902Solver> solver;
  std::shared_ptr<const IZQ3902WrittenImage> written;
};

TEST_F(WrittenImageTest, HoldsWhatEveryKindOfWriteSent) {
  ASSERT_TRUE(written) << "the device object created by ProgID offers the accessor";
  std::int32_t status = -1;
  ASSERT_EQ(solver->ClearSolverSettings(0, &status), com::S_OK);
  setSetting(*advanced, 0, SolverSettingClampingLow, 5.0f);
  setSetting(*advanced, 0, SolverSettingClampingHigh, 95.0f);
  setSetting(*advanced, 0, SolverTargetAngleB, 140.0f);
  ASSERT_EQ(solver->CopySolverSettingsToParameters(0, &status), com::S_OK);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(device->PWM_mode(0, 1, 2, 1, &status), com::S_OK);
  float k0, b0, k1, b1;
  ASSERT_EQ(device->DAC_calibration(0, &k0, &b0, &k1, &b1, &status), com::S_OK);
  device.peer.setRegister(1, 0x1C, 0x02);
  ASSERT_EQ(solver->Commlock(0, &status), com::S_OK);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(advanced->MemWrite(0, 0x30, 0x1AB), com::S_OK);  // the low byte goes out
  ASSERT_EQ(advanced->MemWrite(0, 0x120, 0x01), com::S_OK);  // never sent

  const std::map<int, int> sent = sentSinceLastCall();
  EXPECT_EQ(sent.at(0x30), 0xAB);
  for (const int address : {1, 2, 22, 32, 33, 34, 0x1C})
    EXPECT_EQ(sent.count(address), 1u) << "register " << address << " was written";
  EXPECT_EQ(imageOf(*written, 0), sent);
  EXPECT_TRUE(imageOf(*written, 1).empty()) << "Part#2 was not written";
}

TEST_F(WrittenImageTest, AWriteTheBoardRefusedStillShowsWhatWasMeant) {
  device.peer.scriptReply("$C,O,W,2,05", PeerReply::line(ScriptedBoardPeer::refusedWriteLine(5)));
  ASSERT_EQ(advanced->MemWrite(1, 5, 0x66), com::S_OK);
  EXPECT_EQ(imageOf(*written, 1), (std::map<int, int>{{5, 0x66}}));
  EXPECT_EQ(imageOf(*written, 3), (std::map<int, int>{{5, 0x66}})) << "ChipIndex 3 addresses Part#2's frames";
}

TEST_F(WrittenImageTest, OnlyAPowerOnThatReloadsTheRamForgetsWhatWasWritten) {
  enum Step { On, Off, OnUnanswered, OffUnanswered };
  const struct {
    const char* what;
    std::vector<Step> before;  // power commands to Part#1 before the write
    std::vector<Step> after;   // and after it
    bool kept;
  } cases[] = {
      {"a power-on of a part that is on keeps its RAM", {On}, {On}, true},
      {"a power-off alone", {On}, {Off}, true},
      {"a power cycle", {On}, {Off, On}, false},
      {"a power-on after one without an answer", {On}, {OnUnanswered, On}, false},
      {"a power-on after a power-off without an answer", {On}, {OffUnanswered, On}, false},
      {"a power-on that is not answered", {Off}, {OnUnanswered}, true},
  };
  const auto power = [&](Step step) {
    if (step == OnUnanswered) device.peer.scriptReply("$R,P,O,1", PeerReply::silence());
    if (step == OffUnanswered) device.peer.scriptReply("$R,P,F,1", PeerReply::silence());
    const bool on = step == On || step == OnUnanswered;
    result(on ? &IZQ3902Device::Customized_PowerOn : &IZQ3902Device::Customized_PowerOff, *device, 0);
  };
  for (const auto& c : cases) {
    for (const Step step : {Off, On, Off}) power(step);  // a known state, whatever the case before left
    ASSERT_EQ(result(&IZQ3902Device::Customized_PowerOn, *device, 0), 0);  // ... that empties the image
    for (const Step step : c.before) power(step);
    ASSERT_EQ(advanced->MemWrite(0, 7, 0x11), com::S_OK);
    for (const Step step : c.after) power(step);
    const std::map<int, int> expected = c.kept ? std::map<int, int>{{7, 0x11}} : std::map<int, int>{};
    EXPECT_EQ(imageOf(*written, 0), expected) << c.what;
  }
}

TEST_F(WrittenImageTest, AFirstPowerOnForgetsOnlyThatPart) {
  ASSERT_EQ(advanced->MemWrite(1, 8, 0x22), com::S_OK);
  ASSERT_EQ(advanced->MemWrite(0, 7, 0x11), com::S_OK);
  EXPECT_EQ(result(&IZQ3902Device::Customized_PowerOn, *device, 0), 0);
  EXPECT_TRUE(imageOf(*written, 0).empty());
  EXPECT_EQ(imageOf(*written, 1), (std::map<int, int>{{8, 0x22}}));
}

}  // namespace
}  // namespace rx041::zq3902
