#pragma once
// Calibration of the chips' output DAC: the output is measured at three test
// codes (0, 7 and 14, taken as 0, 180 and 315 degrees) to find each part's
// gain K (% of supply per degree) and offset B (% of supply at 0 degrees).
#include <cstdint>

#include "device_core.h"

namespace rx041::zq3902 {

struct DacCalibration {
  float k0 = kDefaultDacGain;  // Part#1
  float b0 = kDefaultDacOffset;
  float k1 = kDefaultDacGain;  // Part#2
  float b1 = kDefaultDacOffset;
  // Bit 4 marks Part#1, bit 5 Part#2; bits 0..3 name the value out of range
  // (K0, B0, K1, B1). A part with a clipped reading (at or past 0 % or 100 %
  // of its supply, an ADC code of 0 or 65535, or no reading) counts as its K
  // out of range: 0x11 for Part#1, 0x24 for Part#2.
  std::int32_t status = 0;
};

// Calibrates Part#1 (ChipIndex 0), Part#2 (1) or both (3), stores the result
// in both parts' settings tables (an uncalibrated part gets the defaults) and
// leaves the calibrated parts in OWI mode.
DacCalibration calibrateDac(DeviceCore& device, std::int32_t chipIndex);

}  // namespace rx041::zq3902
