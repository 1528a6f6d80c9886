// The output check's rules: the expected level of a measured point on the
// curve of its settings (wrapping at 360, both directions), which points are
// judged, and the verdict over all points.
#include "rx41/rules/output_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rx41 {
namespace {

// 2 points, counter-clockwise: clamp low from 75 to A (100, 20), B (200, 80),
// clamp high from 225, the DP jump at 30.
CurveSettings worked() {
  CurveSettings s;
  s.points[0][0] = 100, s.points[0][1] = 20, s.points[1][0] = 200, s.points[1][1] = 80;
  s.clampHigh = 95, s.clampLow = 5, s.dp = 30;
  return s;
}

// The same curve mirrored: clockwise from A (200, 20) to B (100, 80).
CurveSettings mirrored() {
  CurveSettings s = worked();
  s.points[0][0] = 200, s.points[1][0] = 100;
  s.clockwise = true;
  return s;
}

// The low crossing lies below 0 degrees: the slope runs from 348 through 0 to 122.
CurveSettings throughZero() {
  CurveSettings s = worked();
  s.points[0][0] = 10, s.points[1][0] = 100;
  s.dp = 200;
  return s;
}

// DP inside the curve: no closure, so the clamp-high run after 225 is missing.
CurveSettings invalidDp() {
  CurveSettings s = worked();
  s.dp = 150;
  return s;
}

// A steep slope from 98 to 132 degrees.
CurveSettings steep() {
  CurveSettings s = worked();
  s.points[0][0] = 100, s.points[0][1] = 10, s.points[1][0] = 130, s.points[1][1] = 90;
  return s;
}

struct PointCase {
  const char* name;
  CurveSettings settings;
  double angle, output;
  PointVerdict verdict;
  std::optional<double> expected;
};

TEST(OutputCheck, EachPointAgainstTheExpectedLevel) {
  const PointCase cases[] = {
      {"on the slope, 0.5 over", worked(), 150, 50.5, PointVerdict::Pass, 50},
      {"exactly at the tolerance", worked(), 150, 49.0, PointVerdict::Pass, 50},
      {"just beyond it", worked(), 150, 48.95, PointVerdict::Fail, 50},
      {"between target point and corner", worked(), 90, 14, PointVerdict::Pass, 14},
      {"on clamp high, before 360", worked(), 359.9, 95.3, PointVerdict::Pass, 95},
      {"on clamp high after the wrap", worked(), 10, 94.2, PointVerdict::Pass, 95},
      {"an angle of 360 is 0", worked(), 360, 95, PointVerdict::Pass, 95},
      {"a negative angle wraps", worked(), -10, 95, PointVerdict::Pass, 95},
      {"on clamp low", worked(), 50, 5, PointVerdict::Pass, 5},
      {"1.5 degrees past the DP jump", worked(), 31.5, 50, PointVerdict::NearJump, 5},
      {"2 degrees before it", worked(), 28, 20, PointVerdict::NearJump, 95},
      {"2.1 degrees before it", worked(), 27.9, 95, PointVerdict::Pass, 95},
      {"near the clamp low corner", worked(), 76.9, 30, PointVerdict::NearJump, 6.14},
      {"near the clamp high corner", worked(), 224, 30, PointVerdict::NearJump, 94.4},
      {"past the low corner's window", worked(), 77.5, 6.5, PointVerdict::Pass, 6.5},
      {"clockwise: the mirror's slope", mirrored(), 150, 50.4, PointVerdict::Pass, 50},
      {"clockwise: its clamp high", mirrored(), 50, 95, PointVerdict::Pass, 95},
      {"clockwise: its DP jump", mirrored(), 29, 95, PointVerdict::NearJump, 5},
      {"slope through 360", throughZero(), 354, 9, PointVerdict::Pass, 9},
      {"slope through 0", throughZero(), 5, 16.7, PointVerdict::Pass, 16.5},
      {"where the closure is missing", invalidDp(), 300, 95, PointVerdict::OffCurve, std::nullopt},
  };
  for (const PointCase& c : cases) {
    std::vector<std::string> messages;
    const ExpectedCurve curve(c.settings, 0, [&](const std::string& text) { messages.push_back(text); });
    const JudgedPoint judged = judgePoint(curve, {c.angle, c.output}, kDefaultTolerance);
    EXPECT_EQ(judged.verdict, c.verdict) << c.name;
    ASSERT_EQ(judged.expected.has_value(), c.expected.has_value()) << c.name;
    if (c.expected) {
      EXPECT_NEAR(*judged.expected, *c.expected, 0.01) << c.name;
      EXPECT_NEAR(judged.error, c.output - *c.expected, 0.01) << c.name;
    }
    // Only the curve without its closure says why.
    EXPECT_EQ(messages.size(), c.settings.dp == 150 ? 1u : 0u) << c.name;
  }
}

struct CheckCase {
  const char* name;
  CurveSettings settings;
  std::vector<OutputPoint> points;
  OutputCheckRules rules;
  CheckVerdict verdict;
  std::string text;
};

TEST(OutputCheck, TheWholeCheck) {
  const OutputCheckRules defaults;
  const CheckCase cases[] = {
      {"four on the slope across 140 degrees",
       worked(),
       {{80, 8}, {120, 32.4}, {160, 56}, {220, 92}},
       defaults,
       CheckVerdict::Pass,
       "PASS: 4 points within \u00B11.0 %VDD"},
      {"three are not enough",
       worked(),
       {{80, 8}, {120, 32}, {220, 92}},
       defaults,
       CheckVerdict::NotEnough,
       "Not enough points: 3 of 4, spanning 140 of 90 degrees"},
      {"four within 60 degrees",
       worked(),
       {{100, 20}, {120, 32}, {140, 44}, {160, 56}},
       defaults,
       CheckVerdict::NotEnough,
       "Not enough points: 4 of 4, spanning 60 of 90 degrees"},
      {"clamp points count, but not toward the span",
       worked(),
       {{100, 20}, {160, 56}, {300, 95}, {50, 5}, {10, 95}},
       defaults,
       CheckVerdict::NotEnough,
       "Not enough points: 5 of 4, spanning 60 of 90 degrees"},
      {"points by a jump are not judged",
       worked(),
       {{80, 8}, {120, 32}, {224, 10}, {31, 60}, {29, 0}},
       defaults,
       CheckVerdict::NotEnough,
       "Not enough points: 2 of 4, spanning 40 of 90 degrees"},
      {"one point outside fails whatever the count",
       worked(),
       {{80, 8}, {212.4, 85.1}},
       defaults,
       CheckVerdict::Fail,
       "FAIL at 212.40 deg: measured 85.10 %VDD, expected 87.44 %VDD"},
      {"the failure named is the largest",
       worked(),
       {{80, 9.5}, {120, 30}, {160, 56}, {220, 92}},
       {0.25, 4},
       CheckVerdict::Fail,
       "FAIL at 120.00 deg: measured 30.00 %VDD, expected 32.00 %VDD"},
      {"a tolerance of a quarter",
       worked(),
       {{80, 8.2}, {120, 32}, {160, 56}, {220, 92}},
       {0.25, 4},
       CheckVerdict::Pass,
       "PASS: 4 points within \u00B10.25 %VDD"},
      {"two points when two are asked for",
       worked(),
       {{80, 8}, {220, 92}},
       {1.0, 2},
       CheckVerdict::Pass,
       "PASS: 2 points within \u00B11.0 %VDD"},
      {"a slope through 0 spans across it",
       throughZero(),
       {{354, 9}, {10, 20}, {60, 53.3}, {110, 86.7}},
       defaults,
       CheckVerdict::Pass,
       "PASS: 4 points within \u00B11.0 %VDD"},
      {"a steep slope is covered across three quarters",
       steep(),
       {{101, 12.7}, {110, 36.7}, {118, 58}, {120, 63.3}},
       defaults,
       CheckVerdict::NotEnough,
       "Not enough points: 4 of 4, spanning 19 of 22.5 degrees"},
      {"and passes so covered",
       steep(),
       {{101, 12.7}, {110, 36.7}, {120, 63.3}, {124, 74}},
       defaults,
       CheckVerdict::Pass,
       "PASS: 4 points within \u00B11.0 %VDD"},
      {"no points",
       worked(),
       {},
       defaults,
       CheckVerdict::NotEnough,
       "Not enough points: 0 of 4, spanning 0 of 90 degrees"},
  };
  for (const CheckCase& c : cases) {
    const ExpectedCurve curve(c.settings, 1, {});
    std::vector<JudgedPoint> judged;
    for (const OutputPoint& p : c.points) judged.push_back(judgePoint(curve, p, c.rules.tolerance));
    const CheckResult result = judgeCheck(curve, judged, c.rules);
    EXPECT_EQ(result.verdict, c.verdict) << c.name;
    EXPECT_EQ(result.text, c.text) << c.name;
  }
}

TEST(OutputCheck, TwoAngleReadingsTheShortWayRound) {
  const struct {
    double a, b, distance, mean;
  } cases[] = {
      {10, 10.4, 0.4, 10.2}, {359.8, 0.4, 0.6, 0.1}, {0.1, 359.7, 0.4, 359.9}, {90, 270, 180, 180}, {350, 20, 30, 5},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(angleDistance(c.a, c.b), c.distance, 1e-9) << c.a << " " << c.b;
    EXPECT_NEAR(meanAngle(c.a, c.b), c.mean, 1e-9) << c.a << " " << c.b;
  }
}

}  // namespace
}  // namespace rx41
