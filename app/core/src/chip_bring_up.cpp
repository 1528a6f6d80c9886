#include "rx41/core/chip_bring_up.h"

#include "rx41/rules/device_texts.h"

namespace rx41 {
namespace {

constexpr std::int32_t kChipIdRegister = 0x48;
// MeasureVdd's failure value is -101.
constexpr float kNoSupplyBelow = -100.0f;

}  // namespace

BringUpResult bringUpChips(StateMachine& machine, PartSet parts, WaitNotice& wait, const BringUpOptions& options) {
  DeviceCalls& calls = machine.calls();
  BringUpResult result;
  for (const std::int16_t part : parts.parts()) machine.returnToAdcMode(part, options.status);
  const auto vdd = calls.MeasureVdd(parts.chipIndex());
  if (!vdd) return result;
  result.vdd = *vdd;
  if (*vdd < kNoSupplyBelow) {
    result.outcome = BringUpOutcome::NoSupply;
    return result;
  }
  if (options.showVdd) options.showVdd(*vdd);

  // A chip that did not answer its OWI entry (and is not recorded as locked)
  // is missing: its identification read would only wait out its limit.
  if (!machine.ensureOwiMode(parts.stateMachinePart(), options.status) && !machine.anyCommLocked(parts)) {
    result.outcome = machine.calls().programmerLost() ? BringUpOutcome::CallFailed : BringUpOutcome::ChipRefused;
    return result;
  }
  wait.change(QStringLiteral("Verifying communication status... Please Wait..."));
  bool usable = true;
  for (const std::int16_t part : parts.parts()) {
    const auto chipid = calls.MemRead(part, kChipIdRegister);
    if (!chipid) return result;
    usable = calls.ValidateChipID(part, *chipid, options.commLock) && usable;
  }
  if (!usable) {
    calls.operatorInterface().message(QLatin1String(device_text::kResetHardware), calls.owner());
    result.outcome = BringUpOutcome::ChipRefused;
    return result;
  }
  result.outcome = BringUpOutcome::Ready;
  return result;
}

}  // namespace rx41
