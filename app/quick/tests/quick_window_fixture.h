#pragma once
// The quick 2-points window (or its power-button variant) on the window bench.
#include <QString>

#include "rx41/quick/main_form_2points.h"
#include "window_bench.h"

namespace quick_test {

using PowerButton = rx41::MainForm2PointsProgramming::PowerButton;

class WindowBench : public rx041::test::WindowBench {
 public:
  explicit WindowBench(PowerButton powerButton = PowerButton::Absent);
};

// "A D B E P -": the enabled state of SetpointA, SetpointB and PowerOn ("-" without it).
QString buttonStates(const rx041::test::WindowBench& bench);

}  // namespace quick_test
