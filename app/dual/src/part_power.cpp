#include "rx41/dual/part_power.h"

#include "rx41/core/chip_bring_up.h"
#include "rx41/core/verified_store.h"
#include "rx41/core/wait_form.h"
#include "rx41/rules/device_texts.h"

namespace rx41 {

PartPower::PartPower(PartModes& modes, DualSettings& settings, const DualVariant& variant, QWidget* owner)
    : modes_(modes), settings_(settings), variant_(variant), owner_(owner), confirm_(owner) {}

void PartPower::PowerOn(PartSet parts) {
  WaitNotice wait(owner_, QLatin1String(device_text::kWaitGettingVdd));
  const BringUpResult result = bringUpChips(
      modes_.machine(), parts, wait,
      {CommLockRecording::Record, modes_.status(), [this, parts](float vdd) { settings_.showVdd(parts, vdd); }});
  switch (result.outcome) {
    case BringUpOutcome::Ready: return;
    case BringUpOutcome::ChipRefused:
    case BringUpOutcome::NoSupply: PowerOff(parts); return;
    // Already reported; the parts stay as recorded, to be powered off by the button.
    case BringUpOutcome::CallFailed: return;
  }
}

void PartPower::owilock(PartSet parts) {
  if (!modes_.EnsureOwiMode(parts)) {
    message(device_text::kNotInOwiMode);
    return;
  }
  DeviceCalls& calls = modes_.machine().calls();
  calls.operatorInterface().runModal(confirm_);
  if (!confirm_.CheckSelection()) return;
  bool failed = false;
  for (const std::int16_t part : parts.parts()) {
    const auto locked = recordedCommlock(calls, part);
    if (!locked) return;
    failed = failed || *locked != 0;
  }
  if (failed) message(variant_.commlockFailed);
  PowerOff(parts);
}

void PartPower::message(std::string_view text) {
  modes_.machine().operatorInterface().message(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                                               owner_);
}

}  // namespace rx41
