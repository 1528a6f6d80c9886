#include "register_map.h"

namespace rx041::bench {
namespace {

int highNibble(std::uint8_t byte) { return byte >> 4; }
int lowNibble(std::uint8_t byte) { return byte & 0x0F; }

}  // namespace

int targetAngleCode(const RegisterFile& ram, int point) {
  return ((registerAt(ram, 1 + point) & 0x1F) << 8) | registerAt(ram, 7 + point);
}

int targetLevelCode(const RegisterFile& ram, int point) {
  // A and B share register 5, C and D register 6; the first of each pair
  // takes the high nibble.
  const std::uint8_t shared = registerAt(ram, 5 + point / 2);
  const int high = point % 2 == 0 ? highNibble(shared) : lowNibble(shared);
  return (high << 8) | registerAt(ram, 11 + point);
}

int clampHighCode(const RegisterFile& ram) { return (highNibble(ram[17]) << 8) | ram[15]; }
int clampLowCode(const RegisterFile& ram) { return (lowNibble(ram[17]) << 8) | ram[16]; }
int dpCode(const RegisterFile& ram) { return (highNibble(ram[20]) << 8) | ram[18]; }
int operatePointCode(const RegisterFile& ram) { return (lowNibble(ram[20]) << 8) | ram[19]; }

OutputMode outputMode(const RegisterFile& ram) {
  // Mode 1 is PWM; 0 and the undefined codes drive the analog DAC.
  return (ram[reg::kOutputConfig] >> 6) == 1 ? OutputMode::Pwm : OutputMode::Analog;
}

bool pwmInverted(const RegisterFile& ram) { return (ram[reg::kPwmConfig] & 0x20) != 0; }

bool switchEnabled(const RegisterFile& ram) { return (ram[reg::kOutputConfig] & reg::kSwitchEnableBit) != 0; }

double switchHysteresisDegrees(const RegisterFile& ram) {
  const std::uint8_t value = ram[reg::kSwitchHysteresis];
  return ((value >> 2) & 0x0F) + (value & 0x03) * 0.25;
}

bool switchInverted(const RegisterFile& ram) { return (ram[reg::kSwitchPolarity] & 0x80) != 0; }

}  // namespace rx041::bench
