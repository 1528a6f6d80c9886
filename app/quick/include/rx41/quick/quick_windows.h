#pragma once
// The quick windows this library builds, for rx41's catalogue.
namespace rx41 {

class WindowCatalogue;

// "/2" MainForm2PointsProgramming, "/4" MainForm2PointsProgrammingWithPwr,
// "/6" MainForm1PointProgramming, "/3" MainForm2PointsProgrammingforDual and
// "/5" MainForm2PointsProgrammingforDualWithPwr.
void registerQuickWindows(WindowCatalogue& catalogue);

}  // namespace rx41
