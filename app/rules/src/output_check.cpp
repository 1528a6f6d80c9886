#include "rx41/rules/output_check.h"

#include <algorithm>
#include <cmath>

#include "rx41/rules/number_entry.h"

namespace rx41 {
namespace {

constexpr double kFullCircle = 360.0;

double normalized(double angle) {
  const double wrapped = std::fmod(angle, kFullCircle);
  return wrapped < 0 ? wrapped + kFullCircle : wrapped;
}

bool sameAngle(double a, double b) { return angleDistance(a, b) == 0.0; }

// Degrees the angles span on the circle: all but the widest gap between neighbours.
double circularSpan(std::vector<double> angles) {
  if (angles.size() < 2) return 0.0;
  for (double& angle : angles) angle = normalized(angle);
  std::sort(angles.begin(), angles.end());
  double widestGap = angles.front() + kFullCircle - angles.back();
  for (std::size_t i = 1; i < angles.size(); ++i) widestGap = std::max(widestGap, angles[i] - angles[i - 1]);
  return kFullCircle - widestGap;
}

std::string twoDecimals(double value) { return fixedText(value, 2); }

// Whole degrees as achieved, never rounded up to what is required.
std::string achievedDegrees(double degrees) { return std::to_string(static_cast<long>(std::floor(degrees + 1e-9))); }

std::string requiredDegrees(double degrees) {
  const double whole = std::ceil(degrees - 1e-9);
  return std::fabs(whole - degrees) < 1e-9 ? std::to_string(static_cast<long>(whole)) : fixedText(degrees, 1);
}

}  // namespace

CurveSettings curveSettingsOf(const CurveTables& tables, std::int16_t part, std::int16_t mode) {
  CurveSettings settings;
  settings.mode = static_cast<std::int16_t>(mode % kPointAOnlyMode);
  for (int k = 0; k < 4; ++k)
    for (int i = 0; i < 2; ++i) settings.points[k][i] = tables.Points[part][k][i];
  settings.dp = tables.PartDP[part];
  settings.clampHigh = tables.PartClampHigh[part];
  settings.clampLow = tables.PartClampLow[part];
  settings.clockwise = tables.PartClockwise[part] != 0;
  return settings;
}

ExpectedCurve::ExpectedCurve(const CurveSettings& settings, std::int16_t part, const MessageSink& messages)
    : settings_(settings), part_(part == 1 ? std::int16_t{1} : std::int16_t{0}) {
  for (int k = 0; k < 4; ++k)
    for (int i = 0; i < 2; ++i) tables_.Points[part_][k][i] = settings.points[k][i];
  tables_.PartDP[part_] = settings.dp;
  tables_.PartClampHigh[part_] = settings.clampHigh;
  tables_.PartClampLow[part_] = settings.clampLow;
  tables_.PartClockwise[part_] = settings.clockwise ? std::int16_t{-1} : std::int16_t{0};
  BuildCurve(tables_, settings.mode, part_, messages);

  const auto& rows = tables_.Curve[part_];
  for (int row = 0; row + 1 < kCurveRows; row += 2) {
    const auto& start = rows[row];
    const auto& end = rows[row + 1];
    if (start[0] == 0 && start[1] == 0 && end[0] == 0 && end[1] == 0) break;
    segments_.push_back({static_cast<double>(start[0]), static_cast<double>(start[1]), static_cast<double>(end[0]),
                         static_cast<double>(end[1])});
  }
  // The DP jump is a vertical segment; a clamp corner is where a flat
  // segment meets a rising or falling one.
  for (const Segment& s : segments_)
    if (s.vertical() && s.startLevel != s.endLevel) jumps_.push_back(normalized(s.startAngle));
  for (const Segment& flat : segments_) {
    if (!flat.flat()) continue;
    for (const Segment& slope : segments_) {
      if (!slope.sloped()) continue;
      for (const auto& [flatAngle, flatLevel] :
           {std::pair{flat.startAngle, flat.startLevel}, {flat.endAngle, flat.endLevel}})
        for (const auto& [slopeAngle, slopeLevel] :
             {std::pair{slope.startAngle, slope.startLevel}, {slope.endAngle, slope.endLevel}})
          if (flatLevel == slopeLevel && sameAngle(flatAngle, slopeAngle)) jumps_.push_back(normalized(flatAngle));
    }
  }
}

const ExpectedCurve::Segment* ExpectedCurve::segmentAt(double angle) const {
  const double a = normalized(angle);
  for (const Segment& s : segments_) {
    if (s.vertical()) continue;
    if (a >= std::min(s.startAngle, s.endAngle) && a <= std::max(s.startAngle, s.endAngle)) return &s;
  }
  return nullptr;
}

std::optional<double> ExpectedCurve::levelAt(double angle) const {
  const Segment* s = segmentAt(angle);
  if (!s) return std::nullopt;
  const double a = normalized(angle);
  return s->startLevel + (s->endLevel - s->startLevel) * (a - s->startAngle) / (s->endAngle - s->startAngle);
}

bool ExpectedCurve::onSlope(double angle) const {
  const Segment* s = segmentAt(angle);
  return s && s->sloped();
}

std::optional<double> ExpectedCurve::distanceToJump(double angle) const {
  std::optional<double> nearest;
  for (const double jump : jumps_) {
    const double d = angleDistance(angle, jump);
    if (!nearest || d < *nearest) nearest = d;
  }
  return nearest;
}

bool ExpectedCurve::isJump(double angle) const {
  return std::any_of(jumps_.begin(), jumps_.end(), [&](double jump) { return sameAngle(jump, angle); });
}

double ExpectedCurve::judgeableSlope(double window) const {
  double degrees = 0.0;
  for (const Segment& s : segments_) {
    if (!s.sloped()) continue;
    const double ends = (isJump(s.startAngle) ? 1.0 : 0.0) + (isJump(s.endAngle) ? 1.0 : 0.0);
    degrees += std::max(0.0, std::fabs(s.endAngle - s.startAngle) - ends * window);
  }
  return degrees;
}

JudgedPoint judgePoint(const ExpectedCurve& curve, OutputPoint point, double tolerance) {
  JudgedPoint judged;
  judged.measured = point;
  judged.expected = curve.levelAt(point.angle);
  judged.onSlope = curve.onSlope(point.angle);
  if (!judged.expected) {
    judged.verdict = PointVerdict::OffCurve;
    return judged;
  }
  judged.error = point.output - *judged.expected;
  if (const auto distance = curve.distanceToJump(point.angle); distance && *distance <= kJumpWindow)
    judged.verdict = PointVerdict::NearJump;
  else
    judged.verdict = std::fabs(judged.error) <= tolerance ? PointVerdict::Pass : PointVerdict::Fail;
  return judged;
}

CheckResult judgeCheck(const ExpectedCurve& curve, const std::vector<JudgedPoint>& points,
                       const OutputCheckRules& rules) {
  CheckResult result;
  std::vector<double> slopeAngles;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const JudgedPoint& p = points[i];
    if (!p.judged()) continue;
    ++result.judgedPoints;
    if (p.onSlope) slopeAngles.push_back(p.measured.angle);
    if (p.verdict == PointVerdict::Fail &&
        (!result.worst || std::fabs(p.error) > std::fabs(points[*result.worst].error)))
      result.worst = i;
  }
  result.span = circularSpan(slopeAngles);
  const double slope = curve.judgeableSlope(kJumpWindow);
  result.requiredSpan = slope >= kMinimumSpan ? kMinimumSpan : kShortSlopeCoverage * slope;

  const std::string tolerance = toleranceText(rules.tolerance);
  if (result.worst) {
    const JudgedPoint& worst = points[*result.worst];
    result.verdict = CheckVerdict::Fail;
    result.text = "FAIL at " + twoDecimals(worst.measured.angle) + " deg: measured " +
                  twoDecimals(worst.measured.output) + " %VDD, expected " + twoDecimals(*worst.expected) + " %VDD";
  } else if (result.judgedPoints < rules.minimumPoints || result.span < result.requiredSpan) {
    result.verdict = CheckVerdict::NotEnough;
    result.text = "Not enough points: " + std::to_string(result.judgedPoints) + " of " +
                  std::to_string(rules.minimumPoints) + ", spanning " + achievedDegrees(result.span) + " of " +
                  requiredDegrees(result.requiredSpan) + " degrees";
  } else {
    result.verdict = CheckVerdict::Pass;
    result.text = "PASS: " + std::to_string(result.judgedPoints) + " points within \u00B1" + tolerance + " %VDD";
  }
  return result;
}

double angleDistance(double a, double b) {
  const double d = normalized(a - b);
  return std::min(d, kFullCircle - d);
}

double meanAngle(double a, double b) {
  const double forward = normalized(b - a);
  return normalized(forward <= kFullCircle / 2 ? a + forward / 2 : a - (kFullCircle - forward) / 2);
}

std::string toleranceText(double tolerance) {
  const double tenths = tolerance * 10.0;
  return fixedText(tolerance, std::fabs(tenths - std::round(tenths)) < 1e-6 ? 1 : 2);
}

std::string_view verdictName(PointVerdict verdict) {
  switch (verdict) {
    case PointVerdict::Pass: return "pass";
    case PointVerdict::Fail: return "fail";
    case PointVerdict::NearJump: return "near_jump";
    case PointVerdict::OffCurve: break;
  }
  return "off_curve";
}

std::string_view verdictName(CheckVerdict verdict) {
  switch (verdict) {
    case CheckVerdict::Pass: return "pass";
    case CheckVerdict::Fail: return "fail";
    case CheckVerdict::NotEnough: break;
  }
  return "not_enough";
}

}  // namespace rx41
