#pragma once
// The quick 2-points programming window: one chip taught by two magnet
// positions. Connect, (Power On,) Set point A, Set point B: the chip is
// prepared, configured from the settings, stored in EEPROM, powered off, and
// its output curve plotted. With the power button the preparation has a
// button of its own instead of running from Set point A.
#include <cstdint>
#include <memory>

#include "rx41/profile_binding.h"
#include "rx41/quick/teach_flow.h"
#include "rx41/quick/teach_in_device.h"
#include "rx41/quick/two_point_configuration.h"
#include "rx41/working_window.h"

class QComboBox;
class QPushButton;

namespace rx41 {

class CurvePlot;
class PartSettingsPanel;

class MainForm2PointsProgramming final : public WorkingWindow {
 public:
  enum class PowerButton { Absent, Present };

  MainForm2PointsProgramming(OperatorInterface& operatorInterface, PowerButton powerButton = PowerButton::Absent,
                             AppState& state = appState(), DeviceFactory deviceFactory = createDeviceObject);

 private:
  void buildControls();
  void Form_Load();

  void connectionChanged(bool connected);
  void PowerOn_Click();
  void SetpointA_Click();
  void SetpointB_Click();
  void GetDP_Click();

  void setActionButtons(const TeachButtons& buttons);
  std::int16_t selectedPart() const;
  PartSet selectedParts() const { return PartSet::part(selectedPart()); }

  std::unique_ptr<PreparationTrigger> trigger_;
  TeachInDevice device_;
  ProfileBinding profile_;
  QComboBox* PartSel_ = nullptr;
  PartSettingsPanel* settings_ = nullptr;
  std::unique_ptr<TwoPointConfiguration> configuration_;
  std::unique_ptr<SecondPoint> secondPoint_;
  QPushButton* SetpointA_ = nullptr;
  QPushButton* SetpointB_ = nullptr;
  QPushButton* PowerOn_ = nullptr;
  CurvePlot* Picture1_ = nullptr;
};

}  // namespace rx41
