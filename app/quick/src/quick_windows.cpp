#include "rx41/quick/quick_windows.h"

#include <memory>

#include "rx41/core/window_catalogue.h"
#include "rx41/quick/main_form_2points.h"
#include "rx41/quick/main_form_pair.h"

namespace rx41 {

void registerQuickWindows(WindowCatalogue& catalogue) {
  using PowerButton = QuickWindow::PowerButton;
  using PointB = MainForm2PointsProgramming::PointB;
  const auto singlePart = [&](const char* className, PowerButton powerButton, PointB pointB) {
    catalogue.add(QLatin1String(className), [powerButton, pointB](OperatorInterface& op) {
      return std::make_unique<MainForm2PointsProgramming>(op, powerButton, pointB);
    });
  };
  singlePart("MainForm2PointsProgramming", PowerButton::Absent, PointB::Taught);
  singlePart("MainForm2PointsProgrammingWithPwr", PowerButton::Present, PointB::Taught);
  singlePart("MainForm1PointProgramming", PowerButton::Absent, PointB::ByOffsets);
  const auto pair = [&](const char* className, PowerButton powerButton) {
    catalogue.add(QLatin1String(className), [powerButton](OperatorInterface& op) {
      return std::make_unique<MainForm2PointsProgrammingforDual>(op, powerButton);
    });
  };
  pair("MainForm2PointsProgrammingforDual", PowerButton::Absent);
  pair("MainForm2PointsProgrammingforDualWithPwr", PowerButton::Present);
}

}  // namespace rx41
