#pragma once
// The quick windows this library builds, for rx41's catalogue.
namespace rx41 {

class WindowCatalogue;

// "/2" MainForm2PointsProgramming and "/4" MainForm2PointsProgrammingWithPwr.
void registerQuickWindows(WindowCatalogue& catalogue);

}  // namespace rx41
