#include "quick_window_fixture.h"

#include "rx41/quick/quick_windows.h"

namespace quick_test {

const rx41::WorkingWindowEntry& quickWindow(const QString& argument) {
  const rx41::WorkingWindowEntry* entry = rx41::findWorkingWindow(rx41::quickWindowEntries(), argument);
  if (!entry) qFatal("no quick window %s", qPrintable(argument));
  return *entry;
}

std::unique_ptr<QWidget> makeQuickWindow(const QString& argument, rx41::OperatorInterface& operatorInterface,
                                         rx41::AppState& state, rx41::DeviceFactory deviceFactory) {
  return quickWindow(argument).make(operatorInterface, state, std::move(deviceFactory));
}

QString buttonStates(const rx041::test::WindowBench& bench) {
  const auto state = [&](const QString& name) {
    if (!bench.control(name)) return QStringLiteral("-");
    return bench.enabled(name) ? QStringLiteral("E") : QStringLiteral("D");
  };
  return QStringLiteral("A %1 B %2 P %3").arg(state("SetpointA"), state("SetpointB"), state("PowerOn"));
}

}  // namespace quick_test
