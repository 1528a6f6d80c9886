// The single-source twin against the dual-sources window: the same steps on
// both windows, and where their results differ.
#include <QAbstractButton>
#include <QCheckBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "dual_window_fixture.h"
#include "qt_test_main.h"
#include "rx41/rules/field_rules.h"

using dual_test::DualBench;
using rx41::Sources;

namespace {

// The unit button of Part#1 (index 0 in both windows).
constexpr const char* kProgram = "btnconfigsolver(0)";

QString joined(const QStringList& list) { return list.join(" | "); }

// Connected, Part#1 (and with it, in the twin, Part#2) powered.
void powered(DualBench& bench) { bench.connectAndPowerOn(0); }

struct TwinCase {
  const char* name;
  std::function<QString(DualBench&)> run;
  QString dual;
  QString twin;
};

const QString kClampOrder = QString::fromStdString(rx41::messageText(rx41::MessageId::ClampOrder));

const TwinCase kCases[] = {
    {"clampHighBelowZero",
     [](DualBench& b) {
       b.type("clamphigh(1)", "-1");
       return b.text("clamphigh(1)");
     },
     "0", "0.01"},
    {"clampLowAtTheTop",
     [](DualBench& b) {
       b.type("clamplow(0)", "100");
       return b.text("clamplow(0)");
     },
     "100.00", "99.99"},
    {"buttonsOfPart2AndEnableBoxes",
     [](DualBench& b) {
       QStringList present;
       for (const char* name : {"PartEnable(0)", "PowerOn(1)", "newdevice(1)", "owilock(1)", "Advanced(1)",
                                "btnconfigsolver(1)", "lineargraph(1)", "viewoutput(1)", "Setpoint(4)", "GetDP(1)"})
         if (b.control(name)) present << name;
       return present.join(' ');
     },
     "PartEnable(0) PowerOn(1) newdevice(1) owilock(1) Advanced(1) btnconfigsolver(1) lineargraph(1) viewoutput(1) "
     "Setpoint(4) GetDP(1)",
     "Setpoint(4) GetDP(1)"},
    {"powerButtonOnceConnected",
     [](DualBench& b) {
       b.connect();
       return b.states({"PowerOn(0)", "newdevice(0)", "lineargraph(0)", "clamphigh(1)"});
     },
     "D D D D", "E E E D"},
    {"powerOffTheUnit",
     [](DualBench& b) {
       powered(b);
       b.click("PowerOn(0)");
       return joined(b.calls());
     },
     "Customized_PowerOff(0) | Customized_SetADCMode(0) | Customized_Mode0V(0)",
     "Customized_PowerOff(0) | Customized_PowerOff(1) | Customized_SetADCMode(0) | Customized_SetADCMode(1) | "
     "Customized_Mode0V(0)"},
    {"powerOnMeasuresOnceForThePair",
     [](DualBench& b) {
       powered(b);
       b.click("PowerOn(0)");
       b.forgetCalls();
       b.device->script().answer("MeasureVdd", 4.8);
       b.click("PowerOn(0)");
       return joined(b.calls()) + " / " + b.text("VDD(0)") + " " + b.text("VDD(1)");
     },
     "Customized_PowerOn(0) | Customized_SetADCMode(0) | MeasureVdd(0) | Customized_EnterOWI(0) | MemRead(0, 72) / "
     "4.800 5.000",
     "Customized_PowerOn(0) | Customized_SetADCMode(0) | Customized_PowerOn(1) | Customized_SetADCMode(1) | "
     "MeasureVdd(3) | Customized_EnterOWI(3) | MemRead(0, 72) | MemRead(1, 72) / 4.800 4.800"},
    {"lockedSecondChip",
     [](DualBench& b) {
       b.device->script().answerOnce("MemRead", {0x31, 0xF5});
       b.connectAndPowerOn(0);
       return joined(b.op.messages) + QStringLiteral(" / %1 %2").arg(b.state.ChipState[0]).arg(b.state.ChipState[1]);
     },
     " / 2 0", "OWI communication is locked: F5 | Please Reset hardware and try again! / 0 0"},
    {"clampOrderNamesThePart",
     [](DualBench& b) {
       powered(b);
       b.typeTwoPoints(0);
       b.typeTwoPoints(1);
       b.type("clamplow(1)", "95");
       b.type("clamphigh(0)", "5");
       b.click(kProgram);
       return joined(b.op.messages);
     },
     kClampOrder, "Part#1: " + kClampOrder + " | Part#2: " + kClampOrder},
    {"graphRefusalsOfEachPart",
     [](DualBench& b) {
       powered(b);
       b.click("lineargraph(0)");
       return joined(b.op.messages) + QStringLiteral(" / graphs %1").arg(b.op.modalWindows.size() - 1);
     },
     "Error Angles of Point A and Point B input / graphs 0",
     "Error Angles of Point A and Point B input | Error Angles of Point A and Point B input / graphs 0"},
    {"graphMarksPointAOnlyAsConfigured",
     [](DualBench& b) {
       powered(b);
       // Part#1 clockwise from 355: the exchange puts point A at 365, out of range.
       for (std::int16_t part = 0; part < 2; ++part) {
         b.type(QStringLiteral("Angle(%1)").arg(4 * part), part == 0 ? "355" : "100");
         b.type(QStringLiteral("Level(%1)").arg(4 * part), "20");
         b.type(QStringLiteral("KforA(%1)").arg(part), "0.5");
       }
       b.control<QCheckBox>("clockwise(0)")->setChecked(true);
       QStringList marked;
       b.op.modalHandlers.push_back([&marked](QDialog& graph) {
         const auto* plot = dynamic_cast<rx41::CurvePlot*>(rx041::test::findControl(graph, "Picture1"));
         for (const rx41::CurvePlot::Trace& trace : plot->traces()) marked << QString::number(trace.firstPointOnly);
       });
       b.click("lineargraph(0)");
       return marked.join(' ');
     },
     "0", "0 1"},
    {"programmingTheUnit",
     [](DualBench& b) {
       powered(b);
       b.typeTwoPoints(0);
       b.typeTwoPoints(1);
       const QStringList waits = b.waitTexts([&] { b.click(kProgram); });
       return joined(waits) + " / " + joined(b.calls().filter(QRegularExpression("^(Copy|PWM|Program|Customized)")));
     },
     "Configuring Solver...  Please Wait... | Programming EEPROM...  Please Wait... / "
     "CopySolverSettingsToParameters(0) | PWM_mode(0, 0, 0, 0) | ProgramDevice(0) | Customized_EnterOWI(0)",
     "Configuring Part#1 Solver...  Please Wait... | Configuring Part#2 Solver...  Please Wait... | "
     "Programming Part#1 and Part#2 EEPROM...  Please Wait... / CopySolverSettingsToParameters(0) | "
     "PWM_mode(0, 0, 0, 0) | CopySolverSettingsToParameters(1) | PWM_mode(1, 0, 0, 0) | ProgramDevice(0) | "
     "ProgramDevice(1) | Customized_EnterOWI(3)"},
    {"aRefusedPart2StopsThePairBeforeAnyStore",
     [](DualBench& b) {
       powered(b);
       b.typeTwoPoints(0);
       b.typeTwoPoints(1);
       b.device->script().answerOnce("CopySolverSettingsToParameters", {0, 4});
       b.click(kProgram);
       return joined(b.op.messages) + QStringLiteral(" / stores %1").arg(b.calls("ProgramDevice").size());
     },
     " / stores 1", "Die2: Clamp High <= Clamp Low! / stores 0"},
    {"aFailedStoreStopsThePair",
     [](DualBench& b) {
       powered(b);
       b.typeTwoPoints(0);
       b.typeTwoPoints(1);
       b.device->script().answerOnce("ProgramDevice", {2});
       b.click(kProgram);
       return joined(b.op.messages) + " / " + joined(b.calls("ProgramDevice"));
     },
     "Failed in programming device / ProgramDevice(0)",
     "Part#1 failed in programming device; Part#2 not programmed / ProgramDevice(0)"},
    {"aPairWhoseSecondStoreFailedNamesTheStoredPart",
     [](DualBench& b) {
       powered(b);
       b.typeTwoPoints(0);
       b.typeTwoPoints(1);
       b.device->script().answerOnce("ProgramDevice", {0, 2});
       b.click(kProgram);
       return joined(b.op.messages) + " / " + joined(b.calls("ProgramDevice"));
     },
     " / ProgramDevice(0)",
     "Part#1 programmed; Part#2 failed in programming device / ProgramDevice(0) | ProgramDevice(1)"},
    {"commLockFailure",
     [](DualBench& b) {
       powered(b);
       b.device->script().answer("Commlock", 2);
       b.op.modalHandlers.push_back([](QDialog& confirm) { confirm.findChild<QAbstractButton*>("yes")->click(); });
       b.click("owilock(0)");
       return joined(b.op.messages) + " / " + joined(b.calls("Commlock"));
     },
     "Errors in Commlock! / Commlock(0)", "Errors in Commlock / Commlock(0) | Commlock(1)"},
    {"clearFailure",
     [](DualBench& b) {
       powered(b);
       b.device->script().answer("ClearSolverSettings", 2);
       b.click("newdevice(0)");
       return joined(b.op.messages) + " / " + joined(b.calls("DAC_calibration"));
     },
     "Errors in ClearSolverSettings! / DAC_calibration(0)", "Error in ClearSolverSettings / DAC_calibration(3)"},
    {"newDeviceWithALockedPart2",
     [](DualBench& b) {
       b.healthyChip();
       b.connect();
       if (auto* box = b.control<QCheckBox>("PartEnable(0)")) box->setChecked(true);
       b.state.CommLocked[1] = rx41::kTrue16;
       b.click("newdevice(0)");
       return joined(b.op.messages) + " / " + joined(b.calls("ClearSolverSettings"));
     },
     " / ClearSolverSettings(0)", " / "},
    {"displayWindowsOfTheUnit",
     [](DualBench& b) {
       powered(b);
       b.typeTwoPoints(0);
       b.typeTwoPoints(1);
       QStringList shown;
       const auto note = [&shown](const char* name) {
         return [&shown, name](QDialog& window) {
           auto* control = rx041::test::findControl(window, name);
           shown << QStringLiteral("%1 %2").arg(name).arg(control && control->isEnabled() &&
                                                          control->isVisibleTo(&window));
         };
       };
       b.op.modalHandlers.push_back(note("PartsOption(1)"));
       b.click("viewoutput(0)");
       b.op.modalHandlers.push_back(note("Labelpart2"));
       b.click("lineargraph(0)");
       b.op.modalHandlers.push_back(note("PartOption(1)"));
       b.click("Advanced(0)");
       return shown.join(' ') + " / " + joined(b.calls().filter(QRegularExpression("^Customized")));
     },
     "PartsOption(1) 0 Labelpart2 0 PartOption(1) 0 / Customized_QuitOWI(0) | Customized_SetADCMode(0) | "
     "Customized_Mode0V(0) | Customized_EnterOWI(0)",
     "PartsOption(1) 1 Labelpart2 1 PartOption(1) 1 / Customized_QuitOWI(0) | Customized_SetADCMode(0) | "
     "Customized_QuitOWI(1) | Customized_SetADCMode(1) | Customized_Mode0V(0) | Customized_EnterOWI(3)"},
    {"teachInEnsuresOwiModeOfTheUnit",
     [](DualBench& b) {
       powered(b);
       b.state.ChipState[0] = b.state.ChipState[1] = rx41::kAdcMode;
       b.device->script().answerOnce("GetAngle", {33.0});
       b.click("Setpoint(0)");
       return joined(b.calls()) + " / " + b.text("Angle(0)");
     },
     "Customized_EnterOWI(0) | GetAngle(0) / 33.00", "Customized_EnterOWI(3) | GetAngle(0) / 33.00"},
};

}  // namespace

class TwinWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void comparedWithTheDualSourcesWindow_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < static_cast<int>(std::size(kCases)); ++row) QTest::newRow(kCases[row].name) << row;
  }

  void comparedWithTheDualSourcesWindow() {
    QFETCH(int, row);
    const TwinCase& twinCase = kCases[row];
    DualBench dual(Sources::Dual);
    QCOMPARE(twinCase.run(dual), twinCase.dual);
    DualBench twin(Sources::Single);
    QCOMPARE(twinCase.run(twin), twinCase.twin);
  }

  // A 1280x800 screen shows both part frames side by side; only vertical
  // scrolling may be needed.
  void bothWindowsFitASmallScreenSideBySide() {
    for (const Sources sources : {Sources::Dual, Sources::Single}) {
      DualBench bench(sources);
      bench.window->resize(1280, 800);
      bench.window->show();
      QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
      QCOMPARE(bench.window->size(), QSize(1280, 800));
      auto* scroll = bench.window->findChild<QScrollArea*>();
      QVERIFY(scroll);
      QVERIFY(!scroll->horizontalScrollBar()->isVisible());
      const QRect first = bench.control("PartFrame(0)")->geometry();
      const QRect second = bench.control("PartFrame(1)")->geometry();
      QCOMPARE(first.top(), second.top());
      QVERIFY(first.right() < second.left());
    }
  }

  void screenReadersReadTheTwinsButtons() {
    DualBench twin(Sources::Single);
    QCOMPARE(twin.control("PowerOn(0)")->accessibleName(), QString());
    QCOMPARE(twin.control("Setpoint(4)")->accessibleName(), QString("Part#2 Set point A"));
  }
};

RX041_QT_TEST(TwinWindowTest)
#include "twin_window_test.moc"
