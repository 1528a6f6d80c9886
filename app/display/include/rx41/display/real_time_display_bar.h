#pragma once
// The live output of one part in ADC mode: every 100 ms one measurement in
// percent of VDD, shown with the same value as an angle, in numbers and bars,
// in the group of that part (the other group shows 0). The calling window
// opens it for a part that is in ADC mode:
//   RealTimeDisplayBar display(operatorInterface, state, owner);
//   display.Init(part, 1);
//   operatorInterface.runModal(display);
// Measuring runs only while the window is shown. A reading outside [0, 101)
// or a measurement that could not be made stops it once, with one message,
// and hides the window.
#include <QTimer>
#include <cstdint>

#include "rx41/core/app_state.h"
#include "rx41/core/busy_flag.h"
#include "rx41/core/device_calls.h"
#include "rx41/display/display_form.h"

class QGroupBox;
class QLineEdit;
class QProgressBar;
class QRadioButton;

namespace rx41 {

class RealTimeDisplayBar final : public DisplayForm {
 public:
  explicit RealTimeDisplayBar(OperatorInterface& operatorInterface, AppState& state = appState(),
                              QWidget* owner = nullptr);

  // chipindex: the part measured (0 or 1); num: the number of parts offered,
  // 1 locks the part. Switches the programmer's measurement to the part.
  void Init(std::int16_t chipindex, std::int16_t num);

  // Fills both groups from outputs in %VDD.
  void ShowValues(float p0, float p1);

 protected:
  void Form_Load() override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QGroupBox* buildGroup(std::int16_t part);
  void PartsOption_Click(std::int16_t Index);
  void Timer1_Timer();
  // Customized_Mode0V: the ADC to the part's output. False when the call
  // could not be made (reported).
  bool measureOutputOf(std::int16_t part);

  AppState& state_;
  DeviceCalls calls_;
  QTimer Timer1_;
  std::int16_t part_ = 0;
  std::int16_t count_ = 0;
  // A tick or a part change is under way: a tick that comes meanwhile (from
  // a message box's or the wait's event loop) is skipped.
  BusyFlag busy_;
  QLineEdit* PercentText_[2] = {};
  QProgressBar* PercentBar_[2] = {};
  QLineEdit* AngleText_[2] = {};
  QProgressBar* AngleBar_[2] = {};
  QRadioButton* PartsOption_[2] = {};
};

}  // namespace rx41
