// The quick pair window ("/3", "/5" with the power button) on the recording
// device: both parts side by side, each phase of the cycle over both parts
// before the next, one VDD measurement and one DAC calibration for the pair,
// each part's own settings, and a failing part stopping the pair.
#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <functional>

#include "qt_test_main.h"
#include "quick_window_fixture.h"
#include "rx41/core/curve_plot.h"

using quick_test::buttonStates;
using quick_test::WindowBench;

namespace {

const QString kNotTwoPoints = QStringLiteral("Error: Not 2 points Mode!");

// Connected to healthy chips, both parts' levels typed.
void connectWithLevels(WindowBench& bench, const QStringList& levels = {"10", "90", "20", "80"}) {
  bench.healthyChip();
  bench.connect();
  for (int k = 0; k < 4; ++k) bench.type(QStringLiteral("Level(%1)").arg(k), levels[k]);
}

// Set point A and Set point B with the angles of Part#1 and Part#2 at each.
void teachBoth(WindowBench& bench, std::pair<double, double> pointA, std::pair<double, double> pointB) {
  bench.device->script().answerOnce("GetAngle", {pointA.first, pointA.second, pointB.first, pointB.second});
  bench.click("SetpointA");
  bench.click("SetpointB");
}

// The calls after the last solver setting.
QStringList callsAfterTheSettings(const WindowBench& bench) {
  const QStringList calls = bench.calls();
  return calls.mid(calls.lastIndexOf(QRegularExpression("SetSolver.*")) + 1);
}

const QStringList kPairPowerOff{"Customized_PowerOff(0)", "Customized_PowerOff(1)", "Customized_SetADCMode(0)",
                                "Customized_SetADCMode(1)", "Customized_Mode0V(0)"};

}  // namespace

class PairWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithBothPartsSideBySide() {
    for (const char* variant : {"/3", "/5"}) {
      WindowBench bench(variant);
      const std::pair<const char*, const char*> captions[] = {{"clamphigh(0)", "95.00"},
                                                              {"clamplow(1)", "5.00"},
                                                              {"DP(0)", "260.00"},
                                                              {"DP(1)", "260.00"},
                                                              {"Angle(3)", ""},
                                                              {"Level(2)", ""},
                                                              {"GetDP", "Get DP"},
                                                              {"clockwise(0)", "CW (Part#1)"},
                                                              {"clockwise(1)", "CW (Part#2)"},
                                                              {"SetpointA", "Set point A"},
                                                              {"SetpointB", "Set point B"}};
      for (const auto& [name, caption] : captions) QCOMPARE(bench.text(name), QString(caption));
      const std::pair<const char*, const char*> frames[] = {
          {"PartFrame(0)", "Part Configuration"}, {"Frame1", "Part#1"}, {"Frame2", "Part#2"}};
      for (const auto& [name, title] : frames) QCOMPARE(bench.control<QGroupBox>(name)->title(), QString(title));
      QVERIFY(!bench.control("PartSel"));
      QStringList labels;
      for (auto* label : bench.window->findChildren<QLabel*>()) labels << label->text();
      for (const char* label : {"Clamp Low (%VDD)", "Clamp High (%VDD)", "DP (deg)", "Angle A (deg)", "Angle B (deg)",
                                "Level A [%VDD]", "Level B [%VDD]"})
        QCOMPARE(labels.count(label), 2);
      QCOMPARE(QAccessible::queryAccessibleInterface(bench.control("Angle(3)"))->text(QAccessible::Name),
               QString("Part#2 Angle B (deg)"));
      QCOMPARE(buttonStates(bench), QString(variant) == "/5" ? QString("A D B D P D") : QString("A D B D P -"));
    }
  }

  void teachesBothPartsInOneCycle() {
    WindowBench bench("/3");
    connectWithLevels(bench);
    QCOMPARE(buttonStates(bench), QString("A E B D P -"));
    bench.forgetCalls();
    bench.device->script().answerOnce("GetAngle", {40.0, 50.0});
    bench.click("SetpointA");
    QCOMPARE(bench.calls(),
             (QStringList{"Customized_PowerOn(0)", "Customized_SetADCMode(0)", "Customized_PowerOn(1)",
                          "Customized_SetADCMode(1)", "MeasureVdd(3)", "Customized_EnterOWI(3)", "MemRead(0, 72)",
                          "MemRead(1, 72)", "ClearSolverSettings(0)", "ClearSolverSettings(1)", "ProgramDevice(0)",
                          "ProgramDevice(1)", "Customized_EnterOWI(3)", "DAC_calibration(3)", "GetAngle(0)",
                          "GetAngle(1)"}));
    const std::pair<const char*, const char*> taughtA[] = {
        {"Angle(0)", "40.00"}, {"DP(0)", "220.00"}, {"Angle(2)", "50.00"}, {"DP(1)", "230.00"}};
    for (const auto& [name, text] : taughtA) QCOMPARE(bench.text(name), QString(text));
    QCOMPARE(buttonStates(bench), QString("A D B E P -"));

    bench.forgetCalls();
    bench.device->script().answerOnce("GetAngle", {140.0, 150.0});
    bench.click("SetpointB");
    QCOMPARE(bench.op.messages, QStringList{});
    QCOMPARE(bench.calls().mid(0, 2), (QStringList{"GetAngle(0)", "GetAngle(1)"}));
    QCOMPARE(bench.text("Angle(1)"), QString("140.00"));
    QCOMPARE(bench.text("Angle(3)"), QString("150.00"));
    const QStringList settings = bench.calls("SetSolverSetting");
    QCOMPARE(settings.size(), 22);
    QCOMPARE(settings.mid(2, 5), (QStringList{"SetSolverSetting(0, 3, 220, 1)", "SetSolverSetting(0, 4, 10, 1)",
                                              "SetSolverSetting(0, 8, 40, 1)", "SetSolverSetting(0, 5, 90, 1)",
                                              "SetSolverSetting(0, 9, 140, 1)"}));
    QCOMPARE(settings.mid(13, 5), (QStringList{"SetSolverSetting(1, 3, 230, 1)", "SetSolverSetting(1, 4, 20, 1)",
                                               "SetSolverSetting(1, 8, 50, 1)", "SetSolverSetting(1, 5, 80, 1)",
                                               "SetSolverSetting(1, 9, 150, 1)"}));
    QCOMPARE(callsAfterTheSettings(bench),
             QStringList({"CopySolverSettingsToParameters(0)", "CopySolverSettingsToParameters(1)", "ProgramDevice(0)",
                          "ProgramDevice(1)", "Customized_EnterOWI(3)"}) +
                 kPairPowerOff);
    QCOMPARE(buttonStates(bench), QString("A E B D P -"));

    bench.click("connect");
    QCOMPARE(buttonStates(bench), QString("A D B D P -"));
  }

  void powerButtonPreparesThePair() {
    WindowBench bench("/5");
    connectWithLevels(bench);
    QCOMPARE(buttonStates(bench), QString("A D B D P E"));
    bench.click("PowerOn");
    QCOMPARE(bench.calls("MeasureVdd"), QStringList{"MeasureVdd(3)"});
    QCOMPARE(bench.calls("DAC_calibration"), QStringList{"DAC_calibration(3)"});
    QVERIFY(bench.calls("GetAngle").isEmpty());
    QCOMPARE(buttonStates(bench), QString("A E B D P D"));
    bench.forgetCalls();
    bench.device->script().answerOnce("GetAngle", {40.0, 50.0, 140.0, 150.0});
    bench.click("SetpointA");
    QCOMPARE(bench.calls(), (QStringList{"GetAngle(0)", "GetAngle(1)"}));
    QCOMPARE(buttonStates(bench), QString("A D B E P D"));
    bench.click("SetpointB");
    QCOMPARE(bench.calls("ProgramDevice"), (QStringList{"ProgramDevice(0)", "ProgramDevice(1)"}));
    QCOMPARE(buttonStates(bench), QString("A D B D P E"));
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void eachPartKeepsItsOwnSettings() {
    // Refused entries are emptied or limited without a word, in their own part.
    WindowBench bench("/3");
    connectWithLevels(bench);
    const std::tuple<const char*, const char*, const char*> entries[] = {{"clamphigh(1)", "120", "100.00"},
                                                                         {"clamplow(1)", "7", "7.00"},
                                                                         {"Angle(3)", "abc", ""},
                                                                         {"Level(2)", "-5", "0.00"},
                                                                         {"Level(2)", "30", "30.00"}};
    for (const auto& [name, typed, shown] : entries) {
      bench.type(name, typed);
      QCOMPARE(bench.text(name), QString(shown));
    }
    QCOMPARE(bench.op.messages, QStringList{});
    QCOMPARE(bench.text("clamphigh(0)"), QString("95.00"));
    bench.control<QCheckBox>("clockwise(1)")->setChecked(true);
    teachBoth(bench, {40, 150}, {140, 50});
    // Part#2 goes clockwise from 150 to 50: its points reach the solver exchanged.
    QCOMPARE(
        bench.calls("SetSolverSetting").mid(11, 7),
        (QStringList{"SetSolverSetting(1, 1, 7, 1)", "SetSolverSetting(1, 2, 100, 1)", "SetSolverSetting(1, 3, 330, 1)",
                     "SetSolverSetting(1, 4, 80, 1)", "SetSolverSetting(1, 8, 50, 1)", "SetSolverSetting(1, 5, 30, 1)",
                     "SetSolverSetting(1, 9, 150, 1)"}));
    QCOMPARE(bench.calls("SetSolverSetting").mid(3, 2),
             (QStringList{"SetSolverSetting(0, 4, 10, 1)", "SetSolverSetting(0, 8, 40, 1)"}));
    QCOMPARE(bench.state.PartClockwise[0], rx41::kFalse16);
    QCOMPARE(bench.state.PartClockwise[1], rx41::kTrue16);
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void aFailingPartStopsThePair() {
    struct Case {
      const char* name;
      std::function<void(WindowBench&)> arrange;
      std::pair<double, double> pointA, pointB;
      QStringList messages;  // the first messages shown
      QStringList copies;    // the solver copies made
      QString emptied;       // a level emptied by the rules
    };
    const Case cases[] = {
        {"equal rounded angles of Part#2",
         [](WindowBench&) {},
         {40, 10.4},
         {140, 10.2},
         {"Rules: Wrong in configure 2 points!", kNotTwoPoints},
         {},
         {}},
        {"equal rounded levels of Part#2",
         [](WindowBench& b) { b.type("Level(3)", "20.4"); },
         {40, 40},
         {140, 140},
         {"Please noted: Part#2-Level#0 is the same as Part#2-Level#1 !", kNotTwoPoints},
         {},
         "Level(3)"},
        {"copy of Part#2",
         [](WindowBench& b) {
           b.device->script().answerOnce("CopySolverSettingsToParameters", {0, 4});
         },
         {40, 40},
         {140, 140},
         {"Die2: Clamp High <= Clamp Low!"},
         {"CopySolverSettingsToParameters(0)", "CopySolverSettingsToParameters(1)"},
         {}},
        {"copy of Part#1",
         [](WindowBench& b) { b.device->script().answerOnce("CopySolverSettingsToParameters", {2}); },
         {40, 40},
         {140, 140},
         {"Error in WriteBufferToDevice!"},
         {"CopySolverSettingsToParameters(0)"},
         {}},
    };
    for (const Case& c : cases) {
      WindowBench bench("/3");
      connectWithLevels(bench);
      c.arrange(bench);
      teachBoth(bench, c.pointA, c.pointB);
      QVERIFY2(bench.op.messages.mid(0, c.messages.size()) == c.messages, c.name);
      QVERIFY2(bench.calls("CopySolverSettingsToParameters") == c.copies, c.name);
      // Only the preparation stored the EEPROMs.
      QVERIFY2(bench.calls("ProgramDevice").size() == 2, c.name);
      QVERIFY2(callsAfterTheSettings(bench).mid(c.copies.size()) == kPairPowerOff, c.name);
      if (!c.emptied.isEmpty()) QVERIFY2(bench.text(c.emptied).isEmpty(), c.name);
      QCOMPARE(buttonStates(bench), QString("A E B D P -"));
    }
  }

  // A store cannot be undone: the pair stops at the first failed one, and the
  // operator learns which part holds the new settings.
  void aPairStopsAtItsFirstFailedStore() {
    const struct {
      QList<double> results;  // ProgramDevice of the configured store
      QString message;
      int stores;
    } cases[] = {{{2}, "Part#1 failed in programming device; Part#2 not programmed", 1},
                 {{0, 2}, "Part#1 programmed; Part#2 failed in programming device", 2}};
    for (const auto& c : cases) {
      WindowBench bench("/3");
      connectWithLevels(bench);
      bench.device->script().answerOnce("ProgramDevice", {0, 0});  // the preparation's
      for (const double result : c.results) bench.device->script().answerOnce("ProgramDevice", {result});
      teachBoth(bench, {40, 40}, {140, 140});
      QCOMPARE(bench.op.messages, QStringList{c.message});
      QCOMPARE(bench.calls("ProgramDevice").size(), 2 + c.stores);
    }
  }

  void clampOrderOfOnePartIsToldOnceAndNothingReachesTheChips() {
    WindowBench bench("/3");
    connectWithLevels(bench);
    bench.type("clamphigh(1)", "30");
    bench.type("clamplow(1)", "60");
    bench.device->script().answerOnce("GetAngle", {40.0, 40.0, 140.0, 140.0});
    bench.click("SetpointA");
    bench.forgetCalls();
    bench.click("SetpointB");
    QCOMPARE(bench.op.messages.size(), 1);
    QCOMPARE(bench.calls(), QStringList({"GetAngle(0)", "GetAngle(1)"}) + kPairPowerOff);
  }

  void preparationStopsWhenEitherChipIsUnusable() {
    WindowBench bench("/3");
    bench.healthyChip();
    bench.device->script().answerOnce("MemRead", {0x31, 0xF3});
    bench.connect();
    bench.device->script().answerOnce("GetAngle", {40.0, 50.0});
    bench.click("SetpointA");
    QCOMPARE(bench.op.messages,
             (QStringList{"OWI communication is locked: F3", "Please Reset hardware and try again!"}));
    QVERIFY(bench.calls("ClearSolverSettings").isEmpty());
    QCOMPARE(bench.calls("Customized_PowerOff"), (QStringList{"Customized_PowerOff(0)", "Customized_PowerOff(1)"}));
    // No angle is read from chips the preparation powered off; Set point A is offered again.
    QVERIFY(bench.calls("GetAngle").isEmpty());
    QVERIFY(bench.enabled("SetpointA"));
    QVERIFY(!bench.enabled("SetpointB"));
  }

  void getDpReadsBothParts() {
    WindowBench bench("/3");
    bench.healthyChip();
    bench.connect();
    bench.forgetCalls();
    bench.device->script().answerOnce("GetAngle", {300.5, 10.0});
    bench.click("GetDP");
    QCOMPARE(bench.calls(), (QStringList{"Customized_PowerOn(0)", "Customized_PowerOn(1)", "Customized_EnterOWI(3)",
                                         "GetAngle(0)", "GetAngle(1)"}));
    QCOMPARE(bench.text("DP(0)"), QString("120.50"));
    QCOMPARE(bench.text("DP(1)"), QString("190.00"));
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void plotsBothPartsInTheirColours() {
    WindowBench bench("/3");
    connectWithLevels(bench, {"20", "80", "80", "20"});
    teachBoth(bench, {100, 100}, {200, 200});
    for (std::int16_t part = 0; part < 2; ++part) {
      const std::int16_t levelA = part == 0 ? 20 : 80, levelB = part == 0 ? 80 : 20;
      const rx41::CurveTables expected =
          rx041::test::expectedCurveTables({.part = part, .points = {{100, levelA}, {200, levelB}}, .dp = 280});
      QVERIFY(rx041::test::sameCurve(expected, bench.state, part));
    }

    auto* plot = bench.control<rx41::CurvePlot>("Picture1");
    bench.window->resize(1400, 800);
    bench.window->show();
    using rx041::test::drawnNear;
    const QColor green(0, 255, 0), red(255, 0, 0);
    QVERIFY(drawnNear(*plot, 125, 35, green));
    QVERIFY(drawnNear(*plot, 125, 65, red));
    QVERIFY(!drawnNear(*plot, 125, 65, green));
    QVERIFY(!drawnNear(*plot, 125, 35, red));
  }
};

RX041_QT_TEST(PairWindowTest)
#include "pair_window_test.moc"
