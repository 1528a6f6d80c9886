#pragma once
// Powering the parts of a button's unit on and off, and locking their OWI
// communication. Power On brings the chips up (ADC mode, one VDD
// measurement, OWI mode, identification with a locked chip recorded) and
// powers them off again after a failed supply or a refused chip; Comm Lock
// asks first and ends with the parts powered off.
#include <QWidget>

#include "rx41/core/confirm_form.h"
#include "rx41/dual/dual_settings.h"
#include "rx41/dual/dual_variant.h"
#include "rx41/dual/part_modes.h"

namespace rx41 {

class PartPower {
 public:
  // Messages, the wait window and the confirmation appear over the owner.
  PartPower(PartModes& modes, DualSettings& settings, const DualVariant& variant, QWidget* owner);

  void PowerOn(PartSet parts);
  void PowerOff(PartSet parts) { modes_.powerOff(parts); }
  void owilock(PartSet parts);

 private:
  void message(std::string_view text);

  PartModes& modes_;
  DualSettings& settings_;
  const DualVariant& variant_;
  QWidget* owner_;
  // One confirmation window for the life of the window.
  confirm confirm_;
};

}  // namespace rx41
