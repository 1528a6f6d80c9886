#pragma once
// Bringing chips up for work: the common start of the quick windows'
// preparation and the dual-part windows' Power On. Over a part set: ADC mode
// for each part (which powers it), one VDD measurement (chip index 3 for a
// pair), OWI mode, then the identification word of each part read at 0x48 and
// judged. What follows (solver clear, EEPROM, calibration; or nothing) and
// powering off after a failure are the caller's.
#include <functional>

#include "rx41/core/device_calls.h"
#include "rx41/core/state_machine.h"
#include "rx41/core/wait_form.h"
#include "rx41/rules/part_set.h"

namespace rx41 {

enum class BringUpOutcome {
  Ready,        // every chip answered with a usable identification
  NoSupply,     // the VDD measurement failed (below -100): nothing told
  ChipRefused,  // a chip is locked or does not answer: told (after the identification, then
                // "Please Reset hardware and try again!")
  CallFailed,   // a device call failed outright (already told)
};

struct BringUpResult {
  BringUpOutcome outcome = BringUpOutcome::CallFailed;
  float vdd = 0.0f;  // the measured supply, once measured
};

struct BringUpOptions {
  CommLockRecording commLock = CommLockRecording::Ignore;
  StatusSink status = nullptr;  // the window's status line for the mode transitions
  // Shows the supply as soon as it is measured, before OWI mode and the
  // identification, whatever becomes of them.
  std::function<void(float vdd)> showVdd = nullptr;
};

// The wait window already shows "Getting VDD of device...  Please Wait...";
// it turns to "Verifying communication status... Please Wait..." before the
// identification is read.
BringUpResult bringUpChips(StateMachine& machine, PartSet parts, WaitNotice& wait, const BringUpOptions& options = {});

}  // namespace rx41
