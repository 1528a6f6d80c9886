#pragma once
// The dual-part windows this library builds, one row each for rx41's table:
// "/0" MainForm2Parts1Src (one source for both parts) and "/1"
// MainForm2Parts2Src (a source for each part).
#include <span>

#include "rx41/core/window_catalogue.h"

namespace rx41 {

std::span<const WorkingWindowEntry> dualWindowEntries();

}  // namespace rx41
