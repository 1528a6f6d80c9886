#pragma once
// Texts several windows show about the programmer and the chips, defined once:
// the fixed texts (device_texts.h) and those built from values.
#include <QString>
#include <cstdint>

#include "rx41/device_texts.h"

namespace rx41::device_text {

// "Method 'GetAngle' of object 'IZQ3902Device' failed": a call that failed outright.
QString methodFailed(const char* object, const char* member);

// The message for a result of CopySolverSettingsToParameters; empty for
// success and for results that carry no message.
QString solverCopyMessage(std::int32_t result);

// "Offset Parameters of Part#1 are invalid! K0: 0.25 B0: 7.5".
QString invalidOffsets(std::int16_t part, float k, float b);

}  // namespace rx41::device_text
