// The dual-sources window on the recording device: its controls, the field
// checks, the enabling rules through a whole operator run, and the power,
// programming, new-device, teach-in and lock flows with their refusals.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "dual_window_fixture.h"
#include "qt_test_main.h"
#include "rx41/rules/field_rules.h"

using dual_test::DualBench;

namespace {

const QString kEllipsis = QString::fromUtf8("\u2026");
const QStringList kRunControls = {
    "connect",      "PartEnable(0)", "PowerOn(0)",  "newdevice(0)",       "lineargraph(0)",
    "clamphigh(0)", "viewoutput(0)", "Setpoint(0)", "btnconfigsolver(0)", "owilock(0)",
    "Advanced(0)",  "PartEnable(1)", "PowerOn(1)"};

QString statusOf(const DualBench& bench) { return bench.control<QLabel>("status")->text(); }

}  // namespace

class DualWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsOfflineWithItsDesignTimeControls() {
    DualBench bench;
    const std::pair<const char*, const char*> texts[] = {{"VDD(0)", "5.000"},
                                                         {"DP(1)", "260.00"},
                                                         {"clamphigh(0)", "95.00"},
                                                         {"clamplow(1)", "5.00"},
                                                         {"hys(1)", "1.00"},
                                                         {"Rangle(0)", "360.00"},
                                                         {"Angle(7)", ""},
                                                         {"Level(2)", ""},
                                                         {"KforA(0)", ""},
                                                         {"op(1)", ""},
                                                         {"OutMode(0)", "Analog"},
                                                         {"PWMFreq(1)", "1000 Hz"},
                                                         {"PWMPolarity(0)", "high level valid"},
                                                         {"PowerOn(1)", "Power On"},
                                                         {"newdevice(0)", "New Device"},
                                                         {"btnconfigsolver(1)", "Program"},
                                                         {"GetDP(0)", "Get DP Mid Point"},
                                                         {"btnreadangle(1)", "Read Angle"},
                                                         {"Setpoint(5)", "Set point B"},
                                                         {"swobtn(0)", "Set Op"},
                                                         {"owilock(1)", "Comm Lock"},
                                                         {"viewoutput(0)", "View Output"},
                                                         {"lineargraph(1)", "Linear Graph"},
                                                         {"Advanced(0)", "Advanced"},
                                                         {"hysup(0)", "+"},
                                                         {"hysdown(1)", "-"},
                                                         {"PartEnable(1)", "Enable Part #2"},
                                                         {"clockwise(0)", "clockwise"},
                                                         {"Kpolarity(1)", "Polarity"}};
    for (const auto& [name, text] : texts) QCOMPARE(bench.text(name), QString(text));
    QCOMPARE(bench.control<QGroupBox>("PartFrame(1)")->title(), QString("Part #2"));
    QCOMPARE(statusOf(bench), QString("Ready: Offline Mode -- Part#1: Power Off -- Part#2: Power Off"));
    QCOMPARE(bench.control<QComboBox>("PWMFreq(0)")->count(), 4);
    QStringList labels;
    for (auto* label : bench.window->findChildren<QLabel*>()) labels << label->text();
    for (const char* label :
         {"Fill All Angles to make 4 Points Programming!", "Leave Angle D EMPTY to make 3 Points Programming!",
          "Leave Angle C EMPTY to make 2 Points Programming!", "Fill below box to make one point + slope Programming!",
          "Slope", "%VDD/deg", "HYS (deg)", "Level D [%VDD]"})
      QVERIFY2(labels.count(label) == 2, label);
    QCOMPARE(bench.control("Angle(6)")->accessibleName(), QString("Part#2 Angle C (deg)"));
    QCOMPARE(bench.control("Setpoint(6)")->accessibleName(), QString("Part#2 Set point C"));
  }

  void leavingAFieldChecksIt_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    const QString invalid = "Input is Invalid! Restoring to default" + kEllipsis + " Please try again!";
    const QString belowZero = "Input cannot be less than 0! Using 0 instead!";
    const QString tooLarge = "Input cannot be more than or equal to 360! Using 359.99 instead!";
    QTest::newRow("dp360") << "DP(0)"
                           << "360"
                           << "359.99"
                           << "Part#1: : DP Input cannot be more than or equal to 360! Using 359.99 instead!";
    QTest::newRow("dpNegative") << "DP(1)"
                                << "-5"
                                << "0"
                                << "Part#2: : DP Input cannot be less than 0! Using 0 instead!";
    QTest::newRow("dpText") << "DP(0)"
                            << "abc"
                            << "260.00"
                            << "Part#1: : DP Input is Invalid! Restoring to default" + kEllipsis + " Please try again!";
    QTest::newRow("clampHigh150") << "clamphigh(0)"
                                  << "150"
                                  << "100.00"
                                  << "";
    QTest::newRow("clampLow150") << "clamplow(1)"
                                 << "150"
                                 << "100"
                                 << "";
    QTest::newRow("clampHighNegative") << "clamphigh(1)"
                                       << "-1"
                                       << "0"
                                       << "";
    QTest::newRow("clampLowText") << "clamplow(0)"
                                  << "x"
                                  << "5.00"
                                  << "Part#1: : Clamp Low Input is Invalid! Restoring to default" + kEllipsis +
                                         " Please try again!";
    QTest::newRow("angleLowerCaseE") << "Angle(6)"
                                     << "1e2"
                                     << ""
                                     << "Part#2: Angle C " + invalid;
    QTest::newRow("angleEmpty") << "Angle(1)"
                                << ""
                                << ""
                                << "";
    QTest::newRow("angleNegative") << "Angle(3)"
                                   << "-1"
                                   << "0"
                                   << "Part#1: Angle D " + belowZero;
    QTest::newRow("angleKeepsTwoDecimals") << "Angle(0)"
                                           << "123.456"
                                           << "123.46"
                                           << "";
    QTest::newRow("levelNegative") << "Level(5)"
                                   << "-3"
                                   << "0.00"
                                   << "";
    QTest::newRow("level101") << "Level(0)"
                              << "101"
                              << "100.00"
                              << "";
    QTest::newRow("levelText") << "Level(4)"
                               << "x"
                               << ""
                               << "Part#2: Level A " + invalid;
    QTest::newRow("negativeSlope") << "KforA(1)"
                                   << "-2.5"
                                   << "-2.5000"
                                   << "";
    QTest::newRow("op400") << "op(0)"
                           << "400"
                           << "359.99"
                           << "Part#1: OP  " + tooLarge;
    QTest::newRow("hys16") << "hys(1)"
                           << "16"
                           << "15.75"
                           << "";
    QTest::newRow("hys3.3") << "hys(0)"
                            << "3.3"
                            << "3.25"
                            << "";
    QTest::newRow("hys3.375") << "hys(0)"
                              << "3.375"
                              << "3.50"
                              << "";
    QTest::newRow("hys0.1") << "hys(0)"
                            << "0.1"
                            << "0.00"
                            << "";
    QTest::newRow("hysText") << "hys(1)"
                             << "x"
                             << ""
                             << "Part#2: HYS  " + invalid;
    QTest::newRow("vdd") << "VDD(0)"
                         << "4.9"
                         << "4.900"
                         << "";
    QTest::newRow("vddText") << "VDD(1)"
                             << "x"
                             << "x"
                             << "";
    QTest::newRow("readAngle") << "Rangle(1)"
                               << "12"
                               << "12.00"
                               << "";
  }

  void leavingAFieldChecksIt() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    DualBench bench;
    bench.type(field, typed);
    QCOMPARE(bench.text(field), shown);
    QCOMPARE(bench.op.messages, message.isEmpty() ? QStringList{} : QStringList{message});
  }

  void hysteresisButtonsStepByQuarters_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("upToTheTop") << "hysup(0)"
                                << "15.6"
                                << "15.75";
    QTest::newRow("downToZero") << "hysdown(1)"
                                << "0.1"
                                << "0";
    QTest::newRow("upShortest") << "hysup(0)"
                                << "1.75"
                                << "2";
    QTest::newRow("upFromQuarter") << "hysup(1)"
                                   << "1"
                                   << "1.25";
    QTest::newRow("emptyCountsAsZero") << "hysup(0)"
                                       << ""
                                       << "0.25";
    QTest::newRow("textCountsAsZero") << "hysdown(0)"
                                      << "abc"
                                      << "0";
    // A loaded text beyond the chip's range comes back into it from either side.
    QTest::newRow("downFromBeyondTheTop") << "hysdown(0)"
                                          << "20"
                                          << "15.75";
    QTest::newRow("upFromBelowZero") << "hysup(1)"
                                     << "-3"
                                     << "0";
  }

  void hysteresisButtonsStepByQuarters() {
    QFETCH(QString, button);
    QFETCH(QString, before);
    QFETCH(QString, after);
    DualBench bench;
    const QString field = "hys(" + button.section('(', 1);
    bench.connectAndPowerOn(field == "hys(1)" ? 1 : 0);
    bench.control<QLineEdit>(field)->setText(before);
    bench.control<QAbstractButton>(button)->click();
    QCOMPARE(bench.text(field), after);
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void outputModeEnablesThePwmLists() {
    DualBench bench;
    bench.connectAndPowerOn(1);
    auto* outMode = bench.control<QComboBox>("OutMode(1)");
    bench.control<QComboBox>("PWMFreq(1)")->setCurrentIndex(3);
    outMode->setCurrentIndex(1);
    QCOMPARE(bench.states({"PWMFreq(1)", "PWMPolarity(1)", "PWMFreq(0)"}), QString("E E D"));
    outMode->setCurrentIndex(0);
    QCOMPARE(bench.states({"PWMFreq(1)", "PWMPolarity(1)"}), QString("D D"));
  }

  void controlsFollowTheStatesThroughARun() {
    DualBench bench;
    bench.healthyChip();
    QCOMPARE(bench.states(kRunControls), QString("E D D D D D D D D D D D D"));

    bench.connect();
    QCOMPARE(statusOf(bench), QString("Ready: Connected with Programmer -- Part#1: Power Off -- Part#2: Power Off"));
    QCOMPARE(bench.states(kRunControls), QString("E E D D D D D D D D D E D"));

    bench.control<QCheckBox>("PartEnable(0)")->setChecked(true);
    QCOMPARE(bench.states(kRunControls), QString("E E E E E D D D D D D E D"));

    bench.click("PowerOn(0)");
    QCOMPARE(bench.text("PowerOn(0)"), QString("Power Off"));
    QCOMPARE(bench.text("VDD(0)"), QString("5.000"));
    QCOMPARE(statusOf(bench), QString("Ready: Connected with Programmer -- Part#1: OWI Mode -- Part#2: Power Off"));
    QCOMPARE(bench.states(kRunControls), QString("D E E E E E E E E E E E D"));

    bench.control<QCheckBox>("PartEnable(1)")->setChecked(true);
    bench.click("PowerOn(1)");
    bench.click("PowerOn(0)");
    QCOMPARE(bench.text("PowerOn(0)"), QString("Power On"));
    QCOMPARE(statusOf(bench), QString("Ready: Connected with Programmer -- Part#1: Power Off -- Part#2: OWI Mode"));
    QCOMPARE(bench.states({"connect", "clamphigh(0)", "clamphigh(1)", "Setpoint(4)"}), QString("D D E E"));
    bench.click("PowerOn(1)");
    QCOMPARE(bench.states({"connect", "clamphigh(1)"}), QString("E D"));

    bench.click("connect");
    QCOMPARE(bench.text("connect"), QString("Connect"));
    QCOMPARE(statusOf(bench), QString("Ready: Offline Mode -- Part#1: Power Off -- Part#2: Power Off"));
    QCOMPARE(bench.states(kRunControls), QString("E D D D D D D D D D D D D"));
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void powerOnMeasuresAndIdentifies() {
    DualBench bench;
    bench.connectAndPowerOn(1);
    bench.click("PowerOn(1)");
    bench.forgetCalls();
    bench.device->script().answerOnce("MeasureVdd", {4.8});
    bench.click("PowerOn(1)");
    QCOMPARE(bench.calls(), (QStringList{"Customized_PowerOn(1)", "Customized_SetADCMode(1)", "MeasureVdd(1)",
                                         "Customized_EnterOWI(1)", "MemRead(1, 72)"}));
    QCOMPARE(bench.text("VDD(1)"), QString("4.800"));
    QCOMPARE(bench.text("VDD(0)"), QString("5.000"));
    bench.click("PowerOn(1)");

    // No supply: powered off again without a word.
    bench.device->script().answerOnce("MeasureVdd", {-101.0});
    bench.click("PowerOn(1)");
    QCOMPARE(bench.state.ChipState[1], rx41::kPowerOff);
    QCOMPARE(bench.text("PowerOn(1)"), QString("Power On"));
    QCOMPARE(bench.text("VDD(1)"), QString("4.800"));
    QCOMPARE(bench.op.messages, QStringList{});

    // The supply is shown once measured, even when the identification read then fails.
    bench.device->script().answerOnce("MeasureVdd", {4.9});
    bench.device->script().fail("MemRead", rx041::com::E_FAIL);
    bench.click("PowerOn(1)");
    QCOMPARE(bench.text("VDD(1)"), QString("4.900"));
  }

  void aLockedChipKeepsItsTeachAndProgramButtonsDisabled() {
    DualBench bench;
    bench.device->script().answerOnce("MemRead", {0x31, 0xF5});
    bench.connectAndPowerOn(0);
    bench.control<QCheckBox>("PartEnable(1)")->setChecked(true);
    bench.click("PowerOn(1)");
    QCOMPARE(bench.op.messages,
             (QStringList{"OWI communication is locked: F5", "Please Reset hardware and try again!"}));
    QCOMPARE(bench.state.ChipState[1], rx41::kPowerOff);
    QCOMPARE(bench.text("PowerOn(1)"), QString("Power On"));
    QCOMPARE(bench.state.CommLocked[1], rx41::kTrue16);

    bench.op.messages.clear();
    bench.click("PowerOn(1)");
    QCOMPARE(bench.op.messages, QStringList{"Failed to set OWI mode due to CommLock!...Return to ADC mode!"});
    QCOMPARE(bench.state.ChipState[1], rx41::kAdcMode);
    QCOMPARE(bench.states({"clamphigh(1)", "viewoutput(1)", "Setpoint(4)", "btnconfigsolver(1)", "owilock(1)",
                           "Advanced(1)", "Setpoint(0)"}),
             QString("E E D D D D E"));
  }

  void programSendsTheSettingsThenStores() {
    DualBench bench;
    bench.connectAndPowerOn(0);
    bench.typeTwoPoints(0);
    bench.type("DP(0)", "123.456");
    bench.type("op(0)", "90");
    bench.type("hys(0)", "2");
    bench.control<QCheckBox>("Kpolarity(0)")->setChecked(true);
    bench.control<QComboBox>("OutMode(0)")->setCurrentIndex(1);
    bench.control<QComboBox>("PWMFreq(0)")->setCurrentIndex(2);
    bench.control<QComboBox>("PWMPolarity(0)")->setCurrentIndex(1);
    const QStringList waits = bench.waitTexts([&] { bench.click("btnconfigsolver(0)"); });
    QCOMPARE(bench.op.messages, QStringList{});
    QCOMPARE(waits, (QStringList{"Configuring Solver...  Please Wait...", "Programming EEPROM...  Please Wait..."}));
    QCOMPARE(bench.calls(),
             (QStringList{
                 "SetSolverSetting(0, 1, 5, 0)", "SetSolverSetting(0, 2, 95, 0)", "SetSolverSetting(0, 3, 123.456, 0)",
                 "SetSolverSetting(0, 4, 10, 0)", "SetSolverSetting(0, 8, 40, 0)", "SetSolverSetting(0, 5, 90, 0)",
                 "SetSolverSetting(0, 9, 140, 0)", "SetSolverSetting(0, 6, 0, 0)", "SetSolverSetting(0, 10, 140, 0)",
                 "SetSolverSetting(0, 7, 0, 0)", "SetSolverSetting(0, 11, 140, 0)", "SetSolverSetting(0, 12, 90, 0)",
                 "SetSolverSetting(0, 13, 2, 0)", "SetSolverSetting(0, 14, 1, 0)", "CopySolverSettingsToParameters(0)",
                 "PWM_mode(0, 1, 2, 1)", "ProgramDevice(0)", "Customized_EnterOWI(0)"}));

    // Analog output without an operating point: offset flag 1, no switch settings.
    bench.control<QComboBox>("OutMode(0)")->setCurrentIndex(0);
    bench.type("op(0)", "");
    bench.forgetCalls();
    bench.click("btnconfigsolver(0)");
    const QStringList settings = bench.calls("SetSolverSetting");
    QCOMPARE(settings.size(), 11);
    QCOMPARE(settings.filter(QRegularExpression(", 1\\)$")).size(), 11);
    QVERIFY(bench.calls("PWM_mode").contains("PWM_mode(0, 0, 2, 1)"));
  }

  void refusalsStopBeforeTheStore_data() {
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("stores");
    QTest::newRow("pointRule") << "Level(1)="
                               << QStringList{"Please noted: Part#1-Level#1 is Empty!",
                                              "Error Config Solver in programee_click"}
                               << 0 << 0;
    QTest::newRow("clampOrder") << "clamphigh(0)=5"
                                << QStringList{QString::fromStdString(rx41::messageText(rx41::MessageId::ClampOrder))}
                                << 0 << 0;
    QTest::newRow("copyStatus") << "CopySolverSettingsToParameters:3" << QStringList{"Die1: Clamp High <= Clamp Low!"}
                                << 1 << 0;
    QTest::newRow("outputModeNotSet") << "PWM_mode:1" << QStringList{"Failed to set output mode"} << 1 << 0;
    QTest::newRow("outputModeCallFailed")
        << "PWM_mode:fail" << QStringList{"Method 'PWM_mode' of object 'IZQ3902Device' failed"} << 1 << 0;
    QTest::newRow("storeFailed") << "ProgramDevice:2" << QStringList{"Failed in programming device"} << 1 << 1;
  }

  void refusalsStopBeforeTheStore() {
    QFETCH(QString, setUp);
    QFETCH(QStringList, messages);
    QFETCH(int, copies);
    QFETCH(int, stores);
    DualBench bench;
    bench.connectAndPowerOn(0);
    bench.typeTwoPoints(0);
    if (setUp.contains('=')) {
      bench.type(setUp.section('=', 0, 0), setUp.section('=', 1));
    } else if (setUp.endsWith(":fail")) {
      bench.device->script().fail(setUp.section(':', 0, 0).toStdString(), rx041::com::E_FAIL);
    } else {
      bench.device->script().answer(setUp.section(':', 0, 0).toStdString(), setUp.section(':', 1).toDouble());
    }
    bench.click("btnconfigsolver(0)");
    QCOMPARE(bench.op.messages, messages);
    QCOMPARE(bench.calls("CopySolverSettingsToParameters").size(), copies);
    QCOMPARE(bench.calls("ProgramDevice").size(), stores);
  }

  void newDeviceClearsStoresAndCalibrates() {
    DualBench bench;
    bench.connectAndPowerOn(0);
    bench.device->script().answer("DAC_calibration", 0x12);
    bench.device->script().dac[0] = 0.25f;
    bench.device->script().dac[1] = 7.5f;
    const QStringList waits = bench.waitTexts([&] { bench.click("newdevice(0)"); });
    QCOMPARE(waits, (QStringList{"Clearing Solver...  Please Wait...", "System is self correcting... Please Wait..."}));
    QCOMPARE(bench.calls(), (QStringList{"ClearSolverSettings(0)", "ProgramDevice(0)", "Customized_EnterOWI(0)",
                                         "DAC_calibration(0)"}));
    QCOMPARE(bench.op.messages, QStringList{"Offset Parameters of Part#1 are invalid! K0: 0.25 B0: 7.5"});
    QCOMPARE(bench.state.DacK[0], 0.25f);
    QCOMPARE(bench.state.DacB[0], 7.5f);
  }

  void teachInButtonsReadTheLiveAngle_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<double>("angle");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shown");
    QTest::newRow("dpOpposite200") << "GetDP(0)" << 200.0 << "DP(0)"
                                   << "20.00";
    QTest::newRow("dpOpposite180") << "GetDP(0)" << 180.0 << "DP(0)"
                                   << "0.00";
    QTest::newRow("dpOpposite10") << "GetDP(1)" << 10.0 << "DP(1)"
                                  << "190.00";
    QTest::newRow("pointCofPart2") << "Setpoint(6)" << 123.456 << "Angle(6)"
                                   << "123.46";
    QTest::newRow("readAngle") << "btnreadangle(0)" << 12.5 << "Rangle(0)"
                               << "12.50";
    QTest::newRow("operatingPoint") << "swobtn(1)" << 45.3 << "op(1)"
                                    << "45.30";
    // A failed register read shows up as an angle of 360 or more.
    QTest::newRow("impossibleAngle") << "Setpoint(2)" << 2051.98 << "Angle(2)"
                                     << "";
  }

  void teachInButtonsReadTheLiveAngle() {
    QFETCH(QString, button);
    QFETCH(double, angle);
    QFETCH(QString, field);
    QFETCH(QString, shown);
    DualBench bench;
    const std::int16_t part = button.contains("(1)") || button == "Setpoint(6)" ? 1 : 0;
    bench.connectAndPowerOn(part);
    bench.device->script().answerOnce("GetAngle", {angle});
    bench.click(button);
    QCOMPARE(bench.text(field), shown);
    QCOMPARE(bench.calls(), QStringList{QStringLiteral("GetAngle(%1)").arg(part)});
    QCOMPARE(bench.op.messages,
             shown.isEmpty() ? QStringList{"Read Error! Please Check chip connections!"} : QStringList{});
  }

  void displayButtonsOpenTheirWindowsForThePart() {
    DualBench bench;
    bench.connectAndPowerOn(1);
    bench.typeTwoPoints(1);
    bench.click("viewoutput(1)");
    bench.click("lineargraph(1)");
    bench.click("Advanced(1)");
    QCOMPARE(bench.op.modalWindows.mid(1),
             (QStringList{"Real Time Output Display", "Linear Graph", "Advanced Commands"}));
    QCOMPARE(bench.calls().filter(QRegularExpression("^Customized")),
             (QStringList{"Customized_QuitOWI(1)", "Customized_SetADCMode(1)", "Customized_Mode0V(1)",
                          "Customized_EnterOWI(1)"}));
    QCOMPARE(bench.calls("SetSolverSetting").size(), 11);
    rx041::test::ExpectedCurve expected;
    expected.part = 1;
    expected.points[0][0] = 40;
    expected.points[0][1] = 10;
    expected.points[1][0] = 140;
    expected.points[1][1] = 90;
    expected.points[2][0] = expected.points[3][0] = 500;
    QVERIFY(rx041::test::sameCurve(bench.state, rx041::test::expectedCurveTables(expected), 1));
    QCOMPARE(bench.op.messages, QStringList{});

    // Refused settings open no graph.
    bench.type("Level(5)", "");
    bench.click("lineargraph(1)");
    QCOMPARE(bench.op.messages, QStringList{"Please noted: Part#2-Level#1 is Empty!"});
    QCOMPARE(bench.op.modalWindows.size(), 4);
  }

  void commLockAsksThenLocksAndPowersOff() {
    DualBench bench;
    bench.connectAndPowerOn(0);
    bench.op.modalHandlers.push_back([](QDialog& confirm) { confirm.findChild<QAbstractButton*>("no")->click(); });
    bench.click("owilock(0)");
    QVERIFY(bench.calls("Commlock").isEmpty());
    QCOMPARE(bench.state.ChipState[0], rx41::kOwiMode);

    bench.device->script().answer("Commlock", 3);
    bench.op.modalHandlers.push_back([](QDialog& confirm) { confirm.findChild<QAbstractButton*>("yes")->click(); });
    bench.click("owilock(0)");
    QCOMPARE(bench.op.modalWindows, (QStringList{"Select Com port", "RX31 GUI - ZQ3902", "RX31 GUI - ZQ3902"}));
    QCOMPARE(bench.calls(), (QStringList{"Commlock(0)", "Customized_PowerOff(0)", "Customized_SetADCMode(0)",
                                         "Customized_Mode0V(0)"}));
    QCOMPARE(bench.op.messages, QStringList{"Errors in Commlock!"});
    QCOMPARE(bench.text("PowerOn(0)"), QString("Power On"));
  }

  void aFailedConnectLeavesTheWindowOffline() {
    DualBench bench;
    bench.device->script().answer("ConnectChannel", 1);
    bench.connect();
    QCOMPARE(bench.op.messages, QStringList{"Failed in Connecting Channel"});
    QVERIFY(!bench.state.Device);
    QCOMPARE(bench.text("connect"), QString("Connect"));
    QCOMPARE(statusOf(bench), QString("Ready: Offline Mode -- Part#1: Power Off -- Part#2: Power Off"));
    QCOMPARE(bench.states({"PartEnable(0)", "PartEnable(1)"}), QString("D D"));
  }
};

RX041_QT_TEST(DualWindowTest)
#include "dual_parts_window_test.moc"
