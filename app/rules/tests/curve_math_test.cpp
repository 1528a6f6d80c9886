#include "rx41/rules/curve_math.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace rx41 {
namespace {

// (start angle, start level, end angle, end level)
using Segment = std::array<int, 4>;

struct Settings {
  std::array<std::array<int, 2>, 4> points{};
  int high = 95;
  int low = 5;
  int dp = 0;
  bool clockwise = false;
};

class CurveMath : public ::testing::Test {
 protected:
  CurveTables tables;
  std::vector<std::string> messages;
  MessageSink sink = [this](const std::string& text) { messages.push_back(text); };

  void set(int part, const Settings& s) {
    for (std::size_t i = 0; i < 4; ++i)
      for (std::size_t k = 0; k < 2; ++k) tables.Points[part][i][k] = static_cast<std::int16_t>(s.points[i][k]);
    tables.PartClampHigh[part] = static_cast<std::int16_t>(s.high);
    tables.PartClampLow[part] = static_cast<std::int16_t>(s.low);
    tables.PartDP[part] = static_cast<std::int16_t>(s.dp);
    tables.PartClockwise[part] = s.clockwise ? -1 : 0;
  }

  std::vector<Segment> build(const Settings& s, int mode = 2, int part = 0) {
    set(part, s);
    BuildCurve(tables, static_cast<std::int16_t>(mode), static_cast<std::int16_t>(part), sink);
    return segments(part);
  }

  // The segments up to the first all-zero pair; every row after it must be zero.
  std::vector<Segment> segments(int part) const {
    std::vector<Segment> list;
    int row = 0;
    for (; row + 1 < kCurveRows; row += 2) {
      const auto& a = tables.Curve[part][row];
      const auto& b = tables.Curve[part][row + 1];
      if (a[0] == 0 && a[1] == 0 && b[0] == 0 && b[1] == 0) break;
      list.push_back({a[0], a[1], b[0], b[1]});
    }
    for (; row < kCurveRows; ++row) {
      EXPECT_EQ(tables.Curve[part][row][0], 0) << "row " << row;
      EXPECT_EQ(tables.Curve[part][row][1], 0) << "row " << row;
    }
    return list;
  }
};

const Settings kWorkedExample{{{{100, 20}, {200, 80}}}, 95, 5, 30, false};

TEST_F(CurveMath, WorkedExampleGivesSevenSegments) {
  const std::vector<Segment> expected{{75, 5, 100, 20}, {100, 20, 200, 80}, {200, 80, 225, 95}, {225, 95, 360, 95},
                                      {0, 95, 30, 95},  {30, 95, 30, 5},    {30, 5, 75, 5}};
  EXPECT_EQ(build(kWorkedExample), expected);
  EXPECT_TRUE(messages.empty());
}

TEST_F(CurveMath, ClockwiseMirrorOfTheWorkedExample) {
  const Settings s{{{{200, 20}, {100, 80}}}, 95, 5, 30, true};
  const std::vector<Segment> expected{{225, 5, 200, 20}, {200, 20, 100, 80}, {100, 80, 75, 95}, {75, 95, 30, 95},
                                      {30, 95, 30, 5},   {30, 5, 0, 5},      {360, 5, 225, 5}};
  EXPECT_EQ(build(s), expected);
  EXPECT_TRUE(messages.empty());
}

TEST_F(CurveMath, LowCrossingBelowZeroWrapsThroughTheFullCircle) {
  const Settings s{{{{10, 20}, {100, 80}}}, 95, 5, 200, false};
  const std::vector<Segment> expected{{348, 5, 360, 13},  {0, 13, 10, 20},   {10, 20, 100, 80}, {100, 80, 122, 95},
                                      {122, 95, 200, 95}, {200, 95, 200, 5}, {200, 5, 348, 5}};
  EXPECT_EQ(build(s), expected);
  EXPECT_TRUE(messages.empty());
}

TEST_F(CurveMath, SegmentThroughFullCircleAndExtensionsWithShiftedAngles) {
  const Settings s{{{{300, 20}, {60, 80}}}, 95, 5, 180, false};
  const std::vector<Segment> expected{{270, 5, 300, 20}, {300, 20, 360, 50}, {0, 50, 60, 80}, {60, 80, 90, 95},
                                      {90, 95, 180, 95}, {180, 95, 180, 5},  {180, 5, 270, 5}};
  EXPECT_EQ(build(s), expected);
  EXPECT_TRUE(messages.empty());
}

TEST_F(CurveMath, FourPointsForModeFiveAndAnyModeOtherThanTwoOrThree) {
  const Settings s{{{{50, 10}, {100, 30}, {150, 50}, {200, 70}}}, 90, 5, 300, false};
  // The low crossing 37.5 rounds to the even 38.
  const std::vector<Segment> expected{{38, 5, 50, 10},    {50, 10, 100, 30},  {100, 30, 150, 50},
                                      {150, 50, 200, 70}, {200, 70, 250, 90}, {250, 90, 300, 90},
                                      {300, 90, 300, 5},  {300, 5, 360, 5},   {0, 5, 38, 5}};
  EXPECT_EQ(build(s, 5), expected);
  EXPECT_EQ(build(s, 4), expected);
  EXPECT_EQ(build(s, 0), expected);
  const auto threePoints = build(s, 3);
  ASSERT_GE(threePoints.size(), 3u);
  EXPECT_EQ(threePoints[2], (Segment{100, 30, 150, 50}));
  EXPECT_EQ(std::count(threePoints.begin(), threePoints.end(), Segment{150, 50, 200, 70}), 0);
}

TEST_F(CurveMath, EqualAnglesWritePointAloneAndNoExtensions) {
  const Settings s{{{{100, 20}, {100, 80}}}, 95, 5, 260, false};
  const auto list = build(s);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list[0], (Segment{100, 20, 0, 0}));
  EXPECT_EQ(messages,
            std::vector<std::string>{"DP Point is Invalid with two angle ends-(100 And 0) And (CCW) direction!"});
}

TEST_F(CurveMath, AllZeroSegmentEndsTheStepsListAndDropsTheRest) {
  // Falling curve down to clamp low 0 with DP at 0: the closure's second
  // segment is (0, 0)-(0, 0), so only its first segment is kept.
  const Settings s{{{{100, 80}, {200, 20}}}, 95, 0, 0, false};
  const std::vector<Segment> expected{{75, 95, 100, 80}, {100, 80, 200, 20}, {200, 20, 233, 0}, {233, 0, 360, 0}};
  EXPECT_EQ(build(s), expected);
  EXPECT_TRUE(messages.empty());
}

TEST_F(CurveMath, DpOnAnEndOfTheCurveIsInvalid) {
  for (int dp : {75, 225, 100}) {
    messages.clear();
    Settings s = kWorkedExample;
    s.dp = dp;
    const auto list = build(s);
    EXPECT_EQ(list.size(), 3u) << "dp " << dp;
    EXPECT_EQ(messages,
              std::vector<std::string>{"DP Point is Invalid with two angle ends-(75 And 225) And (CCW) direction!"})
        << "dp " << dp;
  }
  messages.clear();
  Settings cw{{{{200, 20}, {100, 80}}}, 95, 5, 225, true};
  build(cw);
  EXPECT_EQ(messages,
            std::vector<std::string>{"DP Point is Invalid with two angle ends-(225 And 75) And (CW) direction!"});
}

TEST_F(CurveMath, ProductsBeyondSixteenBitsGiveTheTrueCrossing) {
  // (100 - 1) * (5 - 350) = -34155 does not fit 16 bits; the crossing is at 1.48.
  const Settings s{{{{5, 99}, {350, 1}}}, 100, 0, 357, false};
  const auto list = build(s);
  ASSERT_GE(list.size(), 3u);
  EXPECT_EQ(list[0], (Segment{1, 100, 5, 99}));
  EXPECT_EQ(list[2], (Segment{350, 1, 354, 0}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(CurveMath, EqualLevelsRefuseBothExtensionsButKeepTheRest) {
  const Settings s{{{{100, 50}, {200, 50}}}, 95, 5, 30, false};
  const std::vector<Segment> expected{
      {100, 50, 200, 50}, {200, 50, 360, 50}, {0, 50, 30, 50}, {30, 50, 30, 50}, {30, 50, 100, 50}};
  EXPECT_EQ(build(s), expected);
  EXPECT_EQ(messages, (std::vector<std::string>{"Error in Cal2PointsExtend0", "Error in Cal2PointsExtend1"}));
}

TEST_F(CurveMath, ExtensionsThatCannotBePlacedAreReportedAndLeftOut) {
  // The low crossing lies more than a full turn before A.
  const auto refused = build({{{{10, 20}, {350, 21}}}, 95, 5, 5, false});
  ASSERT_FALSE(refused.empty());
  EXPECT_EQ(refused[0], (Segment{10, 20, 350, 21}));
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0], "Error in Cal2PointsExtend0");

  // Both crossings far beyond the 16-bit range of the tables.
  messages.clear();
  const auto beyond = build({{{{0, 0}, {360, 1}}}, 100, 95, 5, false});
  ASSERT_FALSE(beyond.empty());
  EXPECT_EQ(beyond[0], (Segment{0, 0, 360, 1}));
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0], "Error in Cal2PointsExtend0");
}

TEST_F(CurveMath, PointsAFullTurnApartJoinWithoutAWrapLevel) {
  // 0 and 360 are the same angle: the line is vertical there and the joining
  // step has no level to pass through 0/360 with, so it writes A alone.
  const auto list = build({{{{0, 20}, {360, 80}}}, 95, 5, 180, true});
  ASSERT_GE(list.size(), 2u);
  EXPECT_EQ(list[0], (Segment{0, 5, 0, 20}));
  EXPECT_EQ(list[1], (Segment{0, 20, 0, 0}));
}

TEST_F(CurveMath, EveryRowIsRewrittenAndOnlyTheNamedPartsAreBuilt) {
  for (auto& row : tables.Curve[0]) row[0] = row[1] = 7;
  for (auto& row : tables.Curve[1]) row[0] = row[1] = 9;
  set(0, kWorkedExample);
  BuildCurves(tables, 0, 2, 1, 0, sink);
  EXPECT_EQ(segments(0).size(), 7u);
  EXPECT_EQ(tables.Curve[1][0][0], 9);  // mode 0 for the second part: untouched

  set(1, kWorkedExample);
  BuildCurves(tables, 0, 2, 1, 2, sink);
  EXPECT_EQ(segments(1), segments(0));

  BuildCurve(tables, 2, 2, sink);  // no such part: nothing happens
  BuildCurve(tables, 2, -1, sink);
  EXPECT_TRUE(messages.empty());
}

TEST(CurveOrder, AnglesInCyclicOrder) {
  EXPECT_TRUE(AnglesInCyclicOrder(10, 20, 30));
  EXPECT_FALSE(AnglesInCyclicOrder(30, 20, 10));
  EXPECT_TRUE(AnglesInCyclicOrder(300, 10, 100));
  EXPECT_TRUE(AnglesInCyclicOrder(100, 300, 10));
  EXPECT_FALSE(AnglesInCyclicOrder(10, 300, 100));
}

TEST(CurveRounding, HalvesGoToTheEvenNeighbourWithinSixteenBits) {
  EXPECT_EQ(roundToInt16(2.5), 2);
  EXPECT_EQ(roundToInt16(3.5), 4);
  EXPECT_EQ(roundToInt16(-2.5), -2);
  EXPECT_EQ(roundToInt16(-12.5), -12);
  EXPECT_EQ(roundToInt16(10.4), 10);
  EXPECT_EQ(roundToInt16(359.99), 360);
  EXPECT_EQ(roundToInt16(1e9), std::numeric_limits<std::int16_t>::max());
  EXPECT_EQ(roundToInt16(-1e9), std::numeric_limits<std::int16_t>::min());
  EXPECT_EQ(roundToInt16(std::nan("")), 0);
}

}  // namespace
}  // namespace rx41
