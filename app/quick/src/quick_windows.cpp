// The quick windows rx41 opens by class name.
#include <memory>

#include "rx41/quick/main_form_2points.h"
#include "rx41/window_catalogue.h"

namespace rx41 {
namespace {

std::unique_ptr<QWidget> twoPointsWindow(OperatorInterface& operatorInterface,
                                         MainForm2PointsProgramming::PowerButton powerButton) {
  return std::make_unique<MainForm2PointsProgramming>(operatorInterface, powerButton);
}

const WindowRegistration twoPoints{QStringLiteral("MainForm2PointsProgramming"), [](OperatorInterface& op) {
                                     return twoPointsWindow(op, MainForm2PointsProgramming::PowerButton::Absent);
                                   }};
const WindowRegistration twoPointsWithPower{
    QStringLiteral("MainForm2PointsProgrammingWithPwr"),
    [](OperatorInterface& op) { return twoPointsWindow(op, MainForm2PointsProgramming::PowerButton::Present); }};

}  // namespace
}  // namespace rx41
