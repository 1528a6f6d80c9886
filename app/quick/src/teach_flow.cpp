#include "rx41/quick/teach_flow.h"

#include <QLineEdit>

#include "rx41/core/device_calls.h"
#include "rx41/core/shown_numbers.h"
#include "rx41/quick/quick_settings_panel.h"
#include "rx41/quick/teach_in_device.h"

namespace rx41 {

bool PrepareAtSetpointA::startPointA(TeachInDevice& device, PartSet parts) const {
  if (device.isPrepared()) return false;
  // A preparation that stopped has powered the chips off: there is no angle to read.
  return device.PrepareChip(parts);
}

void PrepareAtSetpointA::abandonPointA(TeachInDevice& device, PartSet parts) const {
  // Nothing taught; the next press starts over.
  device.PowerOffIfPrepared(parts);
}

bool PrepareAtPowerOn::startPointA(TeachInDevice& device, PartSet) const { return device.isPrepared(); }

void TaughtSecondPoint::afterPointA(std::int16_t part, float angleA) { panel_.setDpOpposite(part, angleA); }

bool TaughtSecondPoint::takePointB(std::int16_t part) {
  const auto angle = calls_.readAngle(part);
  if (!angle) return false;
  panel_.teachAngle(part, 1, *angle);
  return true;
}

OffsetPlacement placeByOffsets(float angleA, float offsetAngleB, float offsetDp, bool clockwise) {
  const auto place = [&](float offset) {
    if (clockwise) {
      const float angle = angleA - offset;
      return angle < 0.0f ? angle + 360.0f : angle;
    }
    const float angle = angleA + offset;
    return angle >= 360.0f ? angle - 360.0f : angle;
  };
  return {place(offsetAngleB), place(offsetDp)};
}

void OffsetSecondPoint::afterPointA(std::int16_t part, float angleA) {
  QWidget* owner = panel_.window();
  const float offsetAngleB = TextToSingle(offsetAngleB_.text(), operator_, owner);
  const float offsetDp = TextToSingle(offsetDp_.text(), operator_, owner);
  const OffsetPlacement placed = placeByOffsets(angleA, offsetAngleB, offsetDp, panel_.clockwise(part));
  panel_.placePointBAndDp(part, placed.angleB, placed.dp);
}

}  // namespace rx41
