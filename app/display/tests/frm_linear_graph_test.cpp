// The linear graph: which part each row shows for one- and two-part calls,
// the texts of the settings ("Not Used" for an unset point), the mode rule
// (curve mode plus 16 for point A alone), and the curves it draws: those that
// BuildCurves gives, green for row 0's part and red for Part#2.
#include "rx41/display/frm_linear_graph.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <optional>

#include "dialog_bench.h"
#include "qt_test_main.h"
#include "rx41/core/curve_plot.h"

namespace {

using Bench = rx041::test::DialogBench<rx41::frmLinearGraph>;
using Trace = rx41::CurvePlot::Trace;

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

// Part#1: two points, C and D never set. Part#2: three points, D stored as 0.
const rx041::test::ExpectedCurve kPart1{
    .part = 0, .mode = 2, .points = {{100, 20}, {200, 80}, {500, 0}, {500, 0}}, .dp = 30};
const rx041::test::ExpectedCurve kPart2{
    .part = 1, .mode = 3, .points = {{40, 10}, {140, 50}, {240, 90}, {0, 0}}, .dp = 300, .clampHigh = 92};

const char* const kColumns[] = {"high", "low", "dpdisp", "A", "B", "C", "D"};

void storeSettings(rx41::AppState& state, const rx041::test::ExpectedCurve& settings) {
  const rx41::CurveTables tables = rx041::test::expectedCurveTables(settings);
  const std::int16_t p = settings.part;
  std::copy(&tables.Points[p][0][0], &tables.Points[p][0][0] + 8, &state.Points[p][0][0]);
  state.PartDP[p] = tables.PartDP[p];
  state.PartClampHigh[p] = tables.PartClampHigh[p];
  state.PartClampLow[p] = tables.PartClampLow[p];
  state.PartClockwise[p] = tables.PartClockwise[p];
  // Left over from an earlier computation: the window clears it.
  state.Curve[p][0][0] = 7;
}

// Both parts' settings stored, the graph opened on them and shown.
void openOnBothParts(Bench& bench, std::int16_t part, std::int16_t mode, std::int16_t part2, std::int16_t mode2) {
  storeSettings(bench.state, kPart1);
  storeSettings(bench.state, kPart2);
  bench.form().Init(part, mode, part2, mode2);
  bench.show();
}

QStringList rowTexts(Bench& bench, int row) {
  QStringList texts;
  for (const char* column : kColumns) texts << bench.text(QString("%1(%2)").arg(column).arg(row));
  return texts;
}

bool rowHidden(Bench& bench, int row) {
  for (const char* column : kColumns)
    if (!bench.control(QString("%1(%2)").arg(column).arg(row))->isHidden()) return false;
  return true;
}

rx41::CurvePlot& plot(Bench& bench) { return *bench.control<rx41::CurvePlot>("Picture1"); }

}  // namespace

class FrmLinearGraphTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsCarryTheirDesignNames() {
    Bench bench;
    for (const char* column : kColumns)
      for (int row = 0; row < 2; ++row) QVERIFY2(bench.control(QString("%1(%2)").arg(column).arg(row)), column);
    for (const char* name : {"Label8", "Labelpart2", "Picture1"}) QVERIFY2(bench.control(name), name);
    QCOMPARE(bench.window->windowTitle(), QString("Linear Graph"));
  }

  void rowsShowTheCalledParts() {
    const QStringList part1Texts{"95", "5", "30", "100:20", "200:80", "Not Used", "Not Used"};
    const QStringList part2Texts{"92", "5", "300", "40:10", "140:50", "240:90", "0:0"};
    struct Case {
      const char* name;
      std::int16_t part, mode, part2, mode2;
      QStringList row0;
      std::optional<QStringList> row1;  // none: hidden
      QList<Trace> traces;
    };
    const Case cases[] = {
        {"Part#1 alone", 0, 2, 0, 0, part1Texts, std::nullopt, {{0, kGreen, false}}},
        {"Part#2 alone, under the heading Part#1", 1, 3, 0, 0, part2Texts, std::nullopt, {{1, kGreen, false}}},
        {"mode 18: two points, point A alone", 0, 18, 0, 0, part1Texts, std::nullopt, {{0, kGreen, true}}},
        {"both parts", 0, 2, 1, 19, part1Texts, part2Texts, {{0, kGreen, false}, {1, kRed, true}}},
    };
    for (const Case& c : cases) {
      Bench bench;
      openOnBothParts(bench, c.part, c.mode, c.part2, c.mode2);
      QCOMPARE(rowTexts(bench, 0), c.row0);
      QCOMPARE(bench.control<QLabel>("Label8")->text(), QString("Part#1"));
      QCOMPARE(bench.control("Labelpart2")->isHidden(), !c.row1);
      if (c.row1)
        QCOMPARE(rowTexts(bench, 1), *c.row1);
      else
        QVERIFY2(rowHidden(bench, 1), c.name);
      QCOMPARE(plot(bench).traces(), c.traces);

      // Each drawn part's curve is the one its settings give; the other stays cleared.
      for (const auto& settings : {kPart1, kPart2}) {
        const bool drawn = std::any_of(c.traces.begin(), c.traces.end(),
                                       [&](const Trace& trace) { return trace.part == settings.part; });
        const rx41::CurveTables expected = drawn ? rx041::test::expectedCurveTables(settings) : rx41::CurveTables{};
        QVERIFY2(rx041::test::sameCurve(bench.state, expected, settings.part), c.name);
      }
      QCOMPARE(bench.op.messages, QStringList{});
    }
  }

  void eachPartsCurveIsDrawnToItsOwnEnd() {
    // Part#1's curve (7 segments) ends before Part#2's (9): Part#2 goes on in red.
    Bench bench;
    openOnBothParts(bench, 0, 2, 1, 3);
    bench.window->resize(900, 500);
    const auto& curve = bench.state.Curve[1];
    int last = 0;
    while (curve[2 * last + 2][0] != 0 || curve[2 * last + 2][1] != 0 || curve[2 * last + 3][0] != 0 ||
           curve[2 * last + 3][1] != 0)
      ++last;
    const auto& part1 = bench.state.Curve[0];
    QVERIFY(part1[2 * last][0] == 0 && part1[2 * last][1] == 0);
    const double x = (curve[2 * last][0] + curve[2 * last + 1][0]) / 2.0;
    const double y = (curve[2 * last][1] + curve[2 * last + 1][1]) / 2.0;
    QVERIFY(rx041::test::drawnNear(plot(bench), x, y, kRed));
  }

  void checkOutputChecksThePartsShown() {
    const struct {
      std::int16_t part, mode, part2, mode2;
      bool selector;
      QString shown;
    } cases[] = {
        {0, 2, 1, 3, true, "Part#1"},
        {1, 3, 0, 0, false, "Part#2"},
    };
    for (const auto& c : cases) {
      Bench bench;
      openOnBothParts(bench, c.part, c.mode, c.part2, c.mode2);
      bool opened = false;
      bench.op.modalHandlers.push_back([&](QDialog& check) {
        opened = true;
        QCOMPARE(check.windowTitle(), QString("Output Check"));
        auto* parts = rx041::test::findControl<QComboBox>(check, "PartSel");
        QCOMPARE(parts->isEnabled(), c.selector);
        QCOMPARE(parts->currentText(), c.shown);
        // The curve checked against is the one the graph draws for that part.
        const auto* checkPlot = rx041::test::findControl<rx41::CurvePlot>(check, "Picture1");
        QCOMPARE(checkPlot->traces().size(), 1);
        QCOMPARE(checkPlot->traces().first().part, c.part);
      });
      bench.click("CheckOutput");
      QVERIFY(opened);
      QCOMPARE(bench.calls(), QStringList{});
    }
  }
};

RX041_QT_TEST(FrmLinearGraphTest)
#include "frm_linear_graph_test.moc"
