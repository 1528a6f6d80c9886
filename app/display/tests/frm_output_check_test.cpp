// The output check on the recording device: nothing measured until asked,
// the device calls of one point and the part's mode after it, the table, dots
// and verdict as points come and the rules change, a magnet that moved, a
// call that failed, the part selector of a pair, and the saved records.
#include "rx41/display/frm_output_check.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

#include "dialog_bench.h"
#include "qt_test_main.h"
#include "rx041/records/record_file.h"

namespace {

using Bench = rx041::test::DialogBench<rx41::frmOutputCheck>;

const QColor kPass(0, 160, 0), kFail(255, 0, 0), kGrey(150, 150, 150);

// A 40 deg -> 10 %, B 140 deg -> 90 %, clamps 5 / 95 %, DP 220 deg: 0.8 %VDD a degree
// from the clamp low corner at 34 deg to the clamp high corner at 146 deg.
rx41::CurveSettings risingCurve() {
  rx41::CurveSettings s;
  s.points[0][0] = 40, s.points[0][1] = 10, s.points[1][0] = 140, s.points[1][1] = 90;
  s.dp = 220, s.clampHigh = 95, s.clampLow = 5;
  return s;
}

// The same, falling: 90 % at 40 deg to 10 % at 140 deg.
rx41::CurveSettings fallingCurve() {
  rx41::CurveSettings s = risingCurve();
  s.points[0][1] = 90, s.points[1][1] = 10;
  return s;
}

// Part#1 powered off and offered alone, shown.
void open(Bench& bench, rx41::frmOutputCheck::Expectations expected = {risingCurve(), std::nullopt}) {
  bench.healthyChip();
  bench.state.ChipState[0] = bench.state.ChipState[1] = rx41::kPowerOff;
  bench.form().Init(0, expected, {"/1", "MainForm2Parts2Src"});
  bench.show();
}

// The chip reads the angle twice and puts out the level in between.
void measure(Bench& bench, double angleBefore, double output, double angleAfter) {
  auto& script = bench.device->script();
  script.answerOnce("GetAngle", {angleBefore, angleAfter});
  script.answerOnce("Measure", {output});
  bench.click("MeasurePoint");
}
void measure(Bench& bench, double angle, double output) { measure(bench, angle, output, angle); }

QString verdict(Bench& bench) { return bench.control<QLabel>("Verdict")->text(); }

QStringList tableRow(Bench& bench, int row) {
  const QTreeWidgetItem* item = bench.control<QTreeWidget>("PointTable")->topLevelItem(row);
  QStringList cells;
  for (int column = 0; item && column < item->columnCount(); ++column) cells << item->text(column);
  return cells;
}

int rows(Bench& bench) { return bench.control<QTreeWidget>("PointTable")->topLevelItemCount(); }

bool dotAt(Bench& bench, double angle, double output, const QColor& colour) {
  return rx041::test::drawnNear(*bench.control<rx41::CurvePlot>("Picture1"), angle, output, colour);
}

}  // namespace

class FrmOutputCheckTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithoutMeasuring() {
    Bench bench;
    open(bench);
    QCOMPARE(rx041::test::repeatedDesignNames(*bench.window), QStringList{});
    QCOMPARE(rx041::test::unnamedControls(*bench.window), QStringList{});
    QCOMPARE(bench.calls(), QStringList{});
    QVERIFY(!bench.enabled("PartSel"));
    QCOMPARE(verdict(bench), QString("Not enough points: 0 of 4, spanning 0 of 90 degrees"));
    // The expected curve is drawn as the other windows draw it.
    QVERIFY(rx041::test::drawnNear(*bench.control<rx41::CurvePlot>("Picture1"), 90, 50, QColor(0, 255, 0)));
  }

  void aPointIsTheAngleTheOutputAndTheAngleAgain() {
    Bench bench;
    open(bench);
    measure(bench, 100.0, 58.4);
    // OWI mode for the angle and the chip's identification, ADC mode with the
    // ADC on the output for the level, OWI mode for the angle, then off again.
    QCOMPARE(bench.calls(),
             QStringList({"Customized_PowerOn(0)", "Customized_EnterOWI(0)", "GetAngle(0)", "MemRead(0, 72)",
                          "Customized_QuitOWI(0)", "Customized_SetADCMode(0)", "Customized_Mode0V(0)", "Measure(0, 1)",
                          "Customized_EnterOWI(0)", "GetAngle(0)", "Customized_PowerOff(0)", "Customized_SetADCMode(0)",
                          "Customized_Mode0V(0)"}));
    QCOMPARE(bench.state.ChipState[0], rx41::kPowerOff);
    QCOMPARE(tableRow(bench, 0), QStringList({"100.00", "58.40", "58.00", "+0.40", "pass"}));

    // A part in ADC mode goes back to ADC mode, one in OWI mode stays there.
    for (const std::int32_t mode : {rx41::kAdcMode, rx41::kOwiMode}) {
      bench.state.ChipState[0] = mode;
      measure(bench, 100.0, 58.4);
      QCOMPARE(bench.state.ChipState[0], mode);
    }
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void pointsDotsAndVerdictFollowTheRules() {
    Bench bench;
    open(bench);
    const struct {
      double angle, output;
      QColor dot;
      const char* verdictAfter;
    } points[] = {
        {40, 10.3, kPass, "Not enough points: 1 of 4, spanning 0 of 90 degrees"},
        {70, 34.0, kPass, "Not enough points: 2 of 4, spanning 30 of 90 degrees"},
        {221, 50.0, kGrey, "Not enough points: 2 of 4, spanning 30 of 90 degrees"},  // by the DP jump
        {100, 58.4, kPass, "Not enough points: 3 of 4, spanning 60 of 90 degrees"},
        {300, 5.2, kPass, "Not enough points: 4 of 4, spanning 60 of 90 degrees"},  // on the clamp
        {130, 82.5, kPass, "PASS: 5 points within \u00B11.0 %VDD"},
        {180, 97.5, kFail, "FAIL at 180.00 deg: measured 97.50 %VDD, expected 95.00 %VDD"},
    };
    for (const auto& p : points) {
      measure(bench, p.angle, p.output);
      QCOMPARE(verdict(bench), QString::fromUtf8(p.verdictAfter));
      QVERIFY2(dotAt(bench, p.angle, p.output, p.dot), qPrintable(QString::number(p.angle)));
    }
    QCOMPARE(rows(bench), 7);
    QCOMPARE(tableRow(bench, 2).last(), QString("not judged: near a jump"));
    QCOMPARE(tableRow(bench, 6), QStringList({"180.00", "97.50", "95.00", "+2.50", "FAIL"}));

    // A wider tolerance takes the point in; one beyond its range is held to it.
    bench.type("Tolerance", "3");
    QCOMPARE(verdict(bench), QString("PASS: 6 points within \u00B13.0 %VDD"));
    QVERIFY(dotAt(bench, 180, 97.5, kPass));
    bench.type("Tolerance", "20");
    QCOMPARE(bench.text("Tolerance"), QString("10.00"));
    bench.type("Tolerance", "0.3");
    QCOMPARE(verdict(bench), QString("FAIL at 180.00 deg: measured 97.50 %VDD, expected 95.00 %VDD"));
    QVERIFY(dotAt(bench, 100, 58.4, kFail));
    bench.type("Tolerance", "3");
    bench.type("MinPoints", "9");
    QCOMPARE(verdict(bench), QString("Not enough points: 6 of 9, spanning 90 of 90 degrees"));
    bench.type("MinPoints", "one");
    QCOMPARE(bench.text("MinPoints"), QString("4"));

    bench.click("ClearPoints");
    QCOMPARE(rows(bench), 0);
    QCOMPARE(verdict(bench), QString("Not enough points: 0 of 4, spanning 0 of 90 degrees"));
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void aMovedMagnetOrAFailedCallAddsNoPoint() {
    Bench bench;
    open(bench);
    measure(bench, 90.0, 50.0, 90.6);
    QCOMPARE(bench.op.messages,
             QStringList{"The magnet moved while the point was measured; hold it still and measure again"});
    QCOMPARE(rows(bench), 0);
    QCOMPARE(bench.state.ChipState[0], rx41::kPowerOff);

    // Within half a degree the point stands, at the angle between the readings; through 0 as well.
    measure(bench, 90.0, 50.0, 90.4);
    measure(bench, 359.9, 5.0, 0.2);
    QCOMPARE(tableRow(bench, 0).first(), QString("90.20"));
    QCOMPARE(tableRow(bench, 1).first(), QString("0.05"));

    bench.op.messages.clear();
    bench.device->script().answerOnce("GetAngle", {90.0});
    bench.device->script().answerOnce("Measure", {-101.0});
    bench.click("MeasurePoint");
    bench.device->script().fail("GetAngle", rx041::com::E_FAIL);
    bench.click("MeasurePoint");
    QCOMPARE(bench.op.messages, QStringList({"Part#1: the output could not be measured (ADC time-out)",
                                             "Method 'GetAngle' of object 'IZQ3902Device' failed"}));
    QCOMPARE(rows(bench), 2);
    QCOMPARE(bench.state.ChipState[0], rx41::kPowerOff);
  }

  void aPairIsCheckedPartByPartAndSavedAsOneRecordEach() {
    Bench bench;
    open(bench, {risingCurve(), fallingCurve()});
    QVERIFY(bench.enabled("PartSel"));
    bench.click("SaveResult");
    QCOMPARE(bench.op.messages, QStringList{"No point has been measured: nothing to save"});
    bench.op.messages.clear();

    measure(bench, 60, 26.2);
    auto* parts = bench.control<QComboBox>("PartSel");
    parts->setCurrentIndex(1);
    emit parts->activated(1);
    QCOMPARE(rows(bench), 0);
    measure(bench, 60, 74.9);  // the falling curve: 74 % at 60 deg
    measure(bench, 221, 10);
    QCOMPARE(bench.calls("Measure"), QStringList({"Measure(0, 1)", "Measure(1, 1)", "Measure(1, 1)"}));
    QCOMPARE(verdict(bench), QString("Not enough points: 1 of 4, spanning 0 of 90 degrees"));

    bench.type("Tolerance", "0.5");
    bench.click("SaveResult");
    QCOMPARE(bench.op.messages,
             QStringList{"The output check of Part#1 and Part#2 is saved in the programming records"});
    std::ifstream file(rx041::records::recordFilePath());
    const auto contents = rx041::records::readRecords(file);
    QCOMPARE(contents.problems.size(), std::size_t{0});
    QCOMPARE(contents.records.size(), std::size_t{2});
    const auto& first = contents.records[0].record;
    const auto& second = contents.records[1].record;
    QCOMPARE(first.kind, rx041::records::RecordKind::OutputCheck);
    QCOMPARE(first.mode + " " + first.window, std::string("/1 MainForm2Parts2Src"));
    QCOMPARE(first.part, 1);
    QCOMPARE(first.chipId, std::optional<std::int32_t>(0x31));
    QCOMPARE(first.outputCheck->tolerance, 0.5f);
    QCOMPARE(first.outputCheck->curve.points[1], (std::array<std::int32_t, 2>{140, 90}));
    QCOMPARE(first.outputCheck->points.size(), std::size_t{1});
    QCOMPARE(first.outputCheck->points[0].expected, std::optional<float>(26.0f));
    QCOMPARE(first.outputCheck->points[0].verdict, std::string("pass"));
    QCOMPARE(first.outcome, std::string("not_enough"));
    QCOMPARE(second.part, 2);
    QCOMPARE(second.outputCheck->curve.points[1], (std::array<std::int32_t, 2>{140, 10}));
    QCOMPARE(second.outputCheck->points[0].verdict, std::string("fail"));
    QCOMPARE(second.outputCheck->points[1].verdict, std::string("near_jump"));
    QCOMPARE(second.outputCheck->verdict, std::string("fail"));
    QCOMPARE(second.outputCheck->verdictText,
             std::string("FAIL at 60.00 deg: measured 74.90 %VDD, expected 74.00 %VDD"));
  }

  void closingLeavesThePartsAsTheyWere() {
    Bench bench;
    open(bench);
    bench.state.ChipState[0] = rx41::kAdcMode;
    bench.window->close();  // the part changed after the window opened
    QCOMPARE(bench.state.ChipState[0], rx41::kPowerOff);
    QVERIFY(bench.window->isHidden());
  }
};

RX041_QT_TEST(FrmOutputCheckTest)
#include "frm_output_check_test.moc"
