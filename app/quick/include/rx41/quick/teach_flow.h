#pragma once
// The parts of a quick window's teach cycle that differ between windows, as
// small strategy objects the window asks instead of branching:
// - PreparationTrigger: whether the chips are prepared by "Set point A" or
//   by a separate "Power On" button, and the button states that follow;
// - SecondPoint: how point B and the DP come about (taught from the live
//   angle at "Set point B" with the DP opposite point A, or placed from
//   point A by two fixed offsets).
#include <cstdint>

#include "rx41/rules/part_set.h"

class QLineEdit;

namespace rx41 {

class DeviceCalls;
class OperatorInterface;
class QuickSettingsPanel;
class TeachInDevice;

// Enabled states of the teach buttons.
struct TeachButtons {
  bool setpointA = false;
  bool setpointB = false;
  bool powerOn = false;
};

class PreparationTrigger {
 public:
  virtual ~PreparationTrigger() = default;
  virtual bool hasPowerButton() const = 0;
  // When a cycle can start: after connecting, and after Set point B.
  virtual TeachButtons ready() const = 0;
  // Set point A pressed: false when it may not read point A now; otherwise
  // the chips are prepared first where this trigger does that.
  virtual bool startPointA(TeachInDevice& device, PartSet parts) const = 0;
  // Point A could not be read: undo what startPointA did.
  virtual void abandonPointA(TeachInDevice& device, PartSet parts) const = 0;
};

// "Set point A" prepares the chips ("/2").
class PrepareAtSetpointA final : public PreparationTrigger {
 public:
  bool hasPowerButton() const override { return false; }
  TeachButtons ready() const override { return {true, false, false}; }
  bool startPointA(TeachInDevice& device, PartSet parts) const override;
  void abandonPointA(TeachInDevice& device, PartSet parts) const override;
};

// "Power On" prepares the chips; "Set point A" only reads ("/4").
class PrepareAtPowerOn final : public PreparationTrigger {
 public:
  bool hasPowerButton() const override { return true; }
  TeachButtons ready() const override { return {false, false, true}; }
  bool startPointA(TeachInDevice& device, PartSet parts) const override;
  void abandonPointA(TeachInDevice&, PartSet) const override {}
};

class SecondPoint {
 public:
  virtual ~SecondPoint() = default;
  // Point A was taught at the angle.
  virtual void afterPointA(std::int16_t part, float angleA) = 0;
  // Set point B: point B is in its field; false (reported) when it could not be had.
  virtual bool takePointB(std::int16_t part) = 0;
};

// Point B read from the live angle at "Set point B"; the DP opposite point A.
class TaughtSecondPoint final : public SecondPoint {
 public:
  TaughtSecondPoint(QuickSettingsPanel& panel, DeviceCalls& calls) : panel_(panel), calls_(calls) {}
  void afterPointA(std::int16_t part, float angleA) override;
  bool takePointB(std::int16_t part) override;

 private:
  QuickSettingsPanel& panel_;
  DeviceCalls& calls_;
};

// Point B and the DP placed from point A by two fixed offsets, in the
// part's direction, wrapped into 0..360 (single precision, as the fields keep them).
struct OffsetPlacement {
  float angleB;
  float dp;
};
OffsetPlacement placeByOffsets(float angleA, float offsetAngleB, float offsetDp, bool clockwise);

// Point B and the DP placed by the offsets when point A is taught; the
// second button programs without reading an angle ("/6").
class OffsetSecondPoint final : public SecondPoint {
 public:
  OffsetSecondPoint(QuickSettingsPanel& panel, const QLineEdit& offsetAngleB, const QLineEdit& offsetDp,
                    OperatorInterface& operatorInterface)
      : panel_(panel), offsetAngleB_(offsetAngleB), offsetDp_(offsetDp), operator_(operatorInterface) {}
  void afterPointA(std::int16_t part, float angleA) override;
  bool takePointB(std::int16_t) override { return true; }

 private:
  QuickSettingsPanel& panel_;
  const QLineEdit& offsetAngleB_;
  const QLineEdit& offsetDp_;
  OperatorInterface& operator_;
};

}  // namespace rx41
