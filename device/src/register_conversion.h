#pragma once
// Conversion of a part's settings into the chip's register image, and the
// cleared image. Registers whose bits are kept are read from the chip through
// the given reader; a failed read (511) stops the conversion before any image
// byte is built from it.
#include <cstdint>
#include <functional>

#include "part_state.h"

namespace rx041::zq3902 {

// A chip register of the part: the byte, or 511 when the read failed.
using RegisterReader = std::function<std::int32_t(std::int32_t address)>;

inline constexpr std::int32_t kConversionDone = 0;
inline constexpr std::int32_t kConversionReadFailed = 2;
inline constexpr std::int32_t kClampOrderPart1 = 3;  // clamp high not above clamp low
inline constexpr std::int32_t kClampOrderPart2 = 4;

// A percentage limited to 0.02 .. 99.98.
float rangeLimited(float percent);
// 12-bit level and clamp code, 1/40.96 %.
std::int32_t levelCode(float percent);
// 13-bit target angle code, 1/16 degree.
std::int32_t angleCode(float degrees);
// 12-bit zero point code, 1/8 degree.
std::int32_t dpCode(float degrees);
// Switch operate point: whole degrees times 8 plus the rounded eighths.
std::int32_t operatePointCode(float degrees);
// Register 21 bits 5..0: whole degrees in bits 5..2, quarter steps in bits 1..0.
std::int32_t hysteresisBits(float degrees);

// Builds the image from the settings (and writes the limited percentages back
// into the table). partIndex 0 or 1 selects the clamp-order result.
std::int32_t convertSettingsToImage(PartState& part, std::int32_t partIndex, const RegisterReader& read);

// Registers 1..22 cleared (their kept bits read from the chip) and all marked;
// the switch output counts as not configured afterwards. On a failed read the
// image is left as it was.
std::int32_t buildClearedImage(PartState& part, const RegisterReader& read);

}  // namespace rx041::zq3902
