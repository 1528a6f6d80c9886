#pragma once
// A dual-part window (either kind) on the window bench, with the steps most
// tests take.
#include <QString>
#include <QStringList>

#include "rx41/dual/main_form_2parts.h"
#include "window_bench.h"

namespace dual_test {

// The row of the window: "/1" for dual sources, "/0" for the single-source twin.
const rx41::WorkingWindowEntry& dualWindow(rx41::Sources sources);

class DualBench : public rx041::test::WindowBench {
 public:
  explicit DualBench(rx41::Sources sources = rx41::Sources::Dual);

  rx41::MainForm2Parts2Src& form() const { return static_cast<rx41::MainForm2Parts2Src&>(*window); }
  // Connected to a healthy chip, the part enabled (where the window has the
  // box) and powered; the calls so far forgotten.
  void connectAndPowerOn(std::int16_t part = 0);
  // Points A and B of the part (40 and 140 degrees at 10 and 90 %).
  void typeTwoPoints(std::int16_t part = 0);
  // "E" or "D" for each named control, space separated ("-" for a missing one).
  QString states(const QStringList& names) const;
};

}  // namespace dual_test
