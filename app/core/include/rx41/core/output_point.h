#pragma once
// One point of a part's output check, measured on the device: the chip's own
// angle (OWI mode, GetAngle), its output in % of VDD (ADC mode, Measure) and
// its angle once more, so that a magnet that moved during the measurement is
// caught. The part is left in the mode it was in before.
#include <chrono>
#include <cstdint>
#include <optional>

#include "rx41/core/state_machine.h"

namespace rx41 {

struct OutputPointReading {
  float angleBefore = 0;  // degrees
  float output = 0;       // %VDD
  float angleAfter = 0;
  std::optional<std::int32_t> chipId;  // read at 0x48 with the first angle; none when the read failed
};

inline constexpr char kMagnetMoved[] = "The magnet moved while the point was measured; hold it still and measure again";

// The output needs this long on the ADC after the part left OWI mode and the
// relay went to its output, as in the DAC calibration.
inline constexpr std::chrono::milliseconds kOutputSettling{300};

// Measures one point of the part (0 or 1). None when a device call failed
// (reported through the machine's DeviceCalls), when the part could not be
// brought into OWI mode (reported), when the output could not be read (an ADC
// time-out, reported), or when the two angle readings lie more than
// kMagnetMovedLimit apart (kMagnetMoved shown). Every path but a lost
// programmer ends with the part back in the mode it was in.
std::optional<OutputPointReading> measureOutputPoint(StateMachine& machine, std::int16_t part);

// Puts the part back into the mode (kPowerOff, kAdcMode, kOwiMode) when it is
// in another one and the programmer is still there.
void returnToMode(StateMachine& machine, std::int16_t part, std::int32_t mode);

}  // namespace rx41
