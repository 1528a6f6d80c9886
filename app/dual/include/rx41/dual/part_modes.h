#pragma once
// Bringing the parts of a button's unit into the mode a chip operation
// needs, with the transition in the status line and the controls updated
// afterwards: OWI mode for register, solver and EEPROM work, ADC mode for
// the output, and power off. A pair changes together.
#include <functional>

#include "rx41/core/state_machine.h"
#include "rx41/rules/part_set.h"

namespace rx41 {

class PartModes {
 public:
  // afterChange runs when a transition was made (the window's UpdateControl).
  PartModes(StateMachine& machine, StatusSink status, std::function<void()> afterChange);

  StateMachine& machine() const { return machine_; }
  const StatusSink& status() const { return status_; }

  // EnsureOwiMode of the set (a pair at once). True when every part is in OWI mode.
  bool EnsureOwiMode(PartSet parts);
  // ReturnToAdcMode of each part in order. True when every part is in ADC mode.
  bool ReturnToAdcMode(PartSet parts);
  // "Power Off Chip...": the set powered off.
  void powerOff(PartSet parts);

 private:
  bool allIn(PartSet parts, std::int32_t chipState) const;

  StateMachine& machine_;
  StatusSink status_;
  std::function<void()> afterChange_;
};

}  // namespace rx41
