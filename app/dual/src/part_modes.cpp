#include "rx41/dual/part_modes.h"

#include "rx41/core/event_pass.h"

namespace rx41 {

PartModes::PartModes(StateMachine& machine, StatusSink status, std::function<void()> afterChange)
    : machine_(machine), status_(std::move(status)), afterChange_(std::move(afterChange)) {}

bool PartModes::EnsureOwiMode(PartSet parts) {
  machine_.ensureOwiMode(parts.stateMachinePart(), status_);
  afterChange_();
  return allIn(parts, kOwiMode);
}

bool PartModes::ReturnToAdcMode(PartSet parts) {
  for (const std::int16_t part : parts.parts()) machine_.returnToAdcMode(part, status_);
  afterChange_();
  return allIn(parts, kAdcMode);
}

void PartModes::powerOff(PartSet parts) {
  status_(QStringLiteral("Power Off Chip...In transition to Connecting with Programmer..."));
  letEventsRun();
  machine_.ChipChangeToState(parts.stateMachinePart(), machine_.state().ChipState[parts.first()], kPowerOff);
  afterChange_();
}

bool PartModes::allIn(PartSet parts, std::int32_t chipState) const {
  for (const std::int16_t part : parts.parts())
    if (machine_.state().ChipState[part] != chipState) return false;
  return true;
}

}  // namespace rx41
