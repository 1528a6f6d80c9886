#include "register_conversion.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "command_layer.h"
#include "rx041/device/device_interfaces.h"

namespace rx041::zq3902 {
namespace {

// trunc() into an int. Far out-of-range settings saturate well beyond every
// register's range (the register masks then take the bits they need) instead
// of overflowing.
std::int32_t truncated(double value) {
  constexpr double kLimit = 1 << 24;
  if (std::isnan(value)) return 0;
  return static_cast<std::int32_t>(std::clamp(value, -kLimit, kLimit));
}

std::int32_t highNibble(std::int32_t code) { return (code >> 8) & 0x0F; }

constexpr std::int32_t kLevelRegisterLow[] = {11, 12, 13, 14};
constexpr std::int32_t kAngleRegisterHigh[] = {1, 2, 3, 4};
constexpr std::int32_t kAngleRegisterLow[] = {7, 8, 9, 10};

void convertLevels(PartState& part) {
  for (std::int32_t k = 0; k < 4; ++k) {
    const std::int32_t id = SolverTargetLevelPointA + k;
    const float level = rangeLimited(part.settings.real(id));
    part.settings.setReal(id, level);
    const std::int32_t code = levelCode(level);
    part.image.set(kLevelRegisterLow[k], code);
    // A and C in the high nibble of registers 5 and 6, B and D in the low one.
    const std::int32_t shared = 5 + k / 2;
    const std::int32_t old = part.image.value(shared);
    part.image.set(shared, k % 2 == 0 ? (old & 0x0F) | highNibble(code) << 4 : (old & 0xF0) | highNibble(code));
  }
}

bool convertAngles(PartState& part, const RegisterReader& read) {
  for (std::int32_t k = 0; k < 4; ++k) {
    const std::int32_t chipHigh = read(kAngleRegisterHigh[k]);
    if (chipHigh == kReadFailed) return false;
    const std::int32_t code = angleCode(part.settings.real(SolverTargetAngleA + k));
    part.image.set(kAngleRegisterHigh[k], (chipHigh & 0xE0) | ((code >> 8) & 0x1F));
    part.image.set(kAngleRegisterLow[k], code);
  }
  return true;
}

bool convertSwitch(PartState& part, const RegisterReader& read) {
  RegisterImage& image = part.image;
  const std::int32_t op = operatePointCode(part.settings.real(SolverTargetSwoOp));
  image.set(19, op);
  image.set(20, (image.value(20) & 0xF0) | highNibble(op));
  image.set(2, image.value(2) | 0x20);  // switch output enabled

  const std::int32_t chip21 = read(21);
  if (chip21 == kReadFailed) return false;
  image.set(21, (chip21 & 0xC0) | hysteresisBits(part.settings.real(SolverTargetSwoHys)));

  const std::int32_t chip22 = read(22);
  if (chip22 == kReadFailed) return false;
  image.set(22, (chip22 & 0x7F) | ((part.settings.integer(SolverTargetSwoPolarity) << 7) & 0xFF));
  return true;
}

}  // namespace

float rangeLimited(float percent) {
  if (percent > 99.98) return 99.98f;
  if (percent < 0.02) return 0.02f;
  return percent;
}

std::int32_t levelCode(float percent) { return truncated(percent * 40.96 + 0.5); }
std::int32_t angleCode(float degrees) { return truncated(degrees * 16.0 + 0.5); }
std::int32_t dpCode(float degrees) { return truncated(degrees * 8.0 + 0.5); }

std::int32_t operatePointCode(float degrees) {
  const std::int32_t whole = truncated(degrees);
  return whole * 8 + truncated((degrees - static_cast<float>(whole)) * 8.0 + 0.5);
}

std::int32_t hysteresisBits(float degrees) {
  const std::int32_t whole = truncated(degrees);
  const double quarters = (degrees - static_cast<float>(whole)) * 4.0;
  const std::int32_t quarter = quarters < 0.5 ? 0 : quarters < 1.5 ? 1 : quarters < 2.5 ? 2 : 3;
  // Whole degrees stay within bits 5..2: above 15 they would overwrite the kept bits.
  return ((whole * 4) & 0x3C) | quarter;
}

std::int32_t convertSettingsToImage(PartState& part, std::int32_t partIndex, const RegisterReader& read) {
  SettingsTable& settings = part.settings;
  RegisterImage& image = part.image;

  const std::int32_t chip20 = read(20);
  if (chip20 == kReadFailed) return kConversionReadFailed;
  const std::int32_t dp = dpCode(settings.real(SolverSettingDP));
  image.set(18, dp);
  image.set(20, (chip20 & 0x0F) | highNibble(dp) << 4);

  const float high = rangeLimited(settings.real(SolverSettingClampingHigh));
  const float low = rangeLimited(settings.real(SolverSettingClampingLow));
  settings.setReal(SolverSettingClampingHigh, high);
  settings.setReal(SolverSettingClampingLow, low);
  if (!(high > low)) return partIndex == 0 ? kClampOrderPart1 : kClampOrderPart2;

  const std::int32_t highCode = levelCode(high);
  image.set(15, highCode);
  image.set(17, (image.value(17) & 0x0F) | highNibble(highCode) << 4);
  const std::int32_t lowCode = levelCode(low);
  image.set(16, lowCode);
  image.set(17, (image.value(17) & 0xF0) | highNibble(lowCode));

  convertLevels(part);
  if (!convertAngles(part, read)) return kConversionReadFailed;
  if (part.switchConfigured && !convertSwitch(part, read)) return kConversionReadFailed;
  return kConversionDone;
}

std::int32_t buildClearedImage(PartState& part, const RegisterReader& read) {
  constexpr std::int32_t kFirst = 1;
  constexpr std::int32_t kLast = 22;
  std::array<std::int32_t, kLast + 1> cleared{};
  for (std::int32_t address = kFirst; address <= kLast; ++address) {
    std::int32_t kept = 0;
    switch (address) {
      case 3:
      case 4: kept = 0xE0; break;
      case 21: kept = 0xC0; break;
      case 22: kept = 0x7F; break;
      default: continue;
    }
    const std::int32_t chipValue = read(address);
    if (chipValue == kReadFailed) return kConversionReadFailed;
    cleared[static_cast<std::size_t>(address)] = chipValue & kept;
  }
  for (std::int32_t address = kFirst; address <= kLast; ++address)
    part.image.set(address, cleared[static_cast<std::size_t>(address)]);
  part.switchConfigured = false;
  return kConversionDone;
}

}  // namespace rx041::zq3902
