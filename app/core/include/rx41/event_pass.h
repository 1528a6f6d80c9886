#pragma once

namespace rx41 {

// One pass of the event loop: lets a wait window or status text repaint before
// the window thread blocks in a device call.
void letEventsRun();

}  // namespace rx41
