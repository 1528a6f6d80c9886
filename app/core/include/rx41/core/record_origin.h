#pragma once
// Where a record comes from: the host, the working window (its start-up
// argument and class), the COM port the device object was connected through
// and the device the port map puts behind it.
#include <cstdint>

#include "rx041/records/programming_record.h"
#include "rx41/core/app_state.h"
#include "rx41/core/window_identity.h"

namespace rx41 {

// A record of the part (0 or 1) with where it comes from filled in. The
// window is the working window the flow belongs to, as it named itself; the
// mode is empty outside a working window, the port and device without a
// connection or a link.
rx041::records::ProgrammingRecord recordOfPart(const AppState& state, const WindowIdentity& window, std::int16_t part);

}  // namespace rx41
