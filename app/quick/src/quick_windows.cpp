#include "rx41/quick/quick_windows.h"

#include <memory>

#include "rx41/quick/main_form_2points.h"
#include "rx41/window_catalogue.h"

namespace rx41 {

void registerQuickWindows(WindowCatalogue& catalogue) {
  using PowerButton = MainForm2PointsProgramming::PowerButton;
  catalogue.add(QStringLiteral("MainForm2PointsProgramming"), [](OperatorInterface& op) {
    return std::make_unique<MainForm2PointsProgramming>(op, PowerButton::Absent);
  });
  catalogue.add(QStringLiteral("MainForm2PointsProgrammingWithPwr"), [](OperatorInterface& op) {
    return std::make_unique<MainForm2PointsProgramming>(op, PowerButton::Present);
  });
}

}  // namespace rx41
