#include "dac_calibration.h"

#include <array>
#include <vector>

#include "rx041/device/device_interfaces.h"

namespace rx041::zq3902 {
namespace {

constexpr std::int32_t kTestCodeRegister = 32;
constexpr std::int32_t kTestMaskRegister = 33;
constexpr std::int32_t kTestEnableRegister = 34;
constexpr std::array<std::int32_t, 3> kTestCodes = {0x00, 0x07, 0x0E};
constexpr auto kRelaySettleTime = std::chrono::milliseconds(300);

struct Line {
  float gain;
  float offset;
};

// Test codes 0 and 14 lie 315 degrees apart, code 7 at 180 degrees.
Line lineThrough(const std::array<float, 3>& readings) {
  const float gain = static_cast<float>((readings[2] - readings[0]) * 0.0031746032);
  return {gain, static_cast<float>(readings[1] - gain * 180.0)};
}

bool inside(float value, double low, double high) { return value > low && value < high; }

// A reading at or past either end of the output's range, at an end of the
// ADC's range, or none at all: the output may lie beyond what was read, so a
// gain computed from it would be wrong without showing it.
bool clipped(const AdcReading& reading) {
  constexpr std::int32_t kLowestCode = 0;
  constexpr std::int32_t kHighestCode = 0xFFFF;
  return reading.code <= kLowestCode || reading.code >= kHighestCode || !(reading.value > 0.0f) ||
         !(reading.value < 100.0f);
}

// Per part: whether any of its readings clipped.
std::int32_t statusOf(const DacCalibration& c, const std::array<bool, 2>& clippedPart) {
  std::int32_t status = 0;
  // A clipped reading marks the part as a gain out of range would.
  if (clippedPart[0] || !inside(c.k0, 0.27, 0.28)) status = 0x11;
  if (!inside(c.b0, -5, 5)) status |= 0x12;
  if (clippedPart[1] || !inside(c.k1, 0.27, 0.28)) status |= 0x24;
  if (!inside(c.b1, -5, 5)) status |= 0x28;
  return status;
}

}  // namespace

DacCalibration calibrateDac(DeviceCore& device, std::int32_t chipIndex) {
  CommandLayer& commands = device.commands();
  const std::vector<std::int32_t> parts =
      chipIndex == kBothParts ? std::vector<std::int32_t>{0, 1} : std::vector<std::int32_t>{chipIndex};
  std::array<std::array<float, 3>, 2> readings{};
  std::array<bool, 2> clippedPart{};
  for (std::size_t round = 0; round < kTestCodes.size(); ++round) {
    device.enterOwi(chipIndex);
    for (const std::int32_t part : parts) {
      device.writeRegister(part, kTestCodeRegister, kTestCodes[round]);
      device.writeRegister(part, kTestMaskRegister, 0xFF);
      device.writeRegister(part, kTestEnableRegister, 0x01);
    }
    for (const std::int32_t part : parts) device.quitOwi(part);
    for (const std::int32_t part : parts) device.setAdcMode(part);
    for (const std::int32_t part : parts) {
      commands.CmdRelayAnalog(part);
      device.settle(kRelaySettleTime);
      const AdcReading reading = device.measureReading(part, MeasPercentVDD);
      readings.at(static_cast<std::size_t>(part))[round] = reading.value;
      if (clipped(reading)) clippedPart.at(static_cast<std::size_t>(part)) = true;
    }
  }
  device.enterOwi(chipIndex);
  for (const std::int32_t part : parts) device.writeRegister(part, kTestEnableRegister, 0x00);

  DacCalibration result;
  for (const std::int32_t part : parts) {
    const Line line = lineThrough(readings.at(static_cast<std::size_t>(part)));
    (part == 0 ? result.k0 : result.k1) = line.gain;
    (part == 0 ? result.b0 : result.b1) = line.offset;
  }
  result.status = statusOf(result, clippedPart);

  SettingsTable& part1 = device.part(0).settings;
  SettingsTable& part2 = device.part(1).settings;
  part1.setReal(kDacGainSetting, result.k0);
  part1.setReal(kDacOffsetSetting, result.b0);
  part2.setReal(kDacGainSetting, result.k1);
  part2.setReal(kDacOffsetSetting, result.b1);
  return result;
}

}  // namespace rx041::zq3902
