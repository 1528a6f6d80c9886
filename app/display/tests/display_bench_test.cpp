// The live output display and the memory window end to end: the real device
// and channel libraries, created by class name, talking to the virtual bench
// behind a COM number.
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <cmath>

#include "bench_window.h"
#include "qt_test_main.h"
#include "rx41/display/frm_advanced.h"
#include "rx41/display/real_time_display_bar.h"

namespace {

using rx041::test::findControl;
using rx041::zq3902::SolverSettingCodes;

constexpr int kCom = 7;

// The virtual bench behind COM7, connected, both parts off.
struct Connected : rx041::test::BenchWindow {
  Connected() : BenchWindow(kCom) { connectDevice(); }
};

// Part#1 with a curve from 10 % at 40 degrees to 90 % at 140 degrees, in ADC mode.
void configureRisingCurve(Connected& c) {
  using enum SolverSettingCodes;
  const rx41::SolverSetting settings[] = {
      {SolverSettingClampingLow, 5.0f}, {SolverSettingClampingHigh, 95.0f}, {SolverSettingDP, 220.0f},
      {SolverTargetLevelPointA, 10.0f}, {SolverTargetAngleA, 40.0f},        {SolverTargetLevelPointB, 90.0f},
      {SolverTargetAngleB, 140.0f},     {SolverTargetLevelPointC, 0.0f},    {SolverTargetAngleC, 140.0f},
      {SolverTargetLevelPointD, 0.0f},  {SolverTargetAngleD, 140.0f},
  };
  QVERIFY(c.machine.ensureOwiMode(0));
  QVERIFY(c.machine.calls().StoreInSolver(0, settings, 1));
  QCOMPARE(c.machine.calls().CopySolverSettingsToParameters(0), std::optional<std::int32_t>(0));
  c.machine.returnToAdcMode(0);
  QCOMPARE(c.state.ChipState[0], rx41::kAdcMode);
}

double shownNumber(const QWidget& window, const char* name) {
  return findControl<QLineEdit>(window, name)->text().toDouble();
}

qsizetype adcReads(rx041::bench::Bench& bench) {
  qsizetype reads = 0;
  for (const std::string& frame : bench.frames())
    if (frame.rfind("$M,T,W", 0) == 0) ++reads;
  return reads;
}

QString hexByte(int value) { return QString::number(value, 16).toUpper(); }

}  // namespace

class DisplayBenchTest : public QObject {
  Q_OBJECT

 private slots:
  void theLiveDisplayFollowsTheMagnet() {
    Connected c;
    configureRisingCurve(c);
    rx41::RealTimeDisplayBar display(c.op, c.state);
    display.Init(0, 1);
    display.setAttribute(Qt::WA_DontShowOnScreen);

    c.bench.setAngle(0, 60.0);
    const double atSixty = c.bench.output(0);
    display.show();
    // Within two ticks.
    QTRY_VERIFY_WITH_TIMEOUT(std::abs(shownNumber(display, "PercentText(0)") - atSixty) < 0.01, 250);
    QVERIFY(std::abs(shownNumber(display, "AngleText(0)") - atSixty * 3.6) < 0.04);
    QCOMPARE(findControl<QProgressBar>(display, "PercentBar(0)")->value(), static_cast<int>(std::lround(atSixty)));
    QCOMPARE(findControl<QProgressBar>(display, "AngleBar(0)")->value(), static_cast<int>(std::lround(atSixty * 3.6)));

    c.bench.setAngle(0, 120.0);
    const double atHundredTwenty = c.bench.output(0);
    QVERIFY2(atHundredTwenty > atSixty + 20, qPrintable(QString::number(atHundredTwenty)));
    QTRY_VERIFY_WITH_TIMEOUT(std::abs(shownNumber(display, "PercentText(0)") - atHundredTwenty) < 0.01, 250);

    // One ADC read per tick.
    const qsizetype before = adcReads(c.bench);
    QTest::qWait(1000);
    const qsizetype perSecond = adcReads(c.bench) - before;
    QVERIFY2(perSecond >= 9 && perSecond <= 11, qPrintable(QString::number(perSecond)));

    display.close();
    const qsizetype afterClose = adcReads(c.bench);
    QTest::qWait(300);
    QCOMPARE(adcReads(c.bench), afterClose);
    QCOMPARE(c.op.messages, QStringList{});
  }

  void anOutputBeyondTheMeasuredSupplyStopsTheDisplay() {
    Connected c;
    configureRisingCurve(c);
    // The supply was measured at 2.5 V and has risen since: 74 % of 5 V reads as 148 %.
    c.bench.setVdd(0, 2.5);
    QVERIFY(c.machine.calls().MeasureVdd(0));
    c.bench.setVdd(0, 5.0);
    c.bench.setAngle(0, 120.0);

    rx41::RealTimeDisplayBar display(c.op, c.state);
    display.Init(0, 1);
    display.setAttribute(Qt::WA_DontShowOnScreen);
    display.show();
    QTRY_VERIFY_WITH_TIMEOUT(display.isHidden(), 500);
    QCOMPARE(c.op.messages.size(), 1);
    QVERIFY2(c.op.messages.first().startsWith("Angle from Part#1 is out of scope [14"),
             qPrintable(c.op.messages.first()));
    QVERIFY(c.op.messages.first().endsWith("],Will be set to 0 instead!"));
    QCOMPARE(findControl<QLineEdit>(display, "PercentText(0)")->text(), QString("0.00"));
  }

  void theMemoryWindowReadsAndWritesRegisters() {
    Connected c;
    QVERIFY(c.machine.ensureOwiMode(0));
    auto memory = std::make_unique<rx41::frmadvanced>(c.op, c.state);
    memory->Init(0, 2);
    c.window = std::move(memory);
    c.show();
    auto box = [&](const char* column, int row) {
      return c.control<QLineEdit>(QString("%1(%2)").arg(column).arg(row));
    };

    c.click("memread");
    QCOMPARE(box("out", 19)->text(), QString("31"));  // the chip identification at 48
    for (int row = 0; row < 19; ++row) {
      const int address = box("add", row)->text().toInt(nullptr, 16);
      QCOMPARE(box("out", row)->text(), hexByte(c.bench.ram(0, address)));
    }

    box("add", 20)->setText("40");
    box("Din", 20)->setText("5a");
    box("add", 21)->setText("41");
    box("Din", 21)->setText("1FF");  // the low byte goes out
    c.click("memwritewithCRC");
    QCOMPARE(c.bench.ram(0, 0x40), 0x5A);
    QCOMPARE(c.bench.ram(0, 0x41), 0xFF);
    c.click("memread");
    QCOMPARE(box("out", 20)->text(), QString("5A"));
    QCOMPARE(box("out", 21)->text(), QString("FF"));

    // Part#2: the data columns start empty, the addresses stay.
    QVERIFY(c.machine.ensureOwiMode(1));
    c.bench.setId(1, 0x35);
    c.click("PartOption(1)");
    QCOMPARE(box("out", 20)->text(), QString());
    QCOMPARE(box("Din", 21)->text(), QString());
    QCOMPARE(box("add", 21)->text(), QString("41"));
    c.click("memread");
    QCOMPARE(box("out", 19)->text(), QString("35"));
    QCOMPARE(c.op.messages, QStringList{});

    // A chip that does not answer: one row, read after the time limit.
    c.bench.setPresent(1, false);
    for (int row = 0; row < rx41::frmadvanced::kRows; ++row)
      if (row != 19) box("add", row)->clear();
    c.click("memread");
    QCOMPARE(box("out", 19)->text(), QString("1FF"));
    QCOMPARE(c.op.messages, QStringList{});
  }
};

RX041_QT_TEST_REAL_WAITS(DisplayBenchTest)
#include "display_bench_test.moc"
