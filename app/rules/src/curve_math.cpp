#include "rx41/rules/curve_math.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace rx41 {
namespace {

// Step arithmetic is done wide: the 16-bit products of the interpolation
// overflow for spans above 327 degrees, and a crossing far outside the circle
// is still a valid reason to refuse a step rather than a wrapped number.
using Wide = std::int64_t;

struct Point {
  Wide angle = 0;
  Wide level = 0;
};

// The rows one step produces: at most four segments.
struct StepRows {
  std::array<Point, 8> row{};
  int count = 0;
  void add(Wide angle, Wide level) { row[static_cast<std::size_t>(count++)] = {angle, level}; }
  void add(const Point& p) { add(p.angle, p.level); }
};

bool fitsInt16(Wide value) {
  return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

bool rowsFitInt16(const StepRows& rows) {
  return std::all_of(rows.row.begin(), rows.row.begin() + rows.count,
                     [](const Point& p) { return fitsInt16(p.angle) && fitsInt16(p.level); });
}

double halfEven(double value) {
  const double nearest = std::round(value);  // halves away from zero
  if (std::fabs(nearest - value) == 0.5 && std::fmod(nearest, 2.0) != 0.0) return nearest - std::copysign(1.0, value);
  return nearest;
}

Wide roundWide(double value) { return static_cast<Wide>(halfEven(value)); }

// The angle at which the line through (aa, la) and (ab, lb) reaches the level;
// none for a line of constant level.
std::optional<Wide> AngleAtLevel(Wide level, Wide la, Wide aa, Wide lb, Wide ab) {
  if (la == lb) return std::nullopt;
  return roundWide(static_cast<double>(ab) +
                   static_cast<double>((level - lb) * (aa - ab)) / static_cast<double>(la - lb));
}

// The level of that line at the angle; none when both points share the angle.
std::optional<Wide> LevelAtAngle(Wide angle, Wide la, Wide aa, Wide lb, Wide ab) {
  if (aa == ab) return std::nullopt;
  return roundWide(static_cast<double>(lb) +
                   static_cast<double>((la - lb) * (angle - ab)) / static_cast<double>(aa - ab));
}

// Where a line reaches the two clamp levels, as (angle, clamp level): the
// crossing at the smaller angle and the one at the larger (on a tie, the
// clamp low level for both).
struct Crossings {
  Point first;
  Point last;
};

// One computation for one part: its settings and the work list.
class CurveBuilder {
 public:
  CurveBuilder(const CurveTables& tables, int part, const MessageSink& messages)
      : high_(tables.PartClampHigh[part]),
        low_(tables.PartClampLow[part]),
        dp_(tables.PartDP[part]),
        clockwise_(tables.PartClockwise[part] != 0),
        messages_(messages) {}

  void build(const std::int16_t (&points)[4][2], int mode) {
    const Point a = pointOf(points[0]), b = pointOf(points[1]), c = pointOf(points[2]), d = pointOf(points[3]);
    writeFromStart(Cal2PointsExtend0(a, b));
    append(Cal2PointsSegment(a, b));
    Point last0 = a, last1 = b;
    if (mode == 3) {
      append(Cal2PointsSegment(b, c));
      last0 = b, last1 = c;
    } else if (mode != 2) {
      append(Cal2PointsSegment(b, c));
      append(Cal2PointsSegment(c, d));
      last0 = c, last1 = d;
    }
    append(Cal2PointsExtend1(last0, last1));
    append(CloseCurveAtDP());
  }

  void copyTo(std::int16_t (&curve)[kCurveRows][2]) const {
    for (int r = 0; r < kCurveRows; ++r) {
      curve[r][0] = work_[static_cast<std::size_t>(r)][0];
      curve[r][1] = work_[static_cast<std::size_t>(r)][1];
    }
  }

 private:
  // 21 slots of two rows, one more row than the tables hold, so that every
  // slot the append rule visits exists.
  static constexpr std::size_t kSlots = 21;
  using Row = std::array<std::int16_t, 2>;

  static Point pointOf(const std::int16_t (&p)[2]) { return {p[0], p[1]}; }

  bool slotEmpty(std::size_t slot) const {
    const Row& first = work_[2 * slot];
    const Row& second = work_[2 * slot + 1];
    return first[0] == 0 && first[1] == 0 && second[0] == 0 && second[1] == 0;
  }

  void report(const std::string& text) const {
    if (messages_) messages_(text);
  }

  std::optional<Crossings> crossings(const Point& p, const Point& q) const {
    const auto high = AngleAtLevel(high_, p.level, p.angle, q.level, q.angle);
    const auto low = AngleAtLevel(low_, p.level, p.angle, q.level, q.angle);
    if (!high || !low) return std::nullopt;
    return Crossings{{std::min(*high, *low), *high < *low ? high_ : low_},
                     {std::max(*high, *low), *high > *low ? high_ : low_}};
  }

  // A step that cannot place its rows reports and contributes nothing.
  StepRows failed(const char* text) const {
    report(text);
    return {};
  }

  StepRows checked(const StepRows& rows, const char* failureText) const {
    return rowsFitInt16(rows) ? rows : failed(failureText);
  }

  StepRows Cal2PointsExtend0(const Point& p, const Point& q) const {
    static constexpr const char* kError = "Error in Cal2PointsExtend0";
    StepRows rows;
    if (p.angle == q.angle) return rows;
    if (p.angle < q.angle && !clockwise_) {
      const auto c = crossings(p, q);
      if (!c) return failed(kError);
      const Wide x = c->first.angle;
      const Wide v = c->first.level;
      if (x >= 0) {
        rows.add(x, v);
      } else if (x + 360 > q.angle) {
        const auto y0 = LevelAtAngle(0, p.level, p.angle, q.level, q.angle);
        rows.add(x + 360, v);
        rows.add(360, *y0);
        rows.add(0, *y0);
      } else {
        return failed(kError);
      }
    } else if (p.angle > q.angle && clockwise_) {
      const auto c = crossings(p, q);
      if (!c) return failed(kError);
      const Wide x = c->last.angle;
      const Wide v = c->last.level;
      if (x <= 360) {
        rows.add(x, v);
      } else if (x - 360 < q.angle) {
        const auto y360 = LevelAtAngle(360, p.level, p.angle, q.level, q.angle);
        rows.add(x - 360, v);
        rows.add(0, *y360);
        rows.add(360, *y360);
      } else {
        return failed(kError);
      }
    } else if (p.angle > q.angle) {  // toward increasing angles through 360
      const auto c = crossings(p, {q.angle + 360, q.level});
      if (!c) return failed(kError);
      const Wide x = c->first.angle;
      if (!(x > q.angle)) return failed(kError);
      rows.add(x, c->first.level);
    } else {  // toward decreasing angles through 0
      const auto c = crossings({p.angle + 360, p.level}, q);
      if (!c) return failed(kError);
      const Wide x = c->last.angle - 360;
      if (!(x < q.angle)) return failed(kError);
      rows.add(x, c->last.level);
    }
    rows.add(p);
    return checked(rows, kError);
  }

  StepRows Cal2PointsSegment(const Point& p, const Point& q) const {
    StepRows rows;
    rows.add(p);
    if (p.angle == q.angle) return rows;
    const bool wrapsThroughZero = p.angle < q.angle && clockwise_;
    const bool wrapsThroughFullCircle = p.angle > q.angle && !clockwise_;
    if (wrapsThroughZero || wrapsThroughFullCircle) {
      // Points a full turn apart meet at 0/360 itself: nothing to pass through.
      const auto y = wrapsThroughZero ? LevelAtAngle(360, p.level, p.angle + 360, q.level, q.angle)
                                      : LevelAtAngle(360, p.level, p.angle, q.level, q.angle + 360);
      if (!y || !fitsInt16(*y)) return rows;
      rows.add(wrapsThroughZero ? 0 : 360, *y);
      rows.add(wrapsThroughZero ? 360 : 0, *y);
    }
    rows.add(q);
    return rows;
  }

  StepRows Cal2PointsExtend1(const Point& p, const Point& q) const {
    static constexpr const char* kError = "Error in Cal2PointsExtend1";
    StepRows rows;
    if (p.angle == q.angle) return rows;
    rows.add(q);
    if (p.angle < q.angle && !clockwise_) {
      const auto c = crossings(p, q);
      if (!c) return failed(kError);
      const Wide x = c->last.angle;
      const Wide v = c->last.level;
      if (x <= 360) {
        rows.add(x, v);
      } else if (x - 360 < p.angle) {
        const auto y360 = LevelAtAngle(360, p.level, p.angle, q.level, q.angle);
        rows.add(360, *y360);
        rows.add(0, *y360);
        rows.add(x - 360, v);
      } else {
        return failed(kError);
      }
    } else if (p.angle > q.angle && clockwise_) {
      const auto c = crossings(p, q);
      if (!c) return failed(kError);
      const Wide x = c->first.angle;
      const Wide v = c->first.level;
      if (x >= 0) {
        rows.add(x, v);
      } else if (x + 360 > p.angle) {
        const auto y0 = LevelAtAngle(0, p.level, p.angle, q.level, q.angle);
        rows.add(0, *y0);
        rows.add(360, *y0);
        rows.add(x + 360, v);
      } else {
        return failed(kError);
      }
    } else if (p.angle > q.angle) {  // toward increasing angles through 360
      const auto c = crossings(p, {q.angle + 360, q.level});
      if (!c) return failed(kError);
      const Wide x = c->last.angle - 360;
      if (!(x < p.angle)) return failed(kError);
      rows.add(x, c->last.level);
    } else {  // toward decreasing angles through 0
      const auto c = crossings({p.angle + 360, p.level}, q);
      if (!c) return failed(kError);
      const Wide x = c->first.angle;
      if (!(x > p.angle)) return failed(kError);
      rows.add(x, c->first.level);
    }
    return checked(rows, kError);
  }

  StepRows CloseCurveAtDP() const {
    std::size_t filled = 0;
    while (filled < kSlots && !slotEmpty(filled)) ++filled;
    const Point start{work_[0][0], work_[0][1]};
    // With no segment at all the curve has no ends to join.
    const Point end = filled == 0 ? start : Point{work_[2 * filled - 1][0], work_[2 * filled - 1][1]};
    const Wide f = start.angle, fv = start.level, e = end.angle, ev = end.level, dp = dp_;
    StepRows rows;
    if (f == e) return rows;
    // Along the end level from E to DP (through 360/0 where needed), the jump
    // at DP, then along the start level from DP to F.
    const bool endThroughFullCircle = !clockwise_ && f < e && dp < f;
    const bool startThroughFullCircle = !clockwise_ && f < e && dp > e;
    const bool startThroughZero = clockwise_ && f > e && dp < e;
    const bool endThroughZero = clockwise_ && f > e && dp > f;
    const bool direct = (!clockwise_ && f > e && e < dp && dp < f) || (clockwise_ && f < e && f < dp && dp < e);
    if (!(endThroughFullCircle || startThroughFullCircle || startThroughZero || endThroughZero || direct)) {
      report("DP Point is Invalid with two angle ends-(" + std::to_string(f) + " And " + std::to_string(e) + ") And (" +
             (clockwise_ ? "CW" : "CCW") + ") direction!");
      return rows;
    }
    rows.add(e, ev);
    if (endThroughFullCircle || endThroughZero) {
      rows.add(endThroughZero ? 0 : 360, ev);
      rows.add(endThroughZero ? 360 : 0, ev);
    }
    rows.add(dp, ev);
    rows.add(dp, ev);
    rows.add(dp, fv);
    rows.add(dp, fv);
    if (startThroughFullCircle || startThroughZero) {
      rows.add(startThroughZero ? 0 : 360, fv);
      rows.add(startThroughZero ? 360 : 0, fv);
    }
    rows.add(f, fv);
    return rows;
  }

  void writeFromStart(const StepRows& rows) {
    for (int r = 0; r < rows.count; ++r)
      work_[static_cast<std::size_t>(r)] = toRow(rows.row[static_cast<std::size_t>(r)]);
  }

  // Fills the empty slots in order with the step's pairs; an all-zero pair
  // ends the step's list, so the pairs after it are dropped.
  void append(const StepRows& rows) {
    int pair = 0;
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
      if (!slotEmpty(slot)) continue;
      const Row first = rowOf(rows, 2 * pair), second = rowOf(rows, 2 * pair + 1);
      if (first == Row{} && second == Row{}) return;
      work_[2 * slot] = first;
      work_[2 * slot + 1] = second;
      ++pair;
    }
  }

  static Row toRow(const Point& p) { return {static_cast<std::int16_t>(p.angle), static_cast<std::int16_t>(p.level)}; }

  static Row rowOf(const StepRows& rows, int index) {
    return index < rows.count ? toRow(rows.row[static_cast<std::size_t>(index)]) : Row{};
  }

  const Wide high_, low_, dp_;
  const bool clockwise_;
  const MessageSink& messages_;
  std::array<Row, 2 * kSlots> work_{};
};

}  // namespace

void BuildCurves(CurveTables& tables, std::int16_t part1, std::int16_t mode1, std::int16_t part2, std::int16_t mode2,
                 const MessageSink& messages) {
  BuildCurve(tables, mode1, part1, messages);
  if (mode2 != 0) BuildCurve(tables, mode2, part2, messages);
}

void BuildCurve(CurveTables& tables, std::int16_t mode, std::int16_t part, const MessageSink& messages) {
  if (part != 0 && part != 1) return;
  CurveBuilder builder(tables, part, messages);
  builder.build(tables.Points[part], mode);
  builder.copyTo(tables.Curve[part]);
}

bool AnglesInCyclicOrder(std::int16_t a, std::int16_t b, std::int16_t c) { return (b > a) + (c > b) + (a > c) >= 2; }

std::int16_t roundToInt16(double value) {
  constexpr double lowest = std::numeric_limits<std::int16_t>::min();
  constexpr double highest = std::numeric_limits<std::int16_t>::max();
  if (std::isnan(value)) return 0;
  return static_cast<std::int16_t>(std::clamp(halfEven(value), lowest, highest));
}

}  // namespace rx41
