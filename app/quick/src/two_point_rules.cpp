#include "rx41/quick/two_point_rules.h"

#include <utility>

#include "rx41/core/app_state.h"
#include "rx41/operator/operator_interface.h"
#include "rx41/rules/part_set.h"

namespace rx41 {

using namespace rx041::zq3902;

bool AngleInRange(float angle) { return angle >= 0.0f && angle < 360.0f; }

bool AnglesEqualRule(int mode, const CurveTables& tables, std::int16_t part) {
  if (mode != 2) return true;
  return tables.Points[part][0][0] == tables.Points[part][1][0];
}

bool CheckAndCopySettings(const FieldValues& settings, std::int16_t part, SolverTargets& targets, CurveTables& tables,
                          OperatorInterface& operatorInterface, QWidget* owner) {
  if (!(settings.ClampHighValue > settings.ClampLowValue)) {
    operatorInterface.message(QString::fromStdString(messageText(MessageId::ClampOrder)), owner);
    return false;
  }
  for (int i = 0; i < 2; ++i) {
    targets.PointAngle[i] = settings.AngleValue[i];
    targets.PointLevel[i] = settings.LevelValue[i];
    tables.Points[part][i][0] = roundToInt16(targets.PointAngle[i]);
    tables.Points[part][i][1] = roundToInt16(targets.PointLevel[i]);
  }
  tables.PartDP[part] = roundToInt16(settings.DpValue);
  tables.PartClampHigh[part] = roundToInt16(settings.ClampHighValue);
  tables.PartClampLow[part] = roundToInt16(settings.ClampLowValue);
  return true;
}

TwoPointCheck checkTwoPoints(const SolverTargets& targets, const CurveTables& tables, std::int16_t part,
                             const bool (&levelGiven)[2], OperatorInterface& operatorInterface, QWidget* owner) {
  const auto refuse = [&](const QString& text) {
    operatorInterface.message(text, owner);
    return TwoPointCheck::Refused;
  };
  const QString name = QString::fromStdString(partName(part));
  if (!AngleInRange(targets.PointAngle[0]) || !AngleInRange(targets.PointAngle[1]))
    return refuse(QStringLiteral("Error Angles of Point A and Point B input"));
  if (AnglesEqualRule(2, tables, part)) return refuse(QStringLiteral("Rules: Wrong in configure 2 points!"));
  for (int i = 0; i < 2; ++i)
    if (!levelGiven[i]) return refuse(QStringLiteral("Please noted: %1-Level#%2 is Empty!").arg(name).arg(i));
  if (tables.Points[part][0][1] == tables.Points[part][1][1]) {
    refuse(QStringLiteral("Please noted: %1-Level#0 is the same as %1-Level#1 !").arg(name));
    return TwoPointCheck::EqualLevels;
  }
  return TwoPointCheck::Accepted;
}

void applyDirection(bool clockwise, std::int16_t part, SolverTargets& targets, CurveTables& tables) {
  tables.PartClockwise[part] = clockwise ? kTrue16 : kFalse16;
  if (!clockwise) return;
  std::swap(targets.PointAngle[0], targets.PointAngle[1]);
  std::swap(targets.PointLevel[0], targets.PointLevel[1]);
}

TwoPointSolverSettings twoPointSolverSettings(const FieldValues& settings, const SolverTargets& targets) {
  const std::int16_t noLevel = 0;
  return {{
      {SolverSettingClampingLow, settings.ClampLowValue},
      {SolverSettingClampingHigh, settings.ClampHighValue},
      {SolverSettingDP, settings.DpValue},
      {SolverTargetLevelPointA, targets.PointLevel[0]},
      {SolverTargetAngleA, targets.PointAngle[0]},
      {SolverTargetLevelPointB, targets.PointLevel[1]},
      {SolverTargetAngleB, targets.PointAngle[1]},
      {SolverTargetLevelPointC, noLevel},
      {SolverTargetAngleC, targets.PointAngle[1]},
      {SolverTargetLevelPointD, noLevel},
      {SolverTargetAngleD, targets.PointAngle[1]},
  }};
}

}  // namespace rx41
