#pragma once
// What every quick teach-in window does, whichever parts it programs and
// however point B comes about. Connect, (Power On,) Set point A, then Set
// point B or "Program": the chips are prepared, point A is taught, point B
// is taught or placed, the parts are configured from their settings and
// stored in EEPROM, powered off, and their output curves plotted. The parts
// (the selected one, or both as a pair), the preparation trigger (the power
// button) and the way to point B are the window's parameters; the routines
// exist here once.
#include <QString>
#include <cstdint>
#include <memory>

#include "rx41/core/working_window.h"
#include "rx41/quick/teach_flow.h"
#include "rx41/quick/teach_in_device.h"
#include "rx41/quick/two_point_configuration.h"
#include "rx41/rules/part_set.h"

class QHBoxLayout;
class QPushButton;

namespace rx41 {

class CurvePlot;
class QuickSettingsPanel;

class QuickWindow : public WorkingWindow {
 public:
  enum class PowerButton { Absent, Present };

 protected:
  QuickWindow(const WindowIdentity& identity, PowerButton powerButton, OperatorInterface& operatorInterface,
              AppState& state, DeviceFactory deviceFactory);

  // The parts the buttons work on.
  virtual PartSet workParts() const = 0;

  // While building the window: the settings the cycle teaches and
  // configures, and how point B comes about.
  void setTeachSettings(QuickSettingsPanel& settings, std::unique_ptr<SecondPoint> secondPoint);
  QPushButton* addConnect();
  QPushButton* addGetDpButton(const QString& caption);
  // Power On (with the power button), Set point A and the second button, in a row.
  QHBoxLayout* addTeachButtons(const QString& setpointBCaption);
  // The plot the cycle redraws; the window chooses its traces.
  CurvePlot* addCurvePlot();
  // The plot with "Check Output" beside it: the output check of the parts
  // programmed since Connect (frm_output_check.h).
  QHBoxLayout* besideCheckOutput(CurvePlot* plot);

  // Once built: offline, both parts off, the settings' load checks, every
  // action button disabled until a programmer is connected.
  void Form_Load();

 private:
  void connectionChanged(bool connected);
  void PowerOn_Click();
  void SetpointA_Click();
  void GetDP_Click();
  void SetpointB_Click();
  void CheckOutput_Click();
  void setActionButtons(const TeachButtons& buttons);
  void notInOwiMode();

  std::unique_ptr<PreparationTrigger> trigger_;
  TeachInDevice device_;
  QuickSettingsPanel* settings_ = nullptr;
  std::unique_ptr<TwoPointConfiguration> configuration_;
  std::unique_ptr<SecondPoint> secondPoint_;
  QPushButton* SetpointA_ = nullptr;
  QPushButton* SetpointB_ = nullptr;
  QPushButton* PowerOn_ = nullptr;
  QPushButton* CheckOutput_ = nullptr;
  CurvePlot* Picture1_ = nullptr;
};

}  // namespace rx41
