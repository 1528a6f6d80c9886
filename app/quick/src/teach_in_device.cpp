#include "rx41/quick/teach_in_device.h"

#include "rx41/core/chip_bring_up.h"
#include "rx41/core/verified_store.h"
#include "rx41/rules/device_texts.h"

namespace rx41 {

TeachInDevice::TeachInDevice(StateMachine& machine, QWidget* owner) : machine_(machine), owner_(owner) {}

bool TeachInDevice::EnsureOwiMode(PartSet parts) { return machine_.ensureOwiMode(parts.stateMachinePart()); }

void TeachInDevice::PowerOffIfPrepared(PartSet parts) {
  if (!prepared_) return;
  machine_.ChipChangeToState(parts.stateMachinePart(), machine_.state().ChipState[parts.first()], kPowerOff);
  prepared_ = false;
}

bool TeachInDevice::PrepareChip(PartSet parts) {
  if (prepared_) return false;
  prepared_ = true;
  WaitNotice wait(owner_, QStringLiteral("Getting VDD of device...  Please Wait..."));
  const auto stop = [&] {
    PowerOffIfPrepared(parts);
    return false;
  };
  if (bringUpChips(machine_, parts, wait).outcome != BringUpOutcome::Ready) return stop();

  DeviceCalls& calls = machine_.calls();
  wait.change(QStringLiteral("Clearing Solver...  Please Wait..."));
  for (const std::int16_t part : parts.parts()) {
    const auto cleared = calls.ClearSolverSettings(part);
    if (!cleared) return stop();
    if (*cleared != 0) message(device_text::kClearFailed);
  }

  wait.change(QStringLiteral("Programming EEPROM...  Please Wait..."));
  // A chip that did not take the cleared settings is not calibrated or taught.
  const auto stored = programEeproms(parts, rx041::records::EepromContents::Cleared);
  if (!stored || *stored == StoreOutcome::Stopped) return stop();

  wait.change(QStringLiteral("System is self correcting... Please Wait..."));
  calls.CalibrateDac(parts);
  return true;
}

void TeachInDevice::copyAndProgram(PartSet parts, WaitNotice& wait) {
  // Every conversion first: a pair stores neither EEPROM unless both worked.
  for (const std::int16_t part : parts.parts()) {
    const auto copied = machine_.calls().CopySolverSettingsToParameters(part);
    if (!copied) return;
    if (*copied != 0) {
      if (const std::string text = device_text::solverCopyMessage(*copied); !text.empty())
        machine_.operatorInterface().message(QString::fromStdString(text), owner_);
      return;
    }
  }
  wait.change(QStringLiteral("Programming EEPROM...  Please Wait..."));
  programEeproms(parts, rx041::records::EepromContents::Configured);
}

std::optional<StoreOutcome> TeachInDevice::programEeproms(PartSet parts, rx041::records::EepromContents contents) {
  const auto outcome = verifiedStore(machine_.calls(), parts, contents);
  const bool configured = outcome == StoreOutcome::Stored && contents == rx041::records::EepromContents::Configured;
  // The quick windows program two points.
  constexpr std::int16_t kTwoPointsMode = 2;
  for (const std::int16_t part : parts.parts())
    programmed_[part] =
        configured ? std::optional(curveSettingsOf(machine_.state(), part, kTwoPointsMode)) : std::nullopt;
  if (outcome) machine_.ChipChangeToState(parts.stateMachinePart(), kOwiMode, kOwiMode);
  return outcome;
}

void TeachInDevice::message(const char* text) { machine_.operatorInterface().message(QLatin1String(text), owner_); }

}  // namespace rx41
