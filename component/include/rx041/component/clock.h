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

// How long a reply is waited for: the protocol's limit, or the cap a test
// has set where waiting out a lost reply is not its point (the 5 s of a
// silent OWI command in a fault table).
std::int64_t replyLimitMs(std::int64_t limitMs);
// Caps every reply limit (zero: the protocol's limits) and gives back the cap before.
std::chrono::milliseconds setReplyLimitCap(std::chrono::milliseconds cap);

}  // namespace rx041::com
