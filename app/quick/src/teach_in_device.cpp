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
  WaitNotice wait(owner_, QLatin1String(device_text::kWaitGettingVdd));
  const auto stop = [&] {
    PowerOffIfPrepared(parts);
    return false;
  };
  if (bringUpChips(machine_, parts, wait).outcome != BringUpOutcome::Ready) return stop();

  DeviceCalls& calls = machine_.calls();
  wait.change(QLatin1String(device_text::kWaitClearing));
  for (const std::int16_t part : parts.parts()) {
    const auto cleared = calls.ClearSolverSettings(part);
    if (!cleared) return stop();
    if (*cleared != 0) message(device_text::kClearFailed);
  }

  wait.change(QLatin1String(device_text::kWaitProgramming));
  if (!mayGoOn(storeAndReenterOwi(machine_, parts, rx041::records::EepromContents::Cleared))) return stop();

  wait.change(QLatin1String(device_text::kWaitSelfCorrecting));
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
  wait.change(QLatin1String(device_text::kWaitProgramming));
  const auto stored = storeAndReenterOwi(machine_, parts, rx041::records::EepromContents::Configured);
  // What the output check expects of each part: the quick windows program two points.
  constexpr std::int16_t kTwoPointsMode = 2;
  for (const std::int16_t part : parts.parts())
    programmed_[part] = stored == StoreOutcome::Stored
                            ? std::optional(curveSettingsOf(machine_.state(), part, kTwoPointsMode))
                            : std::nullopt;
}

void TeachInDevice::message(const char* text) { machine_.operatorInterface().message(QLatin1String(text), owner_); }

}  // namespace rx41
