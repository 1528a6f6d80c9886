#pragma once
// The chip's solver: the output level (in % of VDD, before the DAC) as a
// function of the magnet angle, from the target points, clamps and DP held in
// RAM.
//
// The curve starts at point A and runs toward increasing angles through the
// following points, wrapping at 360. A point whose angle repeats the one
// before it is not part of the curve (two- and three-point settings carry B's
// angle in C and D). Before the first point and after the last one the line
// through the two nearest points goes on until it meets a clamp level; the
// output then holds that level up to DP, where the end of the curve jumps
// back to its start.
#include <vector>

#include "register_map.h"

namespace rx041::bench {

struct CurvePoint {
  double angle;  // degrees
  double level;  // % of VDD
};

struct SolverCurve {
  std::vector<CurvePoint> points;  // in curve order, at least one
  double clampLow = 0;
  double clampHigh = 0;
  double dp = 0;
};

SolverCurve decodeSolverCurve(const RegisterFile& ram);

double solverLevel(const SolverCurve& curve, double angle);

}  // namespace rx041::bench
