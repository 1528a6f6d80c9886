#include "rx41/core/state_machine.h"

#include <chrono>

#include "rx041/component/clock.h"
#include "rx41/core/event_pass.h"
#include "rx41/rules/device_texts.h"

namespace rx41 {

namespace {

// Re-entering OWI mode on both parts needs the chips to settle first.
constexpr std::chrono::milliseconds kBothPartsOwiReentryWait{500};

}  // namespace

StateMachine::StateMachine(AppState& state, OperatorInterface& operatorInterface, QWidget* owner)
    : state_(state), operator_(operatorInterface), calls_(state, operatorInterface, owner) {}

void StateMachine::loadWindowState() {
  state_.ProgrammerState = kOffline;
  for (int p = 0; p < 2; ++p) {
    state_.ChipState[p] = kPowerOff;
    state_.CommLocked[p] = kFalse16;
    state_.DacK[p] = kDefaultDacK;
    state_.DacB[p] = 0.0f;
  }
  state_.SysOffset = 0.0f;
  ProgrammerChangeToState(kOffline, kOffline);
}

void StateMachine::ProgrammerChangeToState(std::int32_t /*fromState*/, std::int32_t toState) {
  state_.ProgrammerState = toState;
  if (toState != kConnected) return;
  ChipChangeToState(0, state_.ChipState[0], kPowerOff);
  ChipChangeToState(1, state_.ChipState[1], kPowerOff);
}

bool StateMachine::ChipChangeToState(std::int16_t part, std::int32_t fromState, std::int32_t toState) {
  if (part == 0 || part == 1) return changeOnePart(part, fromState, toState);
  if (part == kBothParts) return changeBothParts(fromState, toState);
  operator_.message(QStringLiteral("Error arguments in ChipChangeToState!"));
  return false;
}

bool StateMachine::changeOnePart(std::int16_t part, std::int32_t fromState, std::int32_t toState) {
  state_.ChipState[part] = toState;
  const bool locked = state_.CommLocked[part] != kFalse16;
  switch (toState) {
    case kAdcMode:
      if (locked) return run({{kSetAdcModeOp, part}});
      if (fromState == kPowerOff) return run({{kPowerOnOp, part}, {kSetAdcModeOp, part}});
      if (fromState == kOwiMode) return run({{kQuitOwiOp, part}, {kSetAdcModeOp, part}});
      return true;
    case kOwiMode:
      if (locked) return false;
      if (fromState == kPowerOff) return run({{kPowerOnOp, part}}) && enterOwi(part);
      if (fromState == kAdcMode || fromState == kOwiMode) return enterOwi(part);
      return true;
    case kPowerOff:
      if (fromState == kAdcMode || fromState == kOwiMode)
        return run({{kPowerOffOp, part}, {kSetAdcModeOp, part}, {kMode0VOp, part}});
      return true;
    default: operator_.message(QStringLiteral("Error: There is no such state: %1").arg(toState)); return true;
  }
}

bool StateMachine::changeBothParts(std::int32_t fromState, std::int32_t toState) {
  state_.ChipState[0] = state_.ChipState[1] = toState;
  const bool bothLocked = state_.CommLocked[0] != kFalse16 && state_.CommLocked[1] != kFalse16;
  const bool eitherLocked = state_.CommLocked[0] != kFalse16 || state_.CommLocked[1] != kFalse16;
  switch (toState) {
    case kAdcMode:
      if (bothLocked) return run({{kSetAdcModeOp, 0}, {kSetAdcModeOp, 1}});
      if (fromState == kPowerOff)
        return run({{kPowerOnOp, 0}, {kPowerOnOp, 1}, {kSetAdcModeOp, 0}, {kSetAdcModeOp, 1}});
      if (fromState == kOwiMode) return run({{kQuitOwiOp, 0}, {kQuitOwiOp, 1}, {kSetAdcModeOp, 0}, {kSetAdcModeOp, 1}});
      return true;
    case kOwiMode:
      if (eitherLocked) return false;
      if (fromState == kPowerOff) return run({{kPowerOnOp, 0}, {kPowerOnOp, 1}}) && enterOwi(kBothChips);
      if (fromState == kAdcMode) return enterOwi(kBothChips);
      if (fromState == kOwiMode) {
        rx041::com::fixedWait(kBothPartsOwiReentryWait);
        return enterOwi(kBothChips);
      }
      return true;
    case kPowerOff:
      // The 0 V mode is set on Part#1 only.
      if (fromState == kAdcMode || fromState == kOwiMode)
        return run({{kPowerOffOp, 0}, {kPowerOffOp, 1}, {kSetAdcModeOp, 0}, {kSetAdcModeOp, 1}, {kMode0VOp, 0}});
      return true;
    default: operator_.message(QStringLiteral("Error: There is no such state: %1").arg(toState)); return true;
  }
}

std::optional<std::int32_t> StateMachine::invoke(const Call& call) {
  return calls_.chipOperation(call.operation.member, call.operation.name, call.chip);
}

bool StateMachine::run(std::initializer_list<Call> calls) {
  for (const Call& call : calls)
    if (!invoke(call)) return false;
  return true;
}

bool StateMachine::enterOwi(std::int32_t chip) {
  const auto result = invoke({kEnterOwiOp, chip});
  return result && *result != 1;  // 1: the chip did not enter OWI mode
}

void StateMachine::showStatus(const StatusSink& status, const QString& text) const {
  if (!status) return;
  status(text);
  letEventsRun();
}

void StateMachine::returnToAdcMode(std::int16_t part, const StatusSink& status) {
  if (part != 0 && part != 1) {
    ChipChangeToState(part, kPowerOff, kAdcMode);  // reports the invalid part
    return;
  }
  const std::int32_t current = state_.ChipState[part];
  if (state_.ProgrammerState != kConnected || (current != kPowerOff && current != kOwiMode)) return;
  showStatus(status, QString::fromStdString(partName(part)) + QStringLiteral(":  In transition to ADC Mode..."));
  ChipChangeToState(part, current, kAdcMode);
}

bool StateMachine::ensureOwiMode(std::int16_t part, const StatusSink& status) {
  if (part == kBothParts) {
    const std::int32_t first = state_.ChipState[0];
    const bool sameOffOrAdc = first == state_.ChipState[1] && (first == kPowerOff || first == kAdcMode);
    if (state_.ProgrammerState == kConnected && sameOffOrAdc) {
      showStatus(status, QStringLiteral("Part#1 and Part#2 :  In transition to OWI Mode..."));
      if (!ChipChangeToState(kBothParts, first, kOwiMode)) {
        if (calls_.programmerLost()) return false;
        tellOwiRefusal(PartSet::both());
        ChipChangeToState(kBothParts, state_.ChipState[0], kAdcMode);
      }
    }
    return state_.ChipState[0] == kOwiMode && state_.ChipState[1] == kOwiMode;
  }
  if (part != 0 && part != 1) {
    ChipChangeToState(part, kPowerOff, kOwiMode);  // reports the invalid part
    return false;
  }
  const std::int32_t current = state_.ChipState[part];
  if (state_.ProgrammerState == kConnected && (current == kPowerOff || current == kAdcMode)) {
    showStatus(status, QString::fromStdString(partName(part)) + QStringLiteral(":  In transition to OWI Mode..."));
    if (!ChipChangeToState(part, current, kOwiMode)) {
      // A lost programmer is no lock, and there is no way back to ADC mode.
      if (calls_.programmerLost()) return false;
      tellOwiRefusal(PartSet::part(part));
      ChipChangeToState(part, state_.ChipState[part], kAdcMode);
    }
  }
  return state_.ChipState[part] == kOwiMode;
}

bool StateMachine::anyCommLocked(PartSet parts) const {
  for (const std::int16_t part : parts.parts())
    if (state_.CommLocked[part] != kFalse16) return true;
  return false;
}

void StateMachine::tellOwiRefusal(PartSet parts) {
  // Only a recorded lock refuses OWI mode without asking the chip; otherwise
  // the chip did not answer its entry, and a missing chip is no lock.
  operator_.message(QString::fromStdString(anyCommLocked(parts) ? std::string(device_text::kOwiRefused)
                                                                : device_text::notAnswering(parts)));
}

}  // namespace rx41
