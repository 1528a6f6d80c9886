#pragma once
// The quick 2-points programming window: one chip taught by two magnet
// positions. Connect, (Power On,) Set point A, Set point B: the chip is
// prepared, configured from the settings, stored in EEPROM, powered off, and
// its output curve plotted. With the power button the preparation has a
// button of its own instead of running from Set point A.
#include <QWidget>
#include <cstdint>
#include <memory>

#include "rx41/app_state.h"
#include "rx41/device_connection.h"
#include "rx41/quick/teach_in_device.h"
#include "rx41/quick/two_point_configuration.h"
#include "rx41/state_machine.h"

class QComboBox;
class QPushButton;

namespace rx41 {

class CurvePlot;
class OperatorInterface;
class PartSettingsPanel;

class MainForm2PointsProgramming final : public QWidget {
 public:
  enum class PowerButton { Absent, Present };

  MainForm2PointsProgramming(OperatorInterface& operatorInterface, PowerButton powerButton = PowerButton::Absent,
                             AppState& state = appState(), DeviceFactory deviceFactory = createDeviceObject);

 protected:
  // Refused while a flow runs: the flow still holds the device.
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  QPushButton* addButton(const QString& name, const QString& caption, void (MainForm2PointsProgramming::*handler)());
  void Form_Load();

  // Button handlers. A press while another flow runs is ignored.
  void connect_Click();
  void PowerOn_Click();
  void SetpointA_Click();
  void SetpointB_Click();
  void GetDP_Click();
  void mSaveAs_Click();
  void mOpen_Click();
  void btnAbout_Click();

  void setActionButtons(bool setpointA, bool setpointB, bool powerOn);
  std::int16_t selectedPart() const;
  bool withPowerButton() const { return powerButton_ == PowerButton::Present; }
  // Runs a button's flow unless another one is running.
  void runFlow(void (MainForm2PointsProgramming::*flow)());

  OperatorInterface& operator_;
  AppState& state_;
  const PowerButton powerButton_;
  StateMachine machine_;
  DeviceConnection connection_;
  TeachInDevice device_;
  std::unique_ptr<TwoPointConfiguration> configuration_;
  bool busy_ = false;

  QPushButton* connect_ = nullptr;
  QComboBox* PartSel_ = nullptr;
  PartSettingsPanel* settings_ = nullptr;
  QPushButton* SetpointA_ = nullptr;
  QPushButton* SetpointB_ = nullptr;
  QPushButton* PowerOn_ = nullptr;
  CurvePlot* Picture1_ = nullptr;
};

}  // namespace rx41
