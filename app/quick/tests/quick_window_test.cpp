// The quick 2-points window on the recording device: start-up, connect, the
// teach-in flows and their button states, the rules of two-point
// configuration, the solver settings and the plot.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QTest>

#include "qt_test_main.h"
#include "quick_window_fixture.h"
#include "rx41/core/curve_plot.h"
#include "rx41/core/wait_form.h"

using quick_test::buttonStates;
using quick_test::WindowBench;
using rx041::com::VarType;

namespace {

const QString kNotTwoPoints = QStringLiteral("Error: Not 2 points Mode!");

// Connect, Set point A at angleA, Set point B at angleB with the levels typed
// in between; the window without the power button.
void teachCycle(WindowBench& bench, double angleA, double angleB, const QString& levelA = "10",
                const QString& levelB = "90") {
  bench.device->script().answerOnce("GetAngle", {angleA, angleB});
  bench.click("SetpointA");
  bench.type("Level(0)", levelA);
  bench.type("Level(1)", levelB);
  bench.click("SetpointB");
}

}  // namespace

class QuickWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsOfflineWithTheDesignTimeControls() {
    WindowBench bench;
    const std::pair<const char*, const char*> captions[] = {{"clamplow", "5.00"},
                                                            {"clamphigh", "95.00"},
                                                            {"DP", "260.00"},
                                                            {"clockwise", "clockwise"},
                                                            {"GetDP", "Get DP Mid Point"},
                                                            {"Angle(0)", ""},
                                                            {"Angle(1)", ""},
                                                            {"Level(0)", ""},
                                                            {"Level(1)", ""},
                                                            {"SetpointA", "Set point A"},
                                                            {"SetpointB", "Set point B"},
                                                            {"PartSel", "Part#1"}};
    for (const auto& [name, caption] : captions) QCOMPARE(bench.text(name), QString(caption));
    QCOMPARE(bench.control<QGroupBox>("PartFrame(0)")->title(), QString("Part Configuration"));
    QCOMPARE(bench.control<QGroupBox>("Frame2")->title(), QString("2 Points"));
    QVERIFY(bench.control<rx41::CurvePlot>("Picture1"));
    QVERIFY(!bench.control("PowerOn"));
    QCOMPARE(bench.control<QComboBox>("PartSel")->count(), 2);
    QCOMPARE(bench.control<QComboBox>("PartSel")->itemText(1), QString("Part#2"));
    QStringList labels;
    for (auto* label : bench.window->findChildren<QLabel*>()) labels << label->text();
    for (const char* label : {"Clamp Low (%VDD)", "Clamp High (%VDD)", "DP (deg)", "Angle A (deg)", "Angle B (deg)",
                              "Level A [%VDD]", "Level B [%VDD]"})
      QVERIFY2(labels.contains(label), label);
    QCOMPARE(buttonStates(bench), QString("A D B D P -"));
  }

  void buttonStatesThroughAWholeCycle() {
    WindowBench bench;
    bench.healthyChip();
    bench.connect();
    QCOMPARE(bench.text("connect"), QString("Disconnect"));
    QCOMPARE(buttonStates(bench), QString("A E B D P -"));
    QCOMPARE(bench.calls("ConnectChannel"), QStringList{"ConnectChannel(3)"});

    bench.forgetCalls();
    bench.device->script().answerOnce("GetAngle", {40.0});
    bench.click("SetpointA");
    QCOMPARE(bench.calls(),
             (QStringList{"Customized_PowerOn(0)", "Customized_SetADCMode(0)", "MeasureVdd(0)",
                          "Customized_EnterOWI(0)", "MemRead(0, 72)", "ClearSolverSettings(0)", "ProgramDevice(0)",
                          "Customized_EnterOWI(0)", "DAC_calibration(0)", "GetAngle(0)"}));
    QCOMPARE(bench.text("Angle(0)"), QString("40.00"));
    QCOMPARE(bench.text("DP"), QString("220.00"));
    QCOMPARE(buttonStates(bench), QString("A D B E P -"));

    bench.device->script().answerOnce("GetAngle", {140.0});
    bench.type("Level(0)", "10");
    bench.type("Level(1)", "90");
    bench.forgetCalls();
    bench.click("SetpointB");
    QCOMPARE(bench.op.messages, QStringList{});
    QCOMPARE(bench.text("Angle(1)"), QString("140.00"));
    const QStringList afterSettings =
        bench.calls().mid(bench.calls().lastIndexOf(QRegularExpression("SetSolver.*")) + 1);
    QCOMPARE(afterSettings,
             (QStringList{"CopySolverSettingsToParameters(0)", "ProgramDevice(0)", "Customized_EnterOWI(0)",
                          "Customized_PowerOff(0)", "Customized_SetADCMode(0)", "Customized_Mode0V(0)"}));
    QCOMPARE(buttonStates(bench), QString("A E B D P -"));
    QCOMPARE(bench.state.ChipState[0], rx41::kPowerOff);

    bench.click("connect");
    QCOMPARE(bench.text("connect"), QString("Connect"));
    QCOMPARE(buttonStates(bench), QString("A D B D P -"));
    QVERIFY(!bench.state.Device);
  }

  void powerButtonVariantMovesThePreparation() {
    WindowBench bench("/4");
    bench.healthyChip();
    QCOMPARE(bench.text("PowerOn"), QString("Power On"));
    QCOMPARE(buttonStates(bench), QString("A D B D P D"));
    bench.connect();
    QCOMPARE(buttonStates(bench), QString("A D B D P E"));

    bench.click("PowerOn");
    QCOMPARE(bench.calls("DAC_calibration"), QStringList{"DAC_calibration(0)"});
    QVERIFY(bench.calls("GetAngle").isEmpty());
    QCOMPARE(buttonStates(bench), QString("A E B D P D"));

    bench.forgetCalls();
    bench.device->script().answerOnce("GetAngle", {40.0, 140.0});
    bench.click("SetpointA");
    QCOMPARE(bench.calls(), QStringList{"GetAngle(0)"});
    QCOMPARE(buttonStates(bench), QString("A D B E P D"));
    bench.type("Level(0)", "10");
    bench.type("Level(1)", "90");
    bench.click("SetpointB");
    QCOMPARE(bench.calls("ProgramDevice"), QStringList{"ProgramDevice(0)"});
    QCOMPARE(buttonStates(bench), QString("A D B D P E"));
    QCOMPARE(bench.op.messages, QStringList{});

    bench.click("connect");
    QCOMPARE(buttonStates(bench), QString("A D B D P D"));
  }

  void teachAngleSetsTheOppositeDp() {
    const std::pair<double, const char*> cases[] = {
        {180.0, "0.00"}, {179.99, "359.99"}, {10.0, "190.00"}, {359.984375, "179.98"}};
    for (const auto& [angle, dp] : cases) {
      WindowBench bench;
      bench.healthyChip();
      bench.connect();
      bench.device->script().answerOnce("GetAngle", {angle});
      bench.click("SetpointA");
      QCOMPARE(bench.text("DP"), QString(dp));
    }
  }

  void getDpReadsTheLiveAngleInOwiMode() {
    WindowBench bench;
    bench.healthyChip();
    bench.connect();
    bench.forgetCalls();
    bench.device->script().answerOnce("GetAngle", {300.5});
    bench.click("GetDP");
    QCOMPARE(bench.calls(), (QStringList{"Customized_PowerOn(0)", "Customized_EnterOWI(0)", "GetAngle(0)"}));
    QCOMPARE(bench.text("DP"), QString("120.50"));
    QCOMPARE(bench.text("Angle(0)"), QString(""));
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void equalRoundedAnglesAreRefused() {
    WindowBench bench;
    bench.healthyChip();
    bench.connect();
    teachCycle(bench, 10.4, 10.2);
    // The curve of the refused points then reports its own trouble.
    QCOMPARE(bench.op.messages.mid(0, 2), (QStringList{"Rules: Wrong in configure 2 points!", kNotTwoPoints}));
    QVERIFY(bench.calls("SetSolverSetting").isEmpty());
    QVERIFY(bench.calls("CopySolverSettingsToParameters").isEmpty());
  }

  void equalRoundedLevelsEmptyLevelB() {
    WindowBench bench;
    bench.healthyChip();
    bench.connect();
    teachCycle(bench, 40, 140, "50.4", "49.6");
    QCOMPARE(bench.op.messages.mid(0, 2),
             (QStringList{"Please noted: Part#1-Level#0 is the same as Part#1-Level#1 !", kNotTwoPoints}));
    QCOMPARE(bench.text("Level(1)"), QString(""));
    QVERIFY(bench.calls("SetSolverSetting").isEmpty());
  }

  void missingLevelsAndAnglesAreNamed() {
    WindowBench bench;
    bench.healthyChip();
    bench.connect();
    teachCycle(bench, 40, 140, "10", "");
    QCOMPARE(bench.op.messages.mid(0, 2), (QStringList{"Please noted: Part#1-Level#1 is Empty!", kNotTwoPoints}));

    WindowBench second;
    second.healthyChip();
    second.connect();
    second.control<QComboBox>("PartSel")->setCurrentIndex(1);
    teachCycle(second, 40, 140, "", "90");
    QCOMPARE(second.op.messages.mid(0, 2), (QStringList{"Please noted: Part#2-Level#0 is Empty!", kNotTwoPoints}));
  }

  void clampHighEqualToClampLowSendsNothing() {
    WindowBench bench;
    bench.healthyChip();
    bench.connect();
    bench.type("clamphigh", "40");
    bench.type("clamplow", "40");
    bench.device->script().answerOnce("GetAngle", {40.0, 140.0});
    bench.click("SetpointA");
    bench.type("Level(0)", "10");
    bench.type("Level(1)", "90");
    bench.forgetCalls();
    bench.click("SetpointB");
    QCOMPARE(bench.op.messages,
             QStringList{"Please noted: Clamp HIGH Setting is not greater than Clamp LOW Setting! Stopping... "
                         "Please try again!"});
    QCOMPARE(bench.calls(), (QStringList{"GetAngle(0)", "Customized_PowerOff(0)", "Customized_SetADCMode(0)",
                                         "Customized_Mode0V(0)"}));
  }

  // A preparation that stopped powered the chip off: no angle is read from it,
  // and Set point A stays offered for another try.
  void aFailedPreparationReadsNoAngle() {
    WindowBench bench;
    bench.healthyChip();
    bench.device->script().answer("MeasureVdd", -101.0);
    bench.connect();
    bench.click("SetpointA");
    QVERIFY(bench.calls("MemRead").isEmpty());
    QVERIFY(bench.calls("GetAngle").isEmpty());
    QCOMPARE(bench.calls("Customized_PowerOff"), QStringList{"Customized_PowerOff(0)"});
    QCOMPARE(bench.text("Angle(0)"), QString());
    QCOMPARE(buttonStates(bench), QString("A E B D P -"));
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void elevenSolverSettingsInOrderWithTheirKinds() {
    WindowBench bench;
    bench.healthyChip();
    bench.connect();
    bench.type("DP", "222.5");
    teachCycle(bench, 40, 140, "10.25", "90");
    // DP comes from point A's angle, not from what was typed before.
    QCOMPARE(bench.calls("SetSolverSetting"),
             (QStringList{
                 "SetSolverSetting(0, 1, 5, 1)", "SetSolverSetting(0, 2, 95, 1)", "SetSolverSetting(0, 3, 220, 1)",
                 "SetSolverSetting(0, 4, 10.25, 1)", "SetSolverSetting(0, 8, 40, 1)", "SetSolverSetting(0, 5, 90, 1)",
                 "SetSolverSetting(0, 9, 140, 1)", "SetSolverSetting(0, 6, 0, 1)", "SetSolverSetting(0, 10, 140, 1)",
                 "SetSolverSetting(0, 7, 0, 1)", "SetSolverSetting(0, 11, 140, 1)"}));
    std::vector<VarType> kinds;
    for (const auto& call : bench.device->script().calls)
      if (call.member == "SetSolverSetting") kinds.push_back(call.args[2].type());
    const VarType single = VarType::R4, integer = VarType::I2;
    QVERIFY(kinds ==
            (std::vector{single, single, single, single, single, single, single, integer, single, integer, single}));
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void clockwiseHandsPointAToTheSolverAsPointB() {
    WindowBench bench;
    bench.healthyChip();
    bench.connect();
    bench.control<QComboBox>("PartSel")->setCurrentIndex(1);
    bench.control<QCheckBox>("clockwise")->setChecked(true);
    teachCycle(bench, 140, 40, "90", "10");
    QCOMPARE(bench.calls("SetSolverSetting").mid(3),
             (QStringList{"SetSolverSetting(1, 4, 10, 1)", "SetSolverSetting(1, 8, 40, 1)",
                          "SetSolverSetting(1, 5, 90, 1)", "SetSolverSetting(1, 9, 140, 1)",
                          "SetSolverSetting(1, 6, 0, 1)", "SetSolverSetting(1, 10, 140, 1)",
                          "SetSolverSetting(1, 7, 0, 1)", "SetSolverSetting(1, 11, 140, 1)"}));
    // The curve keeps the taught order and runs toward decreasing angles.
    QCOMPARE(bench.state.PartClockwise[1], rx41::kTrue16);
    QCOMPARE(bench.state.Points[1][0][0], 140);
    QCOMPARE(bench.state.Points[1][1][0], 40);
    QCOMPARE(bench.calls("CopySolverSettingsToParameters"), QStringList{"CopySolverSettingsToParameters(1)"});
  }

  void preparationStopsOnAnUnusableChip() {
    const std::pair<double, QStringList> cases[] = {
        {0xF3, {"OWI communication is locked: F3", "Please Reset hardware and try again!"}},
        {511,
         {"Part#1 does not answer: check that the chip is in its socket", "Please Reset hardware and try again!"}}};
    for (const auto& [chipid, messages] : cases) {
      WindowBench bench;
      bench.healthyChip();
      bench.device->script().answer("MemRead", chipid);
      bench.connect();
      bench.device->script().answerOnce("GetAngle", {40.0});
      bench.click("SetpointA");
      QCOMPARE(bench.op.messages, messages);
      QVERIFY(bench.calls("ClearSolverSettings").isEmpty());
      QCOMPARE(bench.calls("Customized_PowerOff"), QStringList{"Customized_PowerOff(0)"});
      QVERIFY(bench.calls("GetAngle").isEmpty());
    }
  }

  void clearAndStoreFailuresAreReportedAndTheFlowGoesOn() {
    WindowBench bench;
    bench.healthyChip();
    bench.device->script().answerOnce("ClearSolverSettings", {2});
    bench.device->script().answer("ProgramDevice", 2);
    bench.connect();
    bench.click("SetpointA");
    QCOMPARE(bench.op.messages, (QStringList{"Errors in ClearSolverSettings!", "Failed in programming device"}));
    QCOMPARE(bench.calls("DAC_calibration"), QStringList{"DAC_calibration(0)"});
    bench.op.messages.clear();
    bench.type("Level(0)", "10");
    bench.type("Level(1)", "90");
    bench.device->script().answerOnce("GetAngle", {140.0});
    bench.click("SetpointB");
    QCOMPARE(bench.op.messages, QStringList{"Failed in programming device"});
    QCOMPARE(buttonStates(bench), QString("A E B D P -"));
  }

  void aFailingDeviceCallStopsThePreparation() {
    WindowBench bench;
    bench.healthyChip();
    bench.device->script().fail("ClearSolverSettings", rx041::com::E_NOTIMPL);
    bench.connect();
    bench.click("SetpointA");
    QCOMPARE(bench.op.messages, QStringList{"Method 'ClearSolverSettings' of object 'IZQ3902Solver' failed"});
    QVERIFY(bench.calls("ProgramDevice").isEmpty());
    QCOMPARE(bench.state.ChipState[0], rx41::kPowerOff);
  }

  void calibrationKeepsItsValuesAndReportsInvalidOnes() {
    WindowBench bench;
    bench.healthyChip();
    auto& script = bench.device->script();
    script.dac[0] = 0.25f;
    script.dac[1] = 7.5f;
    script.dac[2] = 0.2f;
    script.dac[3] = -9.0f;
    script.answerOnce("DAC_calibration", {-0x13});  // both values of Part#1 out of range
    bench.connect();
    bench.click("SetpointA");
    QCOMPARE(bench.op.messages, QStringList{"Offset Parameters of Part#1 are invalid! K0: 0.25 B0: 7.5"});
    QCOMPARE(bench.state.DacK[0], 0.25f);
    QCOMPARE(bench.state.DacB[0], 7.5f);
    QCOMPARE(bench.state.DacK[1], rx41::kDefaultDacK);

    // Part#2 is judged by its own bits and takes its own values.
    WindowBench second;
    second.healthyChip();
    second.device->script().dac[2] = 0.2777778f;
    second.device->script().dac[3] = 12.0f;
    second.device->script().answerOnce("DAC_calibration", {0x28});
    second.connect();
    second.control<QComboBox>("PartSel")->setCurrentIndex(1);
    second.click("SetpointA");
    QCOMPARE(second.op.messages, QStringList{"Offset Parameters of Part#2 are invalid! K1: 0.2777778 B1: 12"});
    QCOMPARE(second.state.DacB[1], 12.0f);
    QCOMPARE(second.state.DacB[0], 0.0f);
  }

  void solverCopyFailuresStopBeforeTheEeprom() {
    const std::pair<double, QStringList> cases[] = {{1, {"Chip Index Error!"}},
                                                    {2, {"Error in WriteBufferToDevice!"}},
                                                    {3, {"Die1: Clamp High <= Clamp Low!"}},
                                                    {4, {"Die2: Clamp High <= Clamp Low!"}},
                                                    {7, {}}};
    for (const auto& [result, messages] : cases) {
      WindowBench bench;
      bench.healthyChip();
      bench.device->script().answer("CopySolverSettingsToParameters", result);
      bench.connect();
      teachCycle(bench, 40, 140);
      QCOMPARE(bench.op.messages, messages);
      QCOMPARE(bench.calls("ProgramDevice").size(), 1);  // the preparation's only
      QCOMPARE(buttonStates(bench), QString("A E B D P -"));
    }
  }

  void waitWindowNamesEachStep() {
    WindowBench bench;
    bench.healthyChip();
    bench.connect();
    QCOMPARE(
        bench.waitTexts([&] { teachCycle(bench, 40, 140); }),
        (QStringList{"Getting VDD of device...  Please Wait...", "Verifying communication status... Please Wait...",
                     "Clearing Solver...  Please Wait...", "Programming EEPROM...  Please Wait...",
                     "System is self correcting... Please Wait...", "Reading angle...  Please Wait...",
                     "Configuring Solver...  Please Wait...", "Programming EEPROM...  Please Wait..."}));
    QVERIFY(!bench.window->findChild<rx41::waitform*>());
  }

  void plotsTheBuiltCurveOfTheSelectedPart() {
    WindowBench bench;
    bench.healthyChip();
    bench.connect();
    teachCycle(bench, 100, 200, "20", "80");
    const rx41::CurveTables expected =
        rx041::test::expectedCurveTables({.part = 0, .points = {{100, 20}, {200, 80}}, .dp = 280});
    QVERIFY(rx041::test::sameCurve(expected, bench.state, 0));
    QVERIFY(std::all_of(&bench.state.Curve[1][0][0], &bench.state.Curve[1][0][0] + 2 * rx41::kCurveRows,
                        [](std::int16_t v) { return v == 0; }));

    auto* plot = bench.control<rx41::CurvePlot>("Picture1");
    bench.window->resize(1400, 700);
    bench.window->show();
    QVERIFY(plot->width() >= 600);
    using rx041::test::drawnNear;
    const QColor green(0, 255, 0);
    QVERIFY(drawnNear(*plot, 125, 35, green));  // on segment A-B
    QVERIFY(drawnNear(*plot, 280, 50, green));  // the jump at DP
    QVERIFY(drawnNear(*plot, 102, 20, green));  // the circle around A
    QVERIFY(!drawnNear(*plot, 125, 55, green));
    QVERIFY(drawnNear(*plot, 55, 0, Qt::black));  // x axis

    // The other part has no curve.
    bench.control<QComboBox>("PartSel")->setCurrentIndex(1);
    QVERIFY(!drawnNear(*plot, 125, 35, green));
  }

  void screenReadersReadWhatIsShown() {
    WindowBench bench;
    bench.healthyChip();
    const auto spoken = [&](const QString& name) {
      QAccessibleInterface* control = QAccessible::queryAccessibleInterface(bench.control(name));
      return control ? control->text(QAccessible::Name) : QStringLiteral("<none>");
    };
    const auto described = [&](const QString& name) {
      return QAccessible::queryAccessibleInterface(bench.control(name))->text(QAccessible::Description);
    };
    QCOMPARE(spoken("connect"), QString("Connect"));
    QCOMPARE(spoken("Angle(1)"), QString("Angle B (deg)"));
    QCOMPARE(spoken("clamphigh"), QString("Clamp High (%VDD)"));
    QCOMPARE(spoken("clockwise"), QString("clockwise"));
    QCOMPARE(described("Angle(1)"), QString("Angle(1)"));
    QCOMPARE(described("SetpointA"), QString("SetpointA"));
    bench.connect();
    QCOMPARE(spoken("connect"), QString("Disconnect"));
  }
};

RX041_QT_TEST(QuickWindowTest)
#include "quick_window_test.moc"
