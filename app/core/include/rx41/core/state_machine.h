#pragma once
// The one way a window changes the connection state or a part's mode. The
// requested state is recorded before any device call, so the status line shows
// what was asked for even when the hardware refused it; the hardware is never
// read back.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "rx41/core/app_state.h"
#include "rx41/core/device_calls.h"
#include "rx41/operator/operator_interface.h"

namespace rx41 {

// Shows a transition text in a window's status line.
using StatusSink = std::function<void(const QString& text)>;

class StateMachine {
 public:
  // Messages appear over the owner.
  StateMachine(AppState& state, OperatorInterface& operatorInterface, QWidget* owner = nullptr);

  AppState& state() const { return state_; }
  OperatorInterface& operatorInterface() const { return operator_; }
  // The device calls of this window, failures reported over its owner.
  DeviceCalls& calls() { return calls_; }

  // What every working window does when it loads: offline, both parts off and
  // unlocked, default DAC parameters, SysOffset 0.
  void loadWindowState();

  // Records toState; connecting (toState 1) powers both parts off, Part#1 first.
  void ProgrammerChangeToState(std::int32_t fromState, std::int32_t toState);

  // part 0 or 1, or kBothParts. False only when OWI mode was refused (comm
  // lock) or not entered, when the part number is invalid, or when a device
  // call could not be made (reported to the operator).
  bool ChipChangeToState(std::int16_t part, std::int32_t fromState, std::int32_t toState);

  // The windows' ReturnToAdcMode: only when connected and the part is off or
  // in OWI mode. The status text is shown and the screen repainted first.
  void returnToAdcMode(std::int16_t part, const StatusSink& status = {});

  // The windows' EnsureOwiMode: only when connected and the part is off or in
  // ADC mode (kBothParts: both off or both in ADC mode). A refusal is reported
  // (a recorded comm lock as such, otherwise as a part that does not answer)
  // and the part(s) go back to ADC mode. True when the part(s) are in OWI mode
  // afterwards.
  bool ensureOwiMode(std::int16_t part, const StatusSink& status = {});

  // Whether the part or either part of the pair is recorded as comm-locked.
  bool anyCommLocked(PartSet parts) const;

 private:
  using ChipOperation = rx041::com::HRESULT (rx041::zq3902::IZQ3902Device::*)(std::int32_t, std::int32_t*);
  struct Operation {
    ChipOperation member;
    const char* name;
  };
  struct Call {
    Operation operation;
    std::int32_t chip;
  };
  using Device = rx041::zq3902::IZQ3902Device;
  static constexpr Operation kPowerOnOp{&Device::Customized_PowerOn, "Customized_PowerOn"};
  static constexpr Operation kPowerOffOp{&Device::Customized_PowerOff, "Customized_PowerOff"};
  static constexpr Operation kSetAdcModeOp{&Device::Customized_SetADCMode, "Customized_SetADCMode"};
  static constexpr Operation kMode0VOp{&Device::Customized_Mode0V, "Customized_Mode0V"};
  static constexpr Operation kEnterOwiOp{&Device::Customized_EnterOWI, "Customized_EnterOWI"};
  static constexpr Operation kQuitOwiOp{&Device::Customized_QuitOWI, "Customized_QuitOWI"};

  bool changeOnePart(std::int16_t part, std::int32_t fromState, std::int32_t toState);
  bool changeBothParts(std::int32_t fromState, std::int32_t toState);
  // The call's result value, or none when it could not be made (reported).
  std::optional<std::int32_t> invoke(const Call& call);
  // Runs the calls in order, ignoring their results; false when one could not be made.
  bool run(std::initializer_list<Call> calls);
  // Customized_EnterOWI; true when the chip entered OWI mode.
  bool enterOwi(std::int32_t chip);
  void showStatus(const StatusSink& status, const QString& text) const;
  void tellOwiRefusal(PartSet parts);

  AppState& state_;
  OperatorInterface& operator_;
  DeviceCalls calls_;
};

}  // namespace rx41
