// The quick 1-point window ("/6") on the recording device: the offsets in
// place of Get DP, point B and the DP placed from the taught point A, and
// "Program" configuring the chip without reading an angle.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include "qt_test_main.h"
#include "quick_window_fixture.h"

using quick_test::buttonStates;
using quick_test::WindowBench;

namespace {

// Connected, the offsets typed, point A taught at the angle.
void teachPointA(WindowBench& bench, double angleA, const QString& offsetAngleB, const QString& offsetDp,
                 bool clockwise = false) {
  bench.healthyChip();
  bench.connect();
  bench.type("OffsetAngleB", offsetAngleB);
  bench.type("OffsetDP", offsetDp);
  bench.control<QCheckBox>("clockwise")->setChecked(clockwise);
  bench.device->script().answerOnce("GetAngle", {angleA});
  bench.click("SetpointA");
}

}  // namespace

class OnePointWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithTheOffsetsInPlaceOfGetDp() {
    WindowBench bench("/6");
    const std::pair<const char*, const char*> captions[] = {
        {"OffsetDP", "0.00"}, {"OffsetAngleB", "0.00"}, {"SetpointA", "Set point A"}, {"SetpointB", "Program"},
        {"DP", "260.00"},     {"Angle(1)", ""},         {"PartSel", "Part#1"}};
    for (const auto& [name, caption] : captions) QCOMPARE(bench.text(name), QString(caption));
    QCOMPARE(bench.control<QGroupBox>("Frame1")->title(), QString("Offset setting against Angle A"));
    QCOMPARE(bench.control<QGroupBox>("Frame2")->title(), QString("2 Points"));
    QVERIFY(!bench.control("GetDP"));
    QVERIFY(!bench.control("PowerOn"));
    QStringList labels;
    for (auto* label : bench.window->findChildren<QLabel*>()) labels << label->text();
    for (const char* label : {"DP offset (deg)", "Angle B offset (deg)"}) QVERIFY2(labels.contains(label), label);
    QCOMPARE(buttonStates(bench), QString("A D B D P -"));
  }

  void offsetsAreReplacedWithoutAWord() {
    const std::pair<const char*, const char*> cases[] = {{"abc", "0.00"},   {"1e1", "0.00"},  {"-5", "0.00"},
                                                         {"360", "359.99"}, {"1E1", "10.00"}, {"", "0.00"}};
    WindowBench bench("/6");
    for (const char* offset : {"OffsetDP", "OffsetAngleB"}) {
      for (const auto& [typed, shown] : cases) {
        bench.type(offset, typed);
        QCOMPARE(bench.text(offset), QString(shown));
      }
    }
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void pointBAndDpArePlacedFromPointA_data() {
    QTest::addColumn<double>("angleA");
    QTest::addColumn<QString>("offsetAngleB");
    QTest::addColumn<QString>("offsetDp");
    QTest::addColumn<bool>("clockwise");
    QTest::addColumn<QString>("angleB");
    QTest::addColumn<QString>("dp");
    QTest::newRow("10 counter-clockwise") << 10.0 << "30"
                                          << "200" << false << "40.00"
                                          << "210.00";
    QTest::newRow("10 clockwise wraps") << 10.0 << "30"
                                        << "200" << true << "340.00"
                                        << "170.00";
    QTest::newRow("350 counter-clockwise wraps") << 350.0 << "20"
                                                 << "20" << false << "10.00"
                                                 << "10.00";
    QTest::newRow("350 clockwise") << 350.0 << "20"
                                   << "20" << true << "330.00"
                                   << "330.00";
  }
  void pointBAndDpArePlacedFromPointA() {
    QFETCH(double, angleA);
    QFETCH(QString, offsetAngleB);
    QFETCH(QString, offsetDp);
    QFETCH(bool, clockwise);
    WindowBench bench("/6");
    teachPointA(bench, angleA, offsetAngleB, offsetDp, clockwise);
    QCOMPARE(bench.text("Angle(0)"), QString::number(angleA, 'f', 2));
    QTEST(bench.text("Angle(1)"), "angleB");
    QTEST(bench.text("DP"), "dp");
    QCOMPARE(buttonStates(bench), QString("A D B E P -"));
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void programConfiguresWithoutReadingAnAngle() {
    WindowBench bench("/6");
    teachPointA(bench, 10.0, "30", "200");
    bench.type("Level(0)", "10");
    bench.type("Level(1)", "90");
    bench.forgetCalls();
    bench.click("SetpointB");
    QCOMPARE(bench.op.messages, QStringList{});
    QVERIFY(bench.calls("GetAngle").isEmpty());
    QCOMPARE(
        bench.calls("SetSolverSetting").mid(2, 5),
        (QStringList{"SetSolverSetting(0, 3, 210, 1)", "SetSolverSetting(0, 4, 10, 1)", "SetSolverSetting(0, 8, 10, 1)",
                     "SetSolverSetting(0, 5, 90, 1)", "SetSolverSetting(0, 9, 40, 1)"}));
    QCOMPARE(bench.calls("ProgramDevice"), QStringList{"ProgramDevice(0)"});
    QCOMPARE(bench.state.ChipState[0], rx41::kPowerOff);
    QCOMPARE(buttonStates(bench), QString("A E B D P -"));
    const rx41::CurveTables expected = rx041::test::expectedCurveTables({.points = {{10, 10}, {40, 90}}, .dp = 210});
    QVERIFY(rx041::test::sameCurve(expected, bench.state, 0));
  }

  void zeroOffsetsBreakTheTwoPointRules() {
    WindowBench bench("/6");
    teachPointA(bench, 100.0, "0", "0");
    QCOMPARE(bench.text("Angle(1)"), QString("100.00"));
    bench.type("Level(0)", "10");
    bench.type("Level(1)", "90");
    bench.click("SetpointB");
    // The curve of the refused points then reports its own trouble.
    QCOMPARE(bench.op.messages.mid(0, 2),
             (QStringList{"Rules: Wrong in configure 2 points!", "Error: Not 2 points Mode!"}));
    QVERIFY(bench.calls("SetSolverSetting").isEmpty());
    QVERIFY(bench.calls("CopySolverSettingsToParameters").isEmpty());
  }
};

RX041_QT_TEST(OnePointWindowTest)
#include "one_point_window_test.moc"
