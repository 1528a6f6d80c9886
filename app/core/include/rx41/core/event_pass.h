#pragma once
#include <chrono>

namespace rx41 {

// One pass of the event loop: lets a wait window or status text repaint before
// the window thread blocks in a device call.
void letEventsRun();

// Waits that long on the window thread while the screen repaints and timers
// fire; the operator's input waits until afterwards, so no handler of the
// window runs again in between.
void waitLettingScreenPaint(std::chrono::milliseconds duration);

}  // namespace rx41
