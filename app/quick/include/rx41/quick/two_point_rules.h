#pragma once
// The rules that turn the settings of one part into two solver target points,
// and the solver settings that carry them to the chip.
#include <array>
#include <cstdint>

#include "rx41/core/device_calls.h"
#include "rx41/rules/curve_math.h"
#include "rx41/rules/field_table.h"

class QWidget;

namespace rx41 {

class OperatorInterface;

// What two-point configuration reads from a window's fields, by part.
class TwoPointSettings {
 public:
  virtual ~TwoPointSettings() = default;
  virtual const FieldValues& values(std::int16_t part) const = 0;
  // Whether the level text of the point is filled in.
  virtual bool levelGiven(std::int16_t part, int point) const = 0;
  virtual bool clockwise(std::int16_t part) const = 0;
  // Empties the level text and checks it again.
  virtual void emptyLevel(std::int16_t part, int point) = 0;
};

// The points handed to the solver: the field values, with A and B exchanged
// for a clockwise part.
struct SolverTargets {
  float PointAngle[2] = {kEmptyValue, kEmptyValue};
  float PointLevel[2] = {0.0f, 0.0f};
};

using TwoPointSolverSettings = std::array<SolverSetting, 11>;

// 0 <= angle < 360.
bool AngleInRange(float angle);
// True for any mode but 2; for mode 2, true when points A and B of the part
// have the same rounded angle.
bool AnglesEqualRule(int mode, const CurveTables& tables, std::int16_t part);

// Clamp high must be above clamp low (else message 114 and false). Then the
// points become the solver targets, and the rounded settings go into the
// part's curve tables.
bool CheckAndCopySettings(const FieldValues& settings, std::int16_t part, SolverTargets& targets, CurveTables& tables,
                          OperatorInterface& operatorInterface, QWidget* owner);

enum class TwoPointCheck {
  Accepted,
  Refused,      // reported
  EqualLevels,  // reported; the caller empties level B
};

// The checks of two-point configuration in their order, each refusal
// reported: both angles in range, different rounded angles, both level
// texts given, different rounded levels.
TwoPointCheck checkTwoPoints(const SolverTargets& targets, const CurveTables& tables, std::int16_t part,
                             const bool (&levelGiven)[2], OperatorInterface& operatorInterface, QWidget* owner);

// Records the direction in the curve tables; a clockwise part hands point A
// to the solver as point B and the reverse.
void applyDirection(bool clockwise, std::int16_t part, SolverTargets& targets, CurveTables& tables);

// Clamps, DP, A, B, and C and D on B's angle with level 0: in the order the
// solver takes them; levels C and D as 16-bit integers, all else single.
TwoPointSolverSettings twoPointSolverSettings(const FieldValues& settings, const SolverTargets& targets);

}  // namespace rx41
