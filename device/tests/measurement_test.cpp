// Measurement, DAC calibration, angle, EEPROM programming and version
// results, with the board's readings scripted.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <map>

#include "connected_device.h"

namespace rx041::zq3902 {
namespace {

using test::PeerReply;
using test::ScriptedBoardPeer;
using testing::adcCodeOf;
using testing::ConnectedDevice;
using testing::result;
using Frames = std::vector<std::string>;

class MeasurementTest : public ::testing::Test {
 protected:
  float measure(std::int32_t chipIndex, MeasureTypes type) {
    float value = 0;
    EXPECT_EQ(device->Measure(chipIndex, type, &value), com::S_OK);
    return value;
  }
  float measureVdd(std::int32_t chipIndex) {
    float value = 0;
    EXPECT_EQ(device->MeasureVdd(chipIndex, &value), com::S_OK);
    return value;
  }

  ConnectedDevice device;
};

TEST_F(MeasurementTest, AdcCodesBecomeVoltsAndPercentOfTheSupply) {
  device.peer.setAdcCode(32768);
  EXPECT_FLOAT_EQ(measure(0, MeasVolt), 0.0f);
  device.peer.setAdcCode(0);
  EXPECT_FLOAT_EQ(measure(0, MeasVolt), -5.0f);
  device.peer.setAdcCode(65535);
  EXPECT_FLOAT_EQ(measure(1, MeasVolt), 4.99984741f);
  EXPECT_FLOAT_EQ(measure(0, MeasPercentVDD), 99.99695f);
  EXPECT_FLOAT_EQ(measure(0, static_cast<MeasureTypes>(3)), -100.0f);
  EXPECT_EQ(device.takeFrames().size(), 5u);  // the unknown type still reads the ADC
  EXPECT_EQ(device->Measure(0, MeasVolt, nullptr), com::E_POINTER);
}

TEST_F(MeasurementTest, MeasuredSupplyIsUsedForPercentages) {
  device.peer.setAdcCode(adcCodeOf(4.0));
  EXPECT_NEAR(measureVdd(1), 4.0f, 1e-3);
  const auto waited = device.waitsAsked();
  EXPECT_EQ(std::count(waited.begin(), waited.end(), std::chrono::milliseconds(300)), 1);  // the relay settling
  device.peer.setAdcCode(adcCodeOf(2.0));
  EXPECT_NEAR(measure(1, MeasPercentVDD), 50.0f, 0.01);  // Part#2: 2 of 4 V
  EXPECT_NEAR(measure(0, MeasPercentVDD), 40.0f, 0.01);  // Part#1 still at 5 V
  EXPECT_NEAR(measure(7, MeasPercentVDD), 50.0f, 0.01);  // any other index: Part#2

  device.peer.setAdcCode(adcCodeOf(2.5));
  EXPECT_NEAR(measureVdd(3), 2.5f, 1e-3);  // both parts
  device.peer.setAdcCode(adcCodeOf(2.0));
  EXPECT_NEAR(measure(0, MeasPercentVDD), 80.0f, 0.01);
  EXPECT_NEAR(measure(1, MeasPercentVDD), 80.0f, 0.01);

  device.peer.setAdcCode(adcCodeOf(3.0));
  EXPECT_NEAR(measureVdd(5), 3.0f, 1e-3);  // measured through Part#2, stored nowhere
  device.peer.setAdcCode(adcCodeOf(2.0));
  EXPECT_NEAR(measure(1, MeasPercentVDD), 80.0f, 0.01);
}

TEST_F(MeasurementTest, SupplyMeasurementTimeOutKeepsTheRelayAndTheStoredSupply) {
  device.peer.scriptReply("$M,T,W", PeerReply::silence());
  EXPECT_FLOAT_EQ(measureVdd(0), -101.0f);
  EXPECT_EQ(device.takeFrames(), (Frames{"$R,M,V,1,FF,FF#", "$M,T,W,0,FF,FF#"}));
  device.peer.setAdcCode(adcCodeOf(2.5));
  EXPECT_NEAR(measure(0, MeasPercentVDD), 50.0f, 0.01);
}

// Answers the ADC with the output of the part whose analog relay was switched
// last, for the test code in its register 32: codes 0, 7 and 14 give 12.5, 50
// and 100 % times the part's gain plus its offset, of a 4 V supply (so that
// 100 % stays within the ADC's range).
void emulateDac(ConnectedDevice& device, std::array<std::pair<double, double>, 2> gainOffset) {
  ScriptedBoardPeer& peer = device.peer;
  peer.setResponder(nullptr);
  peer.setAdcCode(adcCodeOf(4.0));
  float volts = 0;
  device->MeasureVdd(3, &volts);
  device.takeFrames();
  auto relayed = std::make_shared<int>(1);
  peer.setResponder([&peer, relayed, gainOffset](const std::string& frame) -> std::optional<PeerReply> {
    if (frame.rfind("$R,M,A,", 0) == 0) *relayed = frame[7] - '0';
    if (frame.rfind("$M,T,W", 0) != 0) return std::nullopt;
    static const std::map<int, double> ideal{{0x00, 12.5}, {0x07, 50.0}, {0x0E, 100.0}};
    const auto [gain, offset] = gainOffset.at(static_cast<std::size_t>(*relayed - 1));
    const double percent = ideal.at(peer.registerValue(*relayed, 0x20)) * gain + offset;
    return PeerReply::line(ScriptedBoardPeer::adcLine(adcCodeOf(percent * 4.0 / 100.0)));
  });
}

struct Calibration {
  float k0 = 123, b0 = 123, k1 = 123, b1 = 123;
  std::int32_t status = -1;
};

Calibration calibrate(IZQ3902Device& device, std::int32_t chipIndex) {
  Calibration c;
  EXPECT_EQ(device.DAC_calibration(chipIndex, &c.k0, &c.b0, &c.k1, &c.b1, &c.status), com::S_OK);
  return c;
}

TEST_F(MeasurementTest, DacCalibrationOfAnIdealPart) {
  emulateDac(device, {{{1.0, 0.0}, {1.0, 0.0}}});
  const Calibration c = calibrate(*device, 0);
  // Its top reading is the whole supply: the output may lie beyond it, so the
  // part is reported invalid, with its K and B as computed.
  EXPECT_EQ(c.status, 0x11);
  EXPECT_NEAR(c.k0, 0.2777778f, 1e-5);
  EXPECT_NEAR(c.b0, 0.0f, 1e-3);
  EXPECT_EQ(c.k1, std::bit_cast<float>(0x3E8E38E4u));  // Part#2 reset to the defaults
  EXPECT_EQ(c.b1, 0.0f);
}

TEST_F(MeasurementTest, DacCalibrationStatusNamesTheValuesOutOfRange) {
  emulateDac(device, {{{0.97, 1.2}, {1.0, -6.0}}});
  Calibration c = calibrate(*device, 3);
  EXPECT_NEAR(c.k0, 0.2694444f, 1e-4);  // 84.875 / 315
  EXPECT_NEAR(c.b0, 1.2f, 1e-2);
  EXPECT_NEAR(c.k1, 0.2777778f, 1e-4);
  EXPECT_NEAR(c.b1, -6.0f, 1e-2);
  EXPECT_EQ(c.status, 0x11 | 0x28);

  emulateDac(device, {{{1.0, 0.0}, {0.9, -6.0}}});
  c = calibrate(*device, 1);
  EXPECT_EQ(c.status, 0x24 | 0x28);
  EXPECT_EQ(c.k0, std::bit_cast<float>(0x3E8E38E4u));
}

// Readings that lie at or past an end of the output's or the ADC's range
// make the part's calibration invalid, whatever K and B come out as; the
// values are still returned. Each row's readings would give a K and B inside
// their ranges, but for the lost reading's. Each row has a device of its own:
// the rows at 5 V keep its initial supply, which no measurement can store
// (the ADC ends just below 5 V).
TEST(DacCalibrationTest, AClippedReadingMakesThePartInvalid) {
  constexpr int kLost = -1;  // no ADC reply at all
  const auto code = [](double supply, double percent) { return adcCodeOf(supply * percent / 100.0); };
  struct Row {
    const char* what;
    std::int32_t chipIndex;
    double supply;
    std::array<std::array<int, 3>, 2> codes;  // per part, for test codes 0, 7 and 14
    std::int32_t expected;
  };
  const std::array<int, 3> normal5V = {code(5.0, 12.5), code(5.0, 50.0), code(5.0, 99.0)};
  const Row rows[] = {
      {"readings inside both ranges", 0, 2.5, {{{code(2.5, 12.5), code(2.5, 50.0), code(2.5, 99.0)}}}, 0},
      {"0 % of the supply", 0, 2.5, {{{code(2.5, 0.0), code(2.5, 49.0), code(2.5, 87.5)}}}, 0x11},
      {"below 0 %", 0, 2.5, {{{code(2.5, -0.6), code(2.5, 49.4), code(2.5, 87.0)}}}, 0x11},
      {"100 % of the supply", 1, 2.5, {{{}, {code(2.5, 12.5), code(2.5, 50.0), code(2.5, 100.0)}}}, 0x24},
      {"above 100 %", 0, 2.5, {{{code(2.5, 12.8), code(2.5, 50.3), code(2.5, 100.5)}}}, 0x11},
      {"the ADC's top code at a 5 V supply", 0, 5.0, {{{code(5.0, 12.5), code(5.0, 50.0), 65535}}}, 0x11},
      {"Part#2 clipped, Part#1 not", 3, 5.0, {{normal5V, {code(5.0, 12.5), code(5.0, 50.0), 65535}}}, 0x24},
      {"a lost reading", 0, 5.0, {{{code(5.0, 12.5), kLost, code(5.0, 99.0)}}}, 0x11 | 0x12},
  };
  for (const Row& row : rows) {
    ConnectedDevice device;
    ScriptedBoardPeer& peer = device.peer;
    if (row.supply != 5.0) {
      peer.setAdcCode(adcCodeOf(row.supply));
      float volts = 0;
      device->MeasureVdd(3, &volts);
    }
    auto relayed = std::make_shared<int>(1);
    peer.setResponder([&peer, relayed, codes = row.codes](const std::string& frame) -> std::optional<PeerReply> {
      if (frame.rfind("$R,M,A,", 0) == 0) *relayed = frame[7] - '0';
      if (frame.rfind("$M,T,W", 0) != 0) return std::nullopt;
      static const std::map<int, std::size_t> round{{0x00, 0}, {0x07, 1}, {0x0E, 2}};
      const int answer =
          codes.at(static_cast<std::size_t>(*relayed - 1)).at(round.at(peer.registerValue(*relayed, 0x20)));
      if (answer == kLost) return PeerReply::silence();
      return PeerReply::line(ScriptedBoardPeer::adcLine(answer));
    });
    const Calibration c = calibrate(*device, row.chipIndex);
    EXPECT_EQ(c.status, row.expected) << row.what;
    // K and B are returned as computed all the same.
    const std::size_t part = row.chipIndex == 1 ? 1 : 0;
    const auto percent = [&](int adc) { return (adc - 32768) * 0.000152587890625 * 100.0 / row.supply; };
    const auto& codes = row.codes[part];
    if (codes[1] != kLost) {
      EXPECT_NEAR(part == 0 ? c.k0 : c.k1, (percent(codes[2]) - percent(codes[0])) / 315.0, 1e-4) << row.what;
    }
  }
}

TEST_F(MeasurementTest, DacCalibrationResultFeedsTheOffsetConversion) {
  emulateDac(device, {{{1.0, 10.0}, {1.0, 0.0}}});
  const Calibration c = calibrate(*device, 0);
  EXPECT_NEAR(c.b0, 10.0f, 1e-2);
  device.takeFrames();

  // A ChipIndex other than 0, 1 and 3 touches neither the outputs nor the stored calibration.
  const Calibration untouched = calibrate(*device, 2);
  EXPECT_EQ(untouched.status, 1);
  EXPECT_EQ(untouched.k0, 123.0f);
  EXPECT_EQ(untouched.b1, 123.0f);
  EXPECT_TRUE(device.takeFrames().empty());

  auto advanced = device.advanced();
  testing::setSetting(*advanced, 0, SolverSettingClampingLow, 20.0f, 1);   // (20 - 10) / 1 = 10 %
  testing::setSetting(*advanced, 0, SolverSettingClampingHigh, 90.0f, 1);  // 80 %
  std::int32_t status = -1;
  device.solver()->CopySolverSettingsToParameters(0, &status);
  ASSERT_EQ(status, 0);
  std::map<int, int> r;
  for (const auto& [address, data] : testing::writesIn(device.takeFrames())) r[address] = data;
  EXPECT_NEAR(r.at(16) | (r.at(17) & 0x0F) << 8, 410, 1);  // 10 % = 409.6
  EXPECT_NEAR(r.at(15) | (r.at(17) >> 4) << 8, 3277, 1);   // 80 % = 3276.8
}

TEST_F(MeasurementTest, AngleFromTwoRegisterReads) {
  device.peer.setRegister(1, 73, 0x5A);
  device.peer.setRegister(1, 74, 0x00);
  float angle = 0;
  device->GetAngle(0, &angle);
  EXPECT_FLOAT_EQ(angle, 360.0f);
  device.peer.setRegister(2, 73, 0x0B);
  device.peer.setRegister(2, 74, 0x48);
  device->GetAngle(1, &angle);
  EXPECT_FLOAT_EQ(angle, 45.125f);
  device.peer.scriptReply("$C,O,R,2,49", PeerReply::line("OWI Error @49: 0x00"));
  device->GetAngle(1, &angle);
  EXPECT_FLOAT_EQ(angle, (511 * 256 + 0x48) / 64.0f);  // a failed read counts as 511
  EXPECT_EQ(device->GetAngle(1, nullptr), com::E_POINTER);
}

TEST_F(MeasurementTest, ProgrammingResults) {
  EXPECT_EQ(result(&IZQ3902Device::ProgramDevice, *device, 2), 1);
  EXPECT_TRUE(device.takeFrames().empty());
  device.peer.scriptReply("$M,A,W", PeerReply::line("Part#1 Erase refused!!"));
  EXPECT_EQ(result(&IZQ3902Device::ProgramDevice, *device, 0), 2);
  EXPECT_EQ(device.takeFrames(), (Frames{"$M,A,W,1,52,FF#"}));
  device.peer.scriptReply("$M,S,W", PeerReply::line("OWI Stop Part#1!!"));
  EXPECT_EQ(result(&IZQ3902Device::ProgramDevice, *device, 1), 2);
  EXPECT_EQ(device.takeFrames().size(), 2u);
  EXPECT_EQ(result(&IZQ3902Device::ProgramDevice, *device, 1), 0);
}

TEST_F(MeasurementTest, VersionsAndRegisterAccess) {
  device.peer.scriptReply("$V,V,R", PeerReply::line("Firmware version RX041 Va.b.c"));
  std::int32_t major = 9, minor = 9, build = 9, status = -1;
  device->ProgrammerVersion(&major, &minor, &build, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(major + minor + build, 0);

  auto advanced = device.advanced();
  device.peer.setRegister(2, 0x48, 0x39);
  std::int32_t version = 0;
  EXPECT_EQ(advanced->get_ChipVersion(1, &version), com::S_OK);
  EXPECT_EQ(version, 0x39);
  EXPECT_EQ(advanced->get_ChipVersion(1, nullptr), com::E_POINTER);

  advanced->MemWrite(0, 0x20, 0x1FF);  // the low byte of Data
  EXPECT_EQ(testing::memRead(*advanced, 0, 0x20), 0xFF);
  advanced->MemWrite(0, 0x100, 1);  // no such register: nothing is sent
  EXPECT_EQ(testing::memRead(*advanced, 0, -1), 511);
  EXPECT_EQ(device.takeFrames(), (Frames{"$V,V,R,0,FF,FF#", "$C,O,R,2,48,FF#", "$C,O,W,1,20,FF#", "$C,O,R,1,20,FF#"}));
}

}  // namespace
}  // namespace rx041::zq3902
