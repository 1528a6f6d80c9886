#pragma once
// Texts several windows show about the programmer and the chips, defined once:
// the fixed texts (device_texts.h) and those built from values.
#include <QString>
#include <cstdint>

#include "rx41/device_texts.h"
#include "rx41/part_set.h"

namespace rx41::device_text {

// "Method 'GetAngle' of object 'IZQ3902Device' failed": a call that failed outright.
QString methodFailed(const char* object, const char* member);

// The message for a result of CopySolverSettingsToParameters; empty for
// success and for results that carry no message.
QString solverCopyMessage(std::int32_t result);

// "Part#1 does not answer: check that the chip is in its socket" (part 0 or
// 1), or the same of both parts: a chip that did not answer its OWI entry or
// its identification read, which is no lock.
QString notAnswering(PartSet parts);

// "Offset Parameters of Part#1 are invalid! K0: 0.25 B0: 7.5".
QString invalidOffsets(std::int16_t part, float k, float b);

}  // namespace rx41::device_text
