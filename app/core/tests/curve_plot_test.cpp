// The curve plot's ways of drawing several parts: where the segment loop ends
// (at the first empty segment of any part, or for each part at its own), and
// the circles of the target points (all four, or only point A).
#include "rx41/core/curve_plot.h"

#include <QTest>

#include "qt_test_main.h"
#include "window_bench.h"

namespace {

using rx041::test::drawnNear;

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

void setSegment(rx41::CurveTables& tables, int part, int segment, std::int16_t a0, std::int16_t l0, std::int16_t a1,
                std::int16_t l1) {
  tables.Curve[part][2 * segment][0] = a0;
  tables.Curve[part][2 * segment][1] = l0;
  tables.Curve[part][2 * segment + 1][0] = a1;
  tables.Curve[part][2 * segment + 1][1] = l1;
}

// Part#1 has one segment, Part#2 two; Part#2's point B is at (250, 30).
rx41::CurveTables twoParts() {
  rx41::CurveTables tables;
  setSegment(tables, 0, 0, 0, 10, 100, 10);
  setSegment(tables, 1, 0, 0, 50, 100, 50);
  setSegment(tables, 1, 1, 200, 70, 300, 70);
  tables.Points[1][1][0] = 250;
  tables.Points[1][1][1] = 30;
  return tables;
}

}  // namespace

class CurvePlotTest : public QObject {
  Q_OBJECT

 private slots:
  void theSegmentLoopEndsAsTheWindowAsks() {
    const rx41::CurveTables tables = twoParts();
    for (const auto end : {rx41::CurvePlot::SegmentEnd::FirstEmptyOfAny, rx41::CurvePlot::SegmentEnd::EachAtItsOwn}) {
      rx41::CurvePlot plot(tables, nullptr, end);
      plot.resize(800, 300);
      plot.setTraces({{0, kGreen}, {1, kRed}});
      QVERIFY(drawnNear(plot, 50, 10, kGreen));
      QVERIFY(drawnNear(plot, 50, 50, kRed));
      QCOMPARE(drawnNear(plot, 250, 70, kRed), end == rx41::CurvePlot::SegmentEnd::EachAtItsOwn);
    }
  }

  void firstPointOnlyLeavesOutTheOtherCircles() {
    const rx41::CurveTables tables = twoParts();
    rx41::CurvePlot plot(tables);
    plot.resize(800, 300);
    for (const bool firstPointOnly : {false, true}) {
      plot.setTraces({{1, kRed, firstPointOnly}});
      // On the circle's rim, right of point B.
      QCOMPARE(drawnNear(plot, 252, 30, kRed), !firstPointOnly);
      QVERIFY(drawnNear(plot, 2, 0, kRed));  // point A at (0, 0)
    }
  }
};

RX041_QT_TEST(CurvePlotTest)
#include "curve_plot_test.moc"
