#pragma once
// The expected output curve of a part, computed from its settings: the line
// through the first two target points extended back to a clamp level, the
// target points joined in the part's direction (wrapping at 0/360 degrees),
// the line through the last two points extended on to a clamp level, and the
// closure through DP where the output jumps from the end level back to the
// start level. Whole degrees and whole percent throughout. Plain C++, so the
// windows and the tests share it without Qt.
#include <cstdint>

#include "rx41/rules/message_sink.h"

namespace rx41 {

// Added to a curve mode (2, 3 or 4 points): only point A is marked, the
// points having come from point A and a slope.
inline constexpr std::int16_t kPointAOnlyMode = 16;

inline constexpr int kCurveRows = 41;  // rows 2s, 2s+1 hold segment s; row 40 is never used

// The settings the curve is built from and the curve itself, per part (0, 1).
// Booleans are 16-bit, true = -1.
struct CurveTables {
  std::int16_t Points[2][4][2] = {};  // [part][A..D][angle, level]
  std::int16_t PartDP[2] = {};
  std::int16_t PartClampHigh[2] = {};
  std::int16_t PartClampLow[2] = {};
  std::int16_t PartClockwise[2] = {};
  std::int16_t Curve[2][kCurveRows][2] = {};  // [part][row][angle, level]; an all-zero pair ends the list
};

// BuildCurve(mode1, part1), then BuildCurve(mode2, part2) unless mode2 is 0.
void BuildCurves(CurveTables& tables, std::int16_t part1, std::int16_t mode1, std::int16_t part2, std::int16_t mode2,
                 const MessageSink& messages);

// Mode 2 uses points A, B; mode 3 A, B, C; any other mode A to D. Rewrites
// all rows of Curve[part]. A part other than 0 or 1 is ignored.
void BuildCurve(CurveTables& tables, std::int16_t mode, std::int16_t part, const MessageSink& messages);

// True when a -> b -> c runs toward increasing angles around the circle.
bool AnglesInCyclicOrder(std::int16_t a, std::int16_t b, std::int16_t c);

// The nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4),
// held to the 16-bit range. The windows fill the tables with it.
std::int16_t roundToInt16(double value);

}  // namespace rx41
