#pragma once
#include <cstdint>

namespace rx041::com {

// Milliseconds since the process started (monotonic): the clock of every
// trace line and of the time limits of the protocol.
std::int64_t processMilliseconds();

}  // namespace rx041::com
