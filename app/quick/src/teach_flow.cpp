#include "rx41/quick/teach_flow.h"

#include "rx41/device_calls.h"
#include "rx41/quick/part_settings_panel.h"
#include "rx41/quick/teach_in_device.h"

namespace rx41 {

bool PrepareAtSetpointA::startPointA(TeachInDevice& device, PartSet parts) const {
  if (device.isPrepared()) return false;
  // Point A is read whatever the preparation gave.
  device.PrepareChip(parts);
  return true;
}

void PrepareAtSetpointA::abandonPointA(TeachInDevice& device, PartSet parts) const {
  // Nothing taught; the next press starts over.
  device.PowerOffIfPrepared(parts);
}

bool PrepareAtPowerOn::startPointA(TeachInDevice& device, PartSet) const { return device.isPrepared(); }

void TaughtSecondPoint::afterPointA(std::int16_t, float angleA) { panel_.setDpOpposite(angleA); }

bool TaughtSecondPoint::takePointB(std::int16_t part) {
  const auto angle = calls_.readAngle(part);
  if (!angle) return false;
  panel_.teachAngle(1, *angle);
  return true;
}

}  // namespace rx41
