#pragma once
// Where the ZQ3902 keeps its settings: addresses and bit fields of the RAM
// registers, decoded into engineering units.
#include <array>
#include <cstdint>

namespace rx041::bench {

using RegisterFile = std::array<std::uint8_t, 256>;

// The register at an address; throws std::out_of_range outside 0..255.
inline std::uint8_t& registerAt(RegisterFile& file, int address) { return file.at(static_cast<std::size_t>(address)); }
inline std::uint8_t registerAt(const RegisterFile& file, int address) {
  return file.at(static_cast<std::size_t>(address));
}

namespace reg {
inline constexpr int kPwmConfig = 1;     // bits 7..6 frequency, bit 5 polarity
inline constexpr int kOutputConfig = 2;  // bits 7..6 output mode, bit 5 switch enable
inline constexpr int kSwitchHysteresis = 21;
inline constexpr int kSwitchPolarity = 22;
inline constexpr int kLock = 28;  // bit 4
inline constexpr int kDacTestCode = 32;
inline constexpr int kDacTestEnable = 34;  // bit 0
inline constexpr int kIdentification = 72;
inline constexpr int kAngleHigh = 73;
inline constexpr int kAngleLow = 74;

inline constexpr std::uint8_t kLockBit = 0x10;
inline constexpr std::uint8_t kSwitchEnableBit = 0x20;
}  // namespace reg

inline constexpr int kTargetPoints = 4;  // A, B, C, D

enum class OutputMode { Analog, Pwm };

// Raw codes: angles in 1/16 degree (13 bits), levels and clamps in 1/40.96 %
// (12 bits), DP and the operate point in 1/8 degree (12 bits).
int targetAngleCode(const RegisterFile& ram, int point);
int targetLevelCode(const RegisterFile& ram, int point);
int clampHighCode(const RegisterFile& ram);
int clampLowCode(const RegisterFile& ram);
int dpCode(const RegisterFile& ram);
int operatePointCode(const RegisterFile& ram);

inline double angleFromCode(int code) { return code / 16.0; }
inline double levelFromCode(int code) { return code / 40.96; }
inline double eighthDegrees(int code) { return code / 8.0; }

OutputMode outputMode(const RegisterFile& ram);
bool pwmInverted(const RegisterFile& ram);
bool switchEnabled(const RegisterFile& ram);
double switchHysteresisDegrees(const RegisterFile& ram);
bool switchInverted(const RegisterFile& ram);

}  // namespace rx041::bench
