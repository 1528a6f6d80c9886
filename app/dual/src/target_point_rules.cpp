#include "rx41/dual/target_point_rules.h"

#include <utility>

#include "rx41/rules/field_rules.h"
#include "rx41/rules/part_set.h"

namespace rx41 {

using namespace rx041::zq3902;

namespace {

constexpr std::int16_t kTrue = -1, kFalse = 0;

std::string levelEmpty(std::int16_t part, int point) {
  return "Please noted: " + partName(part) + "-Level#" + std::to_string(point) + " is Empty!";
}

}  // namespace

TargetPointRules::TargetPointRules(CurveTables& tables, MessageSink messages)
    : tables_(tables), messages_(std::move(messages)) {}

bool TargetPointRules::PrepareSettings(std::int16_t part, const PartEntries& entries,
                                       std::string_view clampOrderPrefix) {
  const FieldValues& values = entries.values;
  if (!(values.ClampHighValue > values.ClampLowValue)) {
    refuse(expandPattern(clampOrderPrefix, part, 0, std::nullopt) + messageText(MessageId::ClampOrder));
    return false;
  }
  // A switch text that is no number would otherwise reach the chip as 0.
  const auto op = TextToSingle(entries.opText, messages_);
  const auto hys = TextToSingle(entries.hysText, messages_);
  if (!op || !hys) return false;
  // A loaded profile's hysteresis is not checked on loading; beyond the chip's
  // 0..15.75 its whole degrees would be masked to four bits without a word.
  if (*hys != kEmptyValue && !(*hys >= 0.0f && *hys <= kMaxHysteresis)) {
    refuse(partName(part) + ": HYS  Input " + entries.hysText +
           " is outside 0 to 15.75! Stopping... Please try again!");
    return false;
  }

  TargetPoints& targets = targets_[part];
  for (int k = 0; k < 4; ++k) {
    targets.PointAngle[k] = values.AngleValue[k];
    tables_.Points[part][k][0] = roundToInt16(targets.PointAngle[k]);
    targets.PointLevel[k] = values.LevelValue[k];
    tables_.Points[part][k][1] = roundToInt16(targets.PointLevel[k]);
  }
  tables_.PartDP[part] = roundToInt16(values.DpValue);
  tables_.PartClampHigh[part] = roundToInt16(values.ClampHighValue);
  tables_.PartClampLow[part] = roundToInt16(values.ClampLowValue);
  targets.PointSlope = values.SlopeValue;
  targets.SwitchOp = *op;
  targets.SwitchHys = *hys;
  targets.SwitchPolarity = entries.polarity;
  return true;
}

bool TargetPointRules::AngleInRange(std::int16_t part, int point) const {
  const float angle = targets_[part].PointAngle[point];
  return angle >= 0.0f && angle < 360.0f;
}

bool TargetPointRules::PointAnglesCoincide(int n, std::int16_t part) const {
  if (n < 2 || n > 4) return true;
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      if (roundedAngle(part, i) == roundedAngle(part, j)) return true;
  return false;
}

bool TargetPointRules::usesSlope(std::int16_t part) const {
  return AngleInRange(part, 0) && targets_[part].PointSlope != kEmptyValue;
}

Configuration TargetPointRules::configsolver(std::int16_t part, const PartEntries& entries) {
  return usesSlope(part) ? configsolver_OnePointAndSlope(part, entries) : configsolver_MultiPoints(part, entries);
}

Configuration TargetPointRules::configsolver_OnePointAndSlope(std::int16_t part, const PartEntries& entries) {
  if (!levelsGiven(part, entries, 1)) return {};
  TargetPoints& targets = targets_[part];
  setClockwise(part, entries.clockwise);
  // Point B lies 10 degrees after A on the slope.
  targets.PointAngle[1] = targets.PointAngle[0] + 10.0f;
  targets.PointLevel[1] = targets.PointSlope * 10.0f + targets.PointLevel[0];
  if (entries.clockwise) exchange(part, 0, 1);
  repeatLastAngle(part, 1);
  // Unlike the other rules, the tables show the points as sent.
  for (int k = 0; k < 4; ++k) {
    tables_.Points[part][k][0] = roundToInt16(targets.PointAngle[k]);
    tables_.Points[part][k][1] = roundToInt16(targets.PointLevel[k]);
  }
  return {2};
}

Configuration TargetPointRules::configsolver_MultiPoints(std::int16_t part, const PartEntries& entries) {
  if (!(AngleInRange(part, 0) && AngleInRange(part, 1))) return refuse("Error Angles of Point A and Point B input");
  const bool hasC = AngleInRange(part, 2);
  const bool hasD = AngleInRange(part, 3);
  // An angle D without C is refused below rather than silently dropped.
  if (!hasC && !hasD && !PointAnglesCoincide(2, part)) {
    if (!levelsGiven(part, entries, 2)) return {};
    if (tables_.Points[part][0][1] == tables_.Points[part][1][1]) {
      refuse("Please noted: " + partName(part) + "-Level#0 is the same as " + partName(part) + "-Level#1 !");
      return {0, true};
    }
    setClockwise(part, entries.clockwise);
    if (entries.clockwise) exchange(part, 0, 1);
    repeatLastAngle(part, 1);
    return {2};
  }
  if (hasC && !hasD && !PointAnglesCoincide(3, part)) {
    if (!levelsGiven(part, entries, 3)) return {};
    const bool clockwise = AnglesInCyclicOrder(roundedAngle(part, 0), roundedAngle(part, 1), roundedAngle(part, 2));
    setClockwise(part, clockwise);
    if (clockwise) exchange(part, 0, 2);
    repeatLastAngle(part, 2);
    return {3};
  }
  if (hasC && hasD && !PointAnglesCoincide(4, part)) {
    if (!levelsGiven(part, entries, 4)) return {};
    const std::int16_t a = roundedAngle(part, 0), c = roundedAngle(part, 2);
    const bool viaB = AnglesInCyclicOrder(a, roundedAngle(part, 1), c);
    const bool viaD = AnglesInCyclicOrder(a, roundedAngle(part, 3), c);
    if (viaB == viaD) return refuse("Error: The order of 4 Points angles is unable to be determined in-DrawMain!");
    setClockwise(part, viaB);
    if (viaB) {
      exchange(part, 0, 3);
      exchange(part, 1, 2);
    }
    return {4};
  }
  return refuse("Rules: Angles should be DIFFERENT in CCW/CW within [0.0, 360.0) to fill in!");
}

PointSolverSettings TargetPointRules::solverSettings(std::int16_t part, const FieldValues& values) const {
  const TargetPoints& t = targets_[part];
  return {{
      {SolverSettingClampingLow, values.ClampLowValue},
      {SolverSettingClampingHigh, values.ClampHighValue},
      {SolverSettingDP, values.DpValue},
      {SolverTargetLevelPointA, t.PointLevel[0]},
      {SolverTargetAngleA, t.PointAngle[0]},
      {SolverTargetLevelPointB, t.PointLevel[1]},
      {SolverTargetAngleB, t.PointAngle[1]},
      {SolverTargetLevelPointC, t.PointLevel[2]},
      {SolverTargetAngleC, t.PointAngle[2]},
      {SolverTargetLevelPointD, t.PointLevel[3]},
      {SolverTargetAngleD, t.PointAngle[3]},
  }};
}

bool TargetPointRules::switchGiven(std::int16_t part) const {
  return targets_[part].SwitchOp != kEmptyValue && targets_[part].SwitchHys != kEmptyValue;
}

SwitchSolverSettings TargetPointRules::switchSettings(std::int16_t part) const {
  const TargetPoints& t = targets_[part];
  return {{
      {SolverTargetSwoOp, t.SwitchOp},
      {SolverTargetSwoHys, t.SwitchHys},
      {SolverTargetSwoPolarity, t.SwitchPolarity},
  }};
}

Configuration TargetPointRules::refuse(const std::string& text) const {
  if (messages_) messages_(text);
  return {};
}

bool TargetPointRules::levelsGiven(std::int16_t part, const PartEntries& entries, int count) const {
  for (int k = 0; k < count; ++k)
    if (!entries.levelGiven[k]) {
      refuse(levelEmpty(part, k));
      return false;
    }
  return true;
}

void TargetPointRules::setClockwise(std::int16_t part, bool clockwise) {
  tables_.PartClockwise[part] = clockwise ? kTrue : kFalse;
}

void TargetPointRules::exchange(std::int16_t part, int first, int second) {
  TargetPoints& t = targets_[part];
  std::swap(t.PointAngle[first], t.PointAngle[second]);
  std::swap(t.PointLevel[first], t.PointLevel[second]);
}

void TargetPointRules::repeatLastAngle(std::int16_t part, int from) {
  TargetPoints& t = targets_[part];
  for (int k = from + 1; k < 4; ++k) {
    t.PointAngle[k] = t.PointAngle[from];
    t.PointLevel[k] = 0.0f;
  }
}

std::int32_t solverOffsetFlag(int outModeIndex) { return outModeIndex == 0 ? 1 : 0; }

}  // namespace rx41
