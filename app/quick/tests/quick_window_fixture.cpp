#include "quick_window_fixture.h"

#include "rx41/quick/main_form_2points.h"
#include "rx41/quick/main_form_pair.h"

namespace quick_test {

std::unique_ptr<QWidget> makeQuickWindow(const QString& argument, rx41::OperatorInterface& operatorInterface,
                                         rx41::AppState& state, rx41::DeviceFactory deviceFactory) {
  using PowerButton = rx41::QuickWindow::PowerButton;
  using PointB = rx41::MainForm2PointsProgramming::PointB;
  const auto singlePart = [&](PowerButton powerButton, PointB pointB) {
    return std::make_unique<rx41::MainForm2PointsProgramming>(operatorInterface, powerButton, pointB, state,
                                                              std::move(deviceFactory));
  };
  const auto pair = [&](PowerButton powerButton) {
    return std::make_unique<rx41::MainForm2PointsProgrammingforDual>(operatorInterface, powerButton, state,
                                                                     std::move(deviceFactory));
  };
  if (argument == "/2") return singlePart(PowerButton::Absent, PointB::Taught);
  if (argument == "/4") return singlePart(PowerButton::Present, PointB::Taught);
  if (argument == "/6") return singlePart(PowerButton::Absent, PointB::ByOffsets);
  if (argument == "/3") return pair(PowerButton::Absent);
  if (argument == "/5") return pair(PowerButton::Present);
  qFatal("no quick window %s", qPrintable(argument));
}

WindowBench::WindowBench(const QString& argument)
    : rx041::test::WindowBench([argument](rx41::OperatorInterface& operatorInterface, rx41::AppState& appState,
                                          rx41::DeviceFactory factory) {
        return makeQuickWindow(argument, operatorInterface, appState, std::move(factory));
      }) {}

QString buttonStates(const rx041::test::WindowBench& bench) {
  const auto state = [&](const QString& name) {
    if (!bench.control(name)) return QStringLiteral("-");
    return bench.enabled(name) ? QStringLiteral("E") : QStringLiteral("D");
  };
  return QStringLiteral("A %1 B %2 P %3").arg(state("SetpointA"), state("SetpointB"), state("PowerOn"));
}

}  // namespace quick_test
