#include "solver_curve.h"

#include <algorithm>
#include <cmath>

namespace rx041::bench {
namespace {

double wrap360(double degrees) {
  const double wrapped = std::fmod(degrees, 360.0);
  return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

// The level of the line through p and q at position u (positions are angles
// unwrapped along the curve, so q lies beyond p).
double lineAt(double u, double pu, double pLevel, double qu, double qLevel) {
  return pLevel + (qLevel - pLevel) * (u - pu) / (qu - pu);
}

}  // namespace

SolverCurve decodeSolverCurve(const RegisterFile& ram) {
  SolverCurve curve;
  int previousAngleCode = -1;
  for (int point = 0; point < kTargetPoints; ++point) {
    const int angleCode = targetAngleCode(ram, point);
    if (angleCode == previousAngleCode) continue;
    previousAngleCode = angleCode;
    curve.points.push_back({angleFromCode(angleCode), levelFromCode(targetLevelCode(ram, point))});
  }
  curve.clampLow = levelFromCode(clampLowCode(ram));
  curve.clampHigh = levelFromCode(clampHighCode(ram));
  curve.dp = eighthDegrees(dpCode(ram));
  return curve;
}

double solverLevel(const SolverCurve& curve, double angle) {
  const auto& points = curve.points;
  double level = points.front().level;
  if (points.size() >= 2) {
    // Positions: angular distance from DP toward increasing angles; each point
    // lies beyond the one before it.
    std::vector<double> positions{wrap360(points.front().angle - curve.dp)};
    for (std::size_t i = 1; i < points.size(); ++i)
      positions.push_back(positions.back() + wrap360(points[i].angle - points[i - 1].angle));

    const double u = wrap360(angle - curve.dp);
    std::size_t segment = 0;  // the line through points[segment] and points[segment + 1]
    while (segment + 2 < points.size() && u > positions[segment + 1]) ++segment;
    level = lineAt(u, positions[segment], points[segment].level, positions[segment + 1], points[segment + 1].level);
  }
  return std::min(std::max(level, curve.clampLow), curve.clampHigh);
}

}  // namespace rx041::bench
