#include "quick_window_fixture.h"

namespace quick_test {

WindowBench::WindowBench(PowerButton powerButton)
    : rx041::test::WindowBench([powerButton](rx41::OperatorInterface& operatorInterface, rx41::AppState& appState,
                                             rx41::DeviceFactory factory) {
        return std::make_unique<rx41::MainForm2PointsProgramming>(operatorInterface, powerButton, appState,
                                                                  std::move(factory));
      }) {}

QString buttonStates(const rx041::test::WindowBench& bench) {
  const auto state = [&](const QString& name) {
    if (!bench.control(name)) return QStringLiteral("-");
    return bench.enabled(name) ? QStringLiteral("E") : QStringLiteral("D");
  };
  return QStringLiteral("A %1 B %2 P %3").arg(state("SetpointA"), state("SetpointB"), state("PowerOn"));
}

}  // namespace quick_test
