#pragma once
#include <chrono>
#include <cstdint>
#include <functional>

namespace rx041::com {

// Milliseconds since the process started (monotonic): the clock of every
// trace line and of the time limits of the protocol.
std::int64_t processMilliseconds();

// The fixed waits of the libraries and windows (the pause before a write,
// relay and lock settling, the wait after closing a port, re-entering OWI
// mode): they sleep for real, one process-wide place for all of them, so that
// a test whose point is not the wait can make them instant or record them.
void fixedWait(std::chrono::milliseconds duration);

using FixedWaiter = std::function<void(std::chrono::milliseconds duration)>;
// Replaces how fixed waits are spent (null: sleep for real again) and gives
// back the one before. The waiter is called on the thread that waits.
FixedWaiter setFixedWaiter(FixedWaiter waiter);
// Whether fixed waits sleep for real (no waiter set).
bool fixedWaitsAreReal();

}  // namespace rx041::com
