#pragma once
// How one part's settings become what the chip's solver is given: the clamp
// order check and the copy into working values and the rounded curve tables
// (PrepareSettings), the choice between one point with a slope and two to
// four points, the refusals, the direction and the exchanges of points
// (configsolver), and the solver settings that carry the result (the eleven
// of StoreInSolver and the three of the switch output). Each refusal is
// reported to the message sink. Plain C++, so the rules are tested without a
// window; the window sends the settings.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "rx41/rules/curve_math.h"
#include "rx41/rules/field_table.h"
#include "rx41/rules/message_sink.h"
#include "rx41/rules/solver_setting.h"

namespace rx41 {

// What the rules read from one part's controls.
struct PartEntries {
  FieldValues values;       // the checked numbers of the fields
  bool levelGiven[4] = {};  // the level box of the point holds text
  bool clockwise = false;
  std::string opText;  // as they stand: a loaded profile sets them unchecked
  std::string hysText;
  std::int32_t polarity = 0;  // 1 when Kpolarity is ticked
};

// The working values of one part, as handed to the solver.
struct TargetPoints {
  float PointAngle[4] = {kEmptyValue, kEmptyValue, kEmptyValue, kEmptyValue};
  float PointLevel[4] = {};
  float PointSlope = kEmptyValue;
  float SwitchOp = kEmptyValue;
  float SwitchHys = kEmptyValue;
  std::int32_t SwitchPolarity = 0;
};

struct Configuration {
  // The number of points handed to the solver (2, 3 or 4); 0 when refused.
  std::int16_t mode = 0;
  // Refused because A and B have the same rounded level: the window empties
  // level B and checks it again.
  bool emptyLevelB = false;
};

using PointSolverSettings = std::array<SolverSetting, 11>;
using SwitchSolverSettings = std::array<SolverSetting, 3>;

class TargetPointRules {
 public:
  TargetPointRules(CurveTables& tables, MessageSink messages);

  // False, reported, when clamp high is not above clamp low (message 114
  // after the prefix, "{part}" standing for the part number) or when the
  // operating point or hysteresis text is not a number; nothing is copied then.
  bool PrepareSettings(std::int16_t part, const PartEntries& entries, std::string_view clampOrderPrefix);

  // 0 <= PointAngle < 360.
  bool AngleInRange(std::int16_t part, int point) const;
  // Two of the first n rounded point angles are equal (true for n other than 2, 3, 4).
  bool PointAnglesCoincide(int n, std::int16_t part) const;
  // Point A in range and a slope given: one point and the slope.
  bool usesSlope(std::int16_t part) const;

  Configuration configsolver(std::int16_t part, const PartEntries& entries);
  Configuration configsolver_OnePointAndSlope(std::int16_t part, const PartEntries& entries);
  Configuration configsolver_MultiPoints(std::int16_t part, const PartEntries& entries);

  const TargetPoints& targets(std::int16_t part) const { return targets_[part]; }

  // StoreInSolver's settings in their order: clamp low, clamp high and DP
  // from the fields, then level and angle of A, B, C, D; all single.
  PointSolverSettings solverSettings(std::int16_t part, const FieldValues& values) const;
  // Both operating point and hysteresis given: the switch output is configured.
  bool switchGiven(std::int16_t part) const;
  // Operating point and hysteresis (single), polarity (integer).
  SwitchSolverSettings switchSettings(std::int16_t part) const;

 private:
  Configuration refuse(const std::string& text) const;
  // False, reported, at the first of the first count points whose level is empty.
  bool levelsGiven(std::int16_t part, const PartEntries& entries, int count) const;
  void setClockwise(std::int16_t part, bool clockwise);
  void exchange(std::int16_t part, int first, int second);
  // Points C and D (or D alone) repeat the angle of the point before them, with level 0.
  void repeatLastAngle(std::int16_t part, int from);
  std::int16_t roundedAngle(std::int16_t part, int point) const { return tables_.Points[part][point][0]; }

  CurveTables& tables_;
  MessageSink messages_;
  TargetPoints targets_[2];
};

// The solver's offset flag: 1 for the analog output (clamps and levels go
// through the DAC correction), 0 for PWM.
std::int32_t solverOffsetFlag(int outModeIndex);

}  // namespace rx41
