#pragma once
// The About window: software and programmer versions, and a hidden spot
// (debugonly) that shows the DAC calibration values for service work.
#include <QDialog>
#include <QString>

#include "rx41/core/app_state.h"
#include "rx41/operator/operator_interface.h"

class QLabel;

namespace rx41 {

class About final : public QDialog {
 public:
  About(const AppState& state, OperatorInterface& operatorInterface, QWidget* owner = nullptr);

  // Shows "Hardware Version: " + the programmer's version text.
  void Init(const QString& versionText);

 private:
  void showCalibrationValues();

  const AppState& state_;
  OperatorInterface& operator_;
  QLabel* HWversion_;
};

class DeviceCalls;

// What every working window's About button does: reads the programmer's
// version (or reports that there is no programmer, or that the call failed,
// and uses "0.0.0"), then shows About modally over the owner.
void showAboutBox(DeviceCalls& calls, QWidget* owner);

}  // namespace rx41
