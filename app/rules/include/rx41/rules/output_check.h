#pragma once
// The output check of a programmed part: points measured on the bench (the
// chip's own angle reading and its output in % of VDD) judged against the
// expected curve of the part's settings, the same curve the windows draw
// (BuildCurve of curve_math.h). Plain C++, shared by the Output Check dialog
// and rx041ctl.
//
// The rules, and why:
// - Tolerance ±1.0 %VDD by default (0.1 .. 10): the expected curve is made
//   of whole degrees and whole percent, which alone puts up to about 0.5 %VDD
//   between it and the chip's curve on a steep slope; the ADC reads 0.003 %VDD
//   a code and the chip's angle 1/64 degree. A part whose output stage is off
//   by more than 1 %VDD is off by more than rounding can explain.
// - No verdict within ±2 degrees of a jump of the curve (the DP jump) or a
//   clamp corner: there the expected level changes by up to the whole output
//   range within a degree, and the PC rounds those angles to whole degrees
//   while the chip places them finer. Such points are shown, not judged.
// - A pass needs at least 4 judged points (settable 2 .. 40), all within the
//   tolerance: two points fit any gain and offset, four show a straight line
//   and the clamps.
// - The judged points on the rising or falling part of the curve must span
//   at least 90 degrees of it, so that the slope itself is measured, not one
//   spot of it. A part whose slope (less the windows at its corners) is
//   narrower than 90 degrees must be covered across three quarters of it.
// - A point outside the tolerance fails the part whatever the count.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rx41/rules/curve_math.h"
#include "rx41/rules/field_rules.h"
#include "rx41/rules/message_sink.h"

namespace rx41 {

inline constexpr double kDefaultTolerance = 1.0;  // %VDD
inline constexpr double kMinTolerance = 0.1, kMaxTolerance = 10.0;
inline constexpr double kJumpWindow = 2.0;  // degrees either side
inline constexpr int kDefaultMinimumPoints = 4;
inline constexpr int kMinMinimumPoints = 2, kMaxMinimumPoints = 40;
inline constexpr double kMinimumSpan = 90.0;         // degrees of the slope
inline constexpr double kShortSlopeCoverage = 0.75;  // of a slope narrower than kMinimumSpan
// Two angle readings of one point further apart than this: the magnet moved.
inline constexpr double kMagnetMovedLimit = 0.5;

// The dialog's fields: a text that is no number or out of range becomes the default or the limit.
inline constexpr FieldRule kToleranceRule{Replacement{"1.00", 1.0f}, true, Limit{kMinTolerance, false, {"0.10", 0.1f}},
                                          Limit{kMaxTolerance, false, {"10.00", 10.0f}}};
inline constexpr FieldRule kMinimumPointsRule{Replacement{"4", 4.0f}, true,
                                              Limit{kMinMinimumPoints, false, {"2", 2.0f}},
                                              Limit{kMaxMinimumPoints, false, {"40", 40.0f}}, 0};

struct OutputCheckRules {
  double tolerance = kDefaultTolerance;
  int minimumPoints = kDefaultMinimumPoints;
};

// What one part's expected curve is built from: the rounded settings the
// windows copy into the curve tables, and the curve mode.
struct CurveSettings {
  std::int16_t mode = 2;           // 2, 3 or 4 points
  std::int16_t points[4][2] = {};  // A..D: angle, level
  std::int16_t dp = 0, clampHigh = 0, clampLow = 0;
  bool clockwise = false;

  bool operator==(const CurveSettings&) const = default;
};

// The part's settings as the tables hold them; mode as the linear graph takes
// it (plus 16 for point A alone, which makes no difference to the curve).
CurveSettings curveSettingsOf(const CurveTables& tables, std::int16_t part, std::int16_t mode);

// The expected output curve of one part, as segments between whole-degree
// ends, wrapping at 360.
class ExpectedCurve {
 public:
  // Built with BuildCurve into the part's rows of its own tables (so that a
  // plot can draw it as the part); the steps' messages go to the sink.
  ExpectedCurve(const CurveSettings& settings, std::int16_t part, const MessageSink& messages);

  const CurveSettings& settings() const { return settings_; }
  std::int16_t part() const { return part_; }
  // The settings and the built curve in the part's rows.
  const CurveTables& tables() const { return tables_; }

  // The level at the angle (any angle; taken modulo 360), linear between the
  // segment ends; none where the curve has a gap.
  std::optional<double> levelAt(double angle) const;
  // Whether the angle lies on a rising or falling segment.
  bool onSlope(double angle) const;
  // Degrees from the angle to the nearest DP jump or clamp corner; none on a curve without either.
  std::optional<double> distanceToJump(double angle) const;
  // The degrees of rising or falling segments more than the window away from a jump or corner.
  double judgeableSlope(double window) const;

 private:
  struct Segment {
    double startAngle, startLevel, endAngle, endLevel;
    bool vertical() const { return startAngle == endAngle; }
    bool flat() const { return !vertical() && startLevel == endLevel; }
    bool sloped() const { return !vertical() && startLevel != endLevel; }
  };
  const Segment* segmentAt(double angle) const;
  bool isJump(double angle) const;

  CurveSettings settings_;
  std::int16_t part_;
  CurveTables tables_;
  std::vector<Segment> segments_;
  std::vector<double> jumps_;  // DP jumps and clamp corners
};

enum class PointVerdict {
  Pass,      // within the tolerance
  Fail,      // outside it
  NearJump,  // within the window of a jump or clamp corner: not judged
  OffCurve,  // where the curve has a gap: not judged
};

struct OutputPoint {
  double angle = 0;   // degrees, the chip's reading
  double output = 0;  // %VDD
};

struct JudgedPoint {
  OutputPoint measured;
  std::optional<double> expected;  // %VDD; none off the curve
  double error = 0;                // measured - expected
  PointVerdict verdict = PointVerdict::OffCurve;
  bool onSlope = false;

  bool judged() const { return verdict == PointVerdict::Pass || verdict == PointVerdict::Fail; }
};

JudgedPoint judgePoint(const ExpectedCurve& curve, OutputPoint point, double tolerance);

enum class CheckVerdict { Pass, Fail, NotEnough };

struct CheckResult {
  CheckVerdict verdict = CheckVerdict::NotEnough;
  int judgedPoints = 0;
  double span = 0;                   // degrees of the slope the judged points span
  double requiredSpan = 0;           // degrees they must span
  std::optional<std::size_t> worst;  // the failing point with the largest error
  std::string text;                  // the verdict line
};

// The whole check over the points in the order measured (each judged with rules.tolerance).
CheckResult judgeCheck(const ExpectedCurve& curve, const std::vector<JudgedPoint>& points,
                       const OutputCheckRules& rules);

// Degrees between two angle readings, the short way round the circle.
double angleDistance(double a, double b);
// The angle halfway between two readings, the short way round, in [0, 360).
double meanAngle(double a, double b);

// "1.0", "0.25": a tolerance as the verdict line shows it.
std::string toleranceText(double tolerance);
// "pass", "fail", "near_jump", "off_curve": as records and rx041ctl write it.
std::string_view verdictName(PointVerdict verdict);
std::string_view verdictName(CheckVerdict verdict);

}  // namespace rx41
