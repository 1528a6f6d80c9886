#pragma once
// The state all windows of the process share: the connection to the
// programmer, the recorded mode of each chip position, the device object, the
// DAC calibration results and the curve tables. One instance per process
// (appState()); tests make their own. Booleans are 16-bit, true = -1.
#include <cstdint>
#include <memory>

#include "rx041/device/device_interfaces.h"
#include "rx41/rules/curve_math.h"
#include "rx41/rules/part_set.h"

namespace rx41 {

// ProgrammerState
inline constexpr std::int32_t kOffline = 0;
inline constexpr std::int32_t kConnected = 1;

// ChipState
inline constexpr std::int32_t kPowerOff = 0;
inline constexpr std::int32_t kAdcMode = 1;
inline constexpr std::int32_t kOwiMode = 2;

inline constexpr std::int16_t kTrue16 = -1;
inline constexpr std::int16_t kFalse16 = 0;

// The DAC gain every window starts with, until a calibration replaces it.
inline constexpr float kDefaultDacK = static_cast<float>(1.0 / 3.6);

struct AppState : CurveTables {
  std::int32_t ProgrammerState = kOffline;
  std::int32_t ChipState[2] = {kPowerOff, kPowerOff};
  std::int16_t CommLocked[2] = {kFalse16, kFalse16};
  std::shared_ptr<rx041::zq3902::IZQ3902Device> Device;
  // The COM number Device was connected through (0 without a device): the
  // programming record names the bench by it.
  std::int16_t connectedPort = 0;
  float DacK[2] = {kDefaultDacK, kDefaultDacK};
  float DacB[2] = {0.0f, 0.0f};
  float SysOffset = 0.0f;
};

AppState& appState();

}  // namespace rx41
