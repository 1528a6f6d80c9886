#pragma once
// The quick windows on the window bench, by their start-up argument: "/2",
// "/4" (power button), "/6" (1 point with offsets), "/3" and "/5" (both parts).
#include <QString>
#include <QWidget>
#include <memory>

#include "rx41/core/device_connection.h"
#include "window_bench.h"

namespace quick_test {

// The quick window's row.
const rx41::WorkingWindowEntry& quickWindow(const QString& argument);

std::unique_ptr<QWidget> makeQuickWindow(const QString& argument, rx41::OperatorInterface& operatorInterface,
                                         rx41::AppState& state,
                                         rx41::DeviceFactory deviceFactory = rx41::createDeviceObject);

class WindowBench : public rx041::test::WindowBench {
 public:
  explicit WindowBench(const QString& argument = QStringLiteral("/2"))
      : rx041::test::WindowBench(quickWindow(argument)) {}
};

// "A D B E P -": the enabled state of SetpointA, SetpointB and PowerOn ("-" without it).
QString buttonStates(const rx041::test::WindowBench& bench);

}  // namespace quick_test
