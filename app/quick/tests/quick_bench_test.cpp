// The quick 2-points window end to end: the real device and channel
// libraries, created by class name, talking to the virtual bench behind a COM
// number. A taught chip must hold the registers its settings call for and put
// out the taught levels at the taught angles.
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "rx041/bench/bench.h"
#include "rx041/test_support/temp_dir.h"
#include "rx41/quick/main_form_2points.h"
#include "scripted_operator.h"
#include "window_bench.h"

namespace {

using PowerButton = rx41::MainForm2PointsProgramming::PowerButton;

constexpr int kCom = 6;
constexpr double kGain = 0.98, kOffset = 1.2;  // the bench chip's DAC error

struct TaughtSettings {
  double clampLow = 5, clampHigh = 95, dp = 220;
  double angle[2] = {40, 140}, level[2] = {10, 90};
};

// The chip registers 1..18 and 20 for the settings, by the register map and
// the solver's conversion with the part's DAC correction (K, B).
std::map<int, int> expectedRegisters(const TaughtSettings& s, double k, double b) {
  const auto percentCode = [&](double percent) {
    double x = (percent - b) / (k * 3.6);
    x = x > 99.98 ? 99.98 : x < 0.02 ? 0.02 : x;
    return static_cast<int>(std::trunc(x * 40.96 + 0.5));
  };
  const auto angleCode = [](double degrees) { return static_cast<int>(std::trunc(degrees * 16 + 0.5)); };
  // Points C and D sit on B's angle with level 0.
  const int level[4] = {percentCode(s.level[0]), percentCode(s.level[1]), percentCode(0), percentCode(0)};
  const int angle[4] = {angleCode(s.angle[0]), angleCode(s.angle[1]), angleCode(s.angle[1]), angleCode(s.angle[1])};
  const int high = percentCode(s.clampHigh), low = percentCode(s.clampLow);
  const int dp = static_cast<int>(std::trunc(s.dp * 8 + 0.5));
  std::map<int, int> r;
  for (int i = 0; i < 4; ++i) {
    r[1 + i] = (angle[i] >> 8) & 0x1F;
    r[7 + i] = angle[i] & 0xFF;
    r[11 + i] = level[i] & 0xFF;
  }
  r[5] = ((level[0] >> 8) << 4) | (level[1] >> 8);
  r[6] = ((level[2] >> 8) << 4) | (level[3] >> 8);
  r[15] = high & 0xFF;
  r[16] = low & 0xFF;
  r[17] = ((high >> 8) << 4) | (low >> 8);
  r[18] = dp & 0xFF;
  r[20] = (dp >> 8) << 4;
  return r;
}

// Types the text into the field and leaves it.
void type(QWidget& window, const char* name, const char* text) {
  auto* field = rx041::test::findControl<QLineEdit>(window, name);
  field->setText(text);
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(field, &leave);
}

void click(QWidget& window, const char* name) {
  auto* button = rx041::test::findControl<QPushButton>(window, name);
  QVERIFY2(button && button->isEnabled(), name);
  button->click();
}

}  // namespace

class QuickBenchTest : public QObject {
  Q_OBJECT

  void teachAndProgram(PowerButton variant) {
    rx041::test::TempDir dir;
    rx041::test::ScopedEnv ports("RX041_PORTS", dir.path().c_str());
    rx041::test::ScopedEnv trace("RX041_TRACE_DIR", dir.path().c_str());
    rx041::test::ScopedEnv records("RX041_RECORD_DIR", dir.path().c_str());
    rx041::bench::Bench bench(rx041::bench::BenchOptions{.comNumber = kCom});
    bench.setDac(0, kGain, kOffset);
    bench.setAngle(0, 40.0);

    rx041::test::ScriptedOperator op;
    rx41::AppState state;
    rx41::MainForm2PointsProgramming window(op, variant, state);
    op.modalHandlers.push_back([](QDialog& portWindow) {
      auto* list = rx041::test::findControl<QComboBox>(portWindow, "Port");
      list->setCurrentIndex(list->findText(QStringLiteral("COM%1").arg(kCom)));
      rx041::test::findControl<QPushButton>(portWindow, "Connect")->click();
    });
    click(window, "connect");
    QVERIFY(state.Device);

    if (variant == PowerButton::Present) click(window, "PowerOn");
    click(window, "SetpointA");
    QCOMPARE(rx041::test::findControl<QLineEdit>(window, "Angle(0)")->text(), QString("40.00"));
    QCOMPARE(rx041::test::findControl<QLineEdit>(window, "DP")->text(), QString("220.00"));
    bench.setAngle(0, 140.0);
    type(window, "Level(0)", "10");
    type(window, "Level(1)", "90");
    click(window, "SetpointB");
    QCOMPARE(op.messages, QStringList{});
    QCOMPARE(rx041::test::findControl<QLineEdit>(window, "Angle(1)")->text(), QString("140.00"));

    // The calibration found the bench chip's DAC error.
    QVERIFY2(std::abs(state.DacK[0] * 3.6 - kGain) < 0.002, qPrintable(QString::number(state.DacK[0])));
    QVERIFY2(std::abs(state.DacB[0] - kOffset) < 0.05, qPrintable(QString::number(state.DacB[0])));
    const auto expected = expectedRegisters(TaughtSettings{}, state.DacK[0], state.DacB[0]);
    for (const auto& [address, value] : expected)
      QVERIFY2(
          bench.eeprom(0, address) == value,
          qPrintable(
              QStringLiteral("register %1: %2, expected %3").arg(address).arg(bench.eeprom(0, address)).arg(value)));

    // Powered up again the chip runs on its EEPROM.
    QCOMPARE(state.ChipState[0], rx41::kPowerOff);
    rx41::StateMachine(state, op).ChipChangeToState(0, rx41::kPowerOff, rx41::kAdcMode);
    bench.setAngle(0, 40.0);
    QVERIFY2(std::abs(bench.output(0) - 10.0) < 0.3, qPrintable(QString::number(bench.output(0))));
    bench.setAngle(0, 140.0);
    QVERIFY2(std::abs(bench.output(0) - 90.0) < 0.3, qPrintable(QString::number(bench.output(0))));

    rx41::CurveTables built;
    built.Points[0][0][0] = 40;
    built.Points[0][0][1] = 10;
    built.Points[0][1][0] = 140;
    built.Points[0][1][1] = 90;
    built.PartDP[0] = 220;
    built.PartClampHigh[0] = 95;
    built.PartClampLow[0] = 5;
    rx41::BuildCurve(built, 2, 0, {});
    QVERIFY(std::equal(&built.Curve[0][0][0], &built.Curve[0][0][0] + 2 * rx41::kCurveRows, &state.Curve[0][0][0]));
    QVERIFY(built.Curve[0][0][0] != 0 || built.Curve[0][0][1] != 0);

    click(window, "connect");
    QVERIFY(!state.Device);
  }

 private slots:
  void teachesAndProgramsAChip() { teachAndProgram(PowerButton::Absent); }
  void teachesAndProgramsAChipWithThePowerButton() { teachAndProgram(PowerButton::Present); }
};

QTEST_MAIN(QuickBenchTest)
#include "quick_bench_test.moc"
