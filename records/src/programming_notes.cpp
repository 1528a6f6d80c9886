#include "rx041/records/programming_notes.h"

#include "rx041/device/device_interfaces.h"

namespace rx041::records {

using namespace rx041::zq3902;

namespace {

constexpr std::int32_t kBothChips = 3;

bool takesDacOffset(std::int32_t code) {
  return code == SolverSettingClampingLow || code == SolverSettingClampingHigh ||
         (code >= SolverTargetLevelPointA && code <= SolverTargetLevelPointD);
}

}  // namespace

void ProgrammingNotes::vddMeasured(std::int32_t chip, float volts) {
  if (chip == 0 || chip == kBothChips) parts_[0].vdd = volts;
  if (chip == 1 || chip == kBothChips) parts_[1].vdd = volts;
}

void ProgrammingNotes::chipIdentified(std::int16_t part, std::int32_t chipId) { notesOf(part).chipId = chipId; }

void ProgrammingNotes::settingSent(std::int32_t chip, std::int32_t code, float value, std::int32_t offsetFlag) {
  PartNotes& notes = notesOf(chip);
  SolverSettingsSent& s = notes.settings;
  if (takesDacOffset(code)) s.dacCorrection = offsetFlag == 1;
  switch (code) {
    case SolverSettingClampingLow: s.clampLow = value; break;
    case SolverSettingClampingHigh: s.clampHigh = value; break;
    case SolverSettingDP: s.dp = value; break;
    case SolverTargetLevelPointA:
    case SolverTargetLevelPointB:
    case SolverTargetLevelPointC:
    case SolverTargetLevelPointD:
      s.points[static_cast<std::size_t>(code - SolverTargetLevelPointA)].level = value;
      break;
    case SolverTargetAngleA:
    case SolverTargetAngleB:
    case SolverTargetAngleC:
    case SolverTargetAngleD: s.points[static_cast<std::size_t>(code - SolverTargetAngleA)].angle = value; break;
    case SolverTargetSwoOp:
      s.op = value;
      notes.switchConfigured = true;
      break;
    case SolverTargetSwoHys: s.hys = value; break;
    case SolverTargetSwoPolarity: s.switchPolarity = static_cast<std::int32_t>(value); break;
    default: break;
  }
}

void ProgrammingNotes::pwmModeSent(std::int32_t chip, std::int32_t outMode, std::int32_t pwmFrequency,
                                   std::int32_t pwmPolarity) {
  SolverSettingsSent& s = notesOf(chip).settings;
  s.outputMode = outMode;
  s.pwmFrequency = pwmFrequency;
  s.pwmPolarity = pwmPolarity;
}

void ProgrammingNotes::slopeInUse(std::int16_t part, std::optional<float> slope) {
  notesOf(part).settings.slope = slope;
}

void ProgrammingNotes::solverCleared(std::int32_t chip) {
  PartNotes& notes = notesOf(chip);
  notes.switchConfigured = false;
  // The clear writes registers 1 and 2 whole, output mode and PWM bits included.
  notes.settings.outputMode.reset();
  notes.settings.pwmFrequency.reset();
  notes.settings.pwmPolarity.reset();
}

void ProgrammingNotes::forget() {
  for (PartNotes& notes : parts_) notes = {};
}

SolverSettingsSent ProgrammingNotes::settingsInForce(std::int16_t part) const {
  const PartNotes& notes = this->part(part);
  SolverSettingsSent settings = notes.settings;
  if (!notes.switchConfigured) {
    settings.op.reset();
    settings.hys.reset();
    settings.switchPolarity.reset();
  }
  return settings;
}

}  // namespace rx041::records
