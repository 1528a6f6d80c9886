#pragma once
// The quick windows this library builds, one row each for rx41's table:
// "/2" MainForm2PointsProgramming, "/3" MainForm2PointsProgrammingforDual,
// "/4" MainForm2PointsProgrammingWithPwr, "/5"
// MainForm2PointsProgrammingforDualWithPwr and "/6" MainForm1PointProgramming.
#include <span>

#include "rx41/core/window_catalogue.h"

namespace rx41 {

std::span<const WorkingWindowEntry> quickWindowEntries();

}  // namespace rx41
