#pragma once
// The device side of the quick windows' teach-in, over a part set (one part,
// or both as a pair): preparing the chips (the common bring-up, then solver
// clear, EEPROM and DAC calibration), powering them off again, and turning
// the solver settings into chip registers and EEPROM. A pair runs each phase
// over both parts before the next. Every failure reaches the operator; a
// device call that fails outright stops the step it belongs to.
#include <cstdint>

#include "rx41/core/state_machine.h"
#include "rx41/core/wait_form.h"
#include "rx41/rules/output_check.h"
#include "rx41/rules/part_set.h"

class QWidget;

namespace rx41 {

class TeachInDevice {
 public:
  // Messages and the wait window appear over the owner.
  TeachInDevice(StateMachine& machine, QWidget* owner);

  // True from the start of a preparation until the parts are powered off again.
  bool isPrepared() const { return prepared_; }
  // A new connection starts unprepared, with no part programmed in it.
  void forgetPreparation() {
    prepared_ = false;
    programmed_[0] = programmed_[1] = std::nullopt;
  }
  // The settings the part's last configured store put into its EEPROM, as
  // the curve tables held them; none before such a store and after a store
  // of a cleared solver or one that did not take.
  const std::optional<CurveSettings>& programmedSettings(std::int16_t part) const { return programmed_[part]; }

  // True when the parts are (or were brought) in OWI mode.
  bool EnsureOwiMode(PartSet parts);
  void PowerOffIfPrepared(PartSet parts);

  // Runs only while unprepared. True when it reached the DAC calibration;
  // false when it stopped (VDD, identification or a failed call; the parts
  // are then powered off again) or did not run.
  bool PrepareChip(PartSet parts);

  // Converts each part's stored settings into chip registers and, when every
  // part's conversion worked, programs their EEPROMs, with the wait window
  // telling which.
  void copyAndProgram(PartSet parts, WaitNotice& wait);

 private:
  void message(const char* text);

  StateMachine& machine_;
  QWidget* owner_;
  bool prepared_ = false;
  std::optional<CurveSettings> programmed_[2];
};

}  // namespace rx41
