#pragma once
// Every working window of rx41, "/0" .. "/6": the rows of the window
// libraries, joined. A new window is its class and one row in its library's
// table.
#include <span>

#include "rx41/core/window_catalogue.h"

namespace rx41 {

std::span<const WorkingWindowEntry> workingWindows();

}  // namespace rx41
