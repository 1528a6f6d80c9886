#pragma once
// The quick pair window: both parts of the programmer taught and programmed
// as a pair, side by side. One press of Set point A reads point A of both
// parts, one press of Set point B reads point B of both, configures both and
// stores both EEPROMs, or neither when either part fails a check. "/3"
// MainForm2PointsProgrammingforDual; "/5" MainForm2PointsProgrammingforDualWithPwr
// prepares the pair with a "Power On" button.
#include "rx41/core/profile_binding.h"
#include "rx41/quick/quick_window.h"

namespace rx41 {

class MainForm2PointsProgrammingforDual final : public QuickWindow {
 public:
  // Made by its rows in quick_windows.cpp.
  MainForm2PointsProgrammingforDual(const WindowIdentity& identity, OperatorInterface& operatorInterface,
                                    PowerButton powerButton, AppState& state, DeviceFactory deviceFactory);

 private:
  void buildControls();
  PartSet workParts() const override { return PartSet::both(); }

  ProfileBinding profile_;
};

}  // namespace rx41
