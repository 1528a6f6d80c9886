#pragma once
// The quick windows this library builds, for rx41's catalogue.
namespace rx41 {

class WindowCatalogue;

// "/2" MainForm2PointsProgramming, "/4" MainForm2PointsProgrammingWithPwr and
// "/6" MainForm1PointProgramming.
void registerQuickWindows(WindowCatalogue& catalogue);

}  // namespace rx41
