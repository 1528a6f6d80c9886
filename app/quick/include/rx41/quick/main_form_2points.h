#pragma once
// The single-part quick windows: the part is chosen in a list and every
// setting is typed or taught for it. "/2" MainForm2PointsProgramming teaches
// point A and point B ("Set point B") with the DP opposite point A or read by
// "Get DP Mid Point"; "/4" MainForm2PointsProgrammingWithPwr is the same with
// a "Power On" button for the preparation; "/6" MainForm1PointProgramming
// teaches point A only, places point B and the DP by two offsets from it and
// programs with "Program".
#include "rx41/core/profile_binding.h"
#include "rx41/quick/quick_window.h"

namespace rx41 {

class PartSettingsPanel;

class MainForm2PointsProgramming final : public QuickWindow {
 public:
  enum class PointB { Taught, ByOffsets };

  // Made by its rows in quick_windows.cpp.
  MainForm2PointsProgramming(const WindowIdentity& identity, OperatorInterface& operatorInterface,
                             PowerButton powerButton, PointB pointB, AppState& state, DeviceFactory deviceFactory);

 private:
  void buildControls(PointB pointB);
  PartSet workParts() const override;

  ProfileBinding profile_;
  PartSettingsPanel* settings_ = nullptr;
};

}  // namespace rx41
