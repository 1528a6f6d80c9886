// The dual-part windows end to end: the real device and channel libraries,
// created by class name, talking to the virtual bench behind a COM number.
// Programmed chips must hold the registers their settings call for and, after
// a power cycle, put out the taught levels.
// The fixed waits are instant here: the display, output-check and
// connection bench tests keep them real.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "bench_window.h"
#include "chip_registers.h"
#include "dual_window_fixture.h"
#include "qt_test_main.h"

using dual_test::ChipTargets;
using dual_test::sentPoints;
using dual_test::SwitchOutput;

namespace {

constexpr int kCom = 7;
constexpr double kGain[2] = {0.98, 1.005}, kOffset[2] = {1.2, -1.5};  // the bench chips' DAC errors

// The window on the bench, connected.
struct Session : rx041::test::BenchWindow {
  explicit Session(rx41::Sources sources) : BenchWindow(kCom) {
    for (int part = 0; part < 2; ++part) bench.setDac(part, kGain[part], kOffset[part]);
    open(dual_test::dualWindow(sources));
    connect();
  }

  // The last store's record of each part: read back, stored, and holding
  // what the EEPROM now holds.
  std::vector<rx041::records::ProgrammingRecord> verifyLastRecords(int parts) {
    const auto records = rx041::test::programmingRecords();
    std::vector<rx041::records::ProgrammingRecord> last;
    if (records.size() < static_cast<std::size_t>(parts)) return last;
    for (auto record = records.end() - parts; record != records.end(); ++record) {
      last.push_back(*record);
      if (record->verification.result != rx041::records::VerificationResult::Passed || !record->stored()) return {};
      for (const auto& [address, value] : record->registers)
        if (bench.eeprom(record->part - 1, address) != value) return {};
    }
    return last;
  }

  void choose(const QString& list, int index) { control<QComboBox>(list)->setCurrentIndex(index); }

  // Points A and B of the part as typed.
  void typePoints(int part, std::initializer_list<std::pair<double, double>> points) {
    int point = 0;
    for (const auto& [angle, level] : points) {
      type(QStringLiteral("Angle(%1)").arg(4 * part + point), QString::number(angle));
      type(QStringLiteral("Level(%1)").arg(4 * part + point), QString::number(level));
      ++point;
    }
  }

  // The chip's EEPROM holds what the settings call for.
  void verifyEeprom(int part, const ChipTargets& targets) {
    for (const auto& [address, bits] : dual_test::expectedRegisters(targets, state.DacK[part], state.DacB[part])) {
      const auto [value, mask] = bits;
      const int stored = bench.eeprom(part, address);
      QVERIFY2((stored & mask) == value, qPrintable(QStringLiteral("Part#%1 register %2: %3, expected %4 under mask %5")
                                                        .arg(part + 1)
                                                        .arg(address)
                                                        .arg(stored)
                                                        .arg(value)
                                                        .arg(mask)));
    }
  }

  // After a power cycle, the output at each angle is its level.
  void verifyOutput(int part, std::initializer_list<std::pair<double, double>> expected) {
    machine.ChipChangeToState(static_cast<std::int16_t>(part), state.ChipState[part], rx41::kPowerOff);
    machine.ChipChangeToState(static_cast<std::int16_t>(part), rx41::kPowerOff, rx41::kAdcMode);
    for (const auto& [angle, level] : expected) {
      bench.setAngle(part, angle);
      QVERIFY2(std::abs(bench.output(part) - level) < 0.3,
               qPrintable(QStringLiteral("Part#%1 at %2 deg: %3 %, expected %4 %")
                              .arg(part + 1)
                              .arg(angle)
                              .arg(bench.output(part))
                              .arg(level)));
    }
    machine.ChipChangeToState(static_cast<std::int16_t>(part), rx41::kAdcMode, rx41::kPowerOff);
    static_cast<rx41::MainForm2Parts2Src&>(*window).UpdateControl();
  }
};

}  // namespace

class DualBenchTest : public QObject {
  Q_OBJECT

 private slots:
  void programsEachPartOnItsOwn() {
    Session s(rx41::Sources::Dual);
    QVERIFY(s.state.Device);
    for (int part = 0; part < 2; ++part) {
      const QString p = QString::number(part);
      const int first = 4 * part;
      s.control<QCheckBox>("PartEnable(" + p + ")")->setChecked(true);
      s.press("PowerOn(" + p + ")");
      QCOMPARE(s.text("VDD(" + p + ")"), QString("5.000"));
      s.press("newdevice(" + p + ")");
      // The calibration found the chip's DAC error.
      QVERIFY2(std::abs(s.state.DacK[part] * 3.6 - kGain[part]) < 0.002,
               qPrintable(QString::number(s.state.DacK[part])));
      QVERIFY2(std::abs(s.state.DacB[part] - kOffset[part]) < 0.05, qPrintable(QString::number(s.state.DacB[part])));

      s.bench.setAngle(part, 40.0);
      s.press(QStringLiteral("Setpoint(%1)").arg(first));
      QCOMPARE(s.text(QStringLiteral("Angle(%1)").arg(first)), QString("40.00"));
      s.type(QStringLiteral("Angle(%1)").arg(first + 1), "140");
      s.type(QStringLiteral("Level(%1)").arg(first), "10");
      s.type(QStringLiteral("Level(%1)").arg(first + 1), "90");
      s.type("op(" + p + ")", "90");
      s.type("hys(" + p + ")", "2");
      const int otherPart = 1 - part;
      QList<int> other;
      for (int address = 1; address <= 22; ++address) other << s.bench.eeprom(otherPart, address);
      s.press("btnconfigsolver(" + p + ")");
      QCOMPARE(s.op.messages, QStringList{});

      ChipTargets targets = sentPoints({40, 140, 140, 140}, {10, 90, 0, 0});
      targets.switchOutput = SwitchOutput{90, 2, 0};
      s.verifyEeprom(part, targets);
      QList<int> otherAfter;
      for (int address = 1; address <= 22; ++address) otherAfter << s.bench.eeprom(otherPart, address);
      QCOMPARE(otherAfter, other);
      s.press("lineargraph(" + p + ")");
      QCOMPARE(s.op.modalWindows.back(), QString("Linear Graph"));
      QCOMPARE(s.state.Curve[part][1][0], 40);  // the first segment ends at point A
      s.verifyOutput(part, {{40, 10}, {140, 90}});
    }
    s.press("connect");
    QVERIFY(!s.state.Device);
  }

  void programsFourPointsASlopeAndPwm() {
    Session s(rx41::Sources::Dual);
    s.control<QCheckBox>("PartEnable(0)")->setChecked(true);
    s.press("PowerOn(0)");
    s.press("newdevice(0)");

    s.typePoints(0, {{10, 20}, {20, 40}, {30, 60}, {40, 80}});
    s.press("btnconfigsolver(0)");
    QCOMPARE(s.op.messages, QStringList{});
    s.verifyEeprom(0, sentPoints({40, 30, 20, 10}, {80, 60, 40, 20}));
    auto records = s.verifyLastRecords(1);
    QCOMPARE(records.size(), std::size_t{1});
    QCOMPARE(records[0].settings->slope, std::nullopt);

    for (int point = 1; point < 4; ++point) s.type(QStringLiteral("Angle(%1)").arg(point), "");
    s.typePoints(0, {{100, 20}});
    s.type("KforA(0)", "0.5");
    s.press("btnconfigsolver(0)");
    QCOMPARE(s.op.messages, QStringList{});
    s.verifyEeprom(0, sentPoints({100, 110, 110, 110}, {20, 25, 0, 0}));
    records = s.verifyLastRecords(1);
    QCOMPARE(records.size(), std::size_t{1});
    QCOMPARE(records[0].settings->slope, std::optional<float>(0.5f));
    s.verifyOutput(0, {{100, 20}, {105, 22.5}, {110, 25}});

    s.press("PowerOn(0)");
    s.type("KforA(0)", "");
    s.typePoints(0, {{60, 30}, {160, 70}});
    s.choose("OutMode(0)", 1);
    s.choose("PWMFreq(0)", 2);
    s.press("btnconfigsolver(0)");
    QCOMPARE(s.op.messages, QStringList{});
    ChipTargets pwm = sentPoints({60, 160, 160, 160}, {30, 70, 0, 0});
    pwm.outMode = 1;
    pwm.pwmFreq = 2;
    s.verifyEeprom(0, pwm);
    // The PWM average is the duty cycle, without the DAC error.
    s.verifyOutput(0, {{60, 30}, {110, 50}, {160, 70}});
  }

  void theTwinProgramsBothPartsInOneFlow() {
    Session s(rx41::Sources::Single);
    const auto supplyMeasurements = [&] {
      const auto frames = s.bench.frames();
      return std::count_if(frames.begin(), frames.end(),
                           [](const std::string& frame) { return frame.starts_with("$R,M,V"); });
    };
    s.press("PowerOn(0)");
    QCOMPARE(supplyMeasurements(), 1);
    QCOMPARE(s.state.ChipState[0], rx41::kOwiMode);
    QCOMPARE(s.state.ChipState[1], rx41::kOwiMode);
    QCOMPARE(s.text("VDD(1)"), s.text("VDD(0)"));
    s.press("newdevice(0)");
    for (int part = 0; part < 2; ++part) QVERIFY(std::abs(s.state.DacK[part] * 3.6 - kGain[part]) < 0.002);

    s.typePoints(0, {{40, 10}, {140, 90}});
    s.typePoints(1, {{60, 20}, {200, 70}});
    s.type("op(1)", "120.5");
    s.type("hys(1)", "1.5");
    s.control<QCheckBox>("Kpolarity(1)")->setChecked(true);
    s.press("btnconfigsolver(0)");
    QCOMPARE(s.op.messages, QStringList{});
    s.verifyEeprom(0, sentPoints({40, 140, 140, 140}, {10, 90, 0, 0}));
    ChipTargets second = sentPoints({60, 200, 200, 200}, {20, 70, 0, 0});
    second.switchOutput = SwitchOutput{120.5, 1.5, 1};
    s.verifyEeprom(1, second);
    const auto records = s.verifyLastRecords(2);
    QCOMPARE(records.size(), std::size_t{2});
    QCOMPARE(records[1].settings->op, std::optional<float>(120.5f));
    s.verifyOutput(0, {{40, 10}, {140, 90}});
    s.verifyOutput(1, {{60, 20}, {130, 45}, {200, 70}});
  }

  // The lock bit is read back before the store: a worn cell that ignores it
  // is told and recorded, and the chip stays open; a lock that took is
  // confirmed by the identification of the next power-up.
  void commLockStoresOnlyALockBitThatTook_data() {
    QTest::addColumn<bool>("worn");
    QTest::newRow("lock taken") << false;
    QTest::newRow("worn lock cell") << true;
  }
  void commLockStoresOnlyALockBitThatTook() {
    QFETCH(bool, worn);
    Session s(rx41::Sources::Dual);
    s.control<QCheckBox>("PartEnable(0)")->setChecked(true);
    s.press("PowerOn(0)");
    if (worn) QCOMPARE(s.bench.control("stuck 0 0x1C"), std::string("ok"));
    s.op.modalHandlers.push_back([](QDialog& confirm) { confirm.findChild<QAbstractButton*>("yes")->click(); });
    s.press("owilock(0)");
    const QString notTaken = "Part#1: verification failed at register 0x1C: wrote 0x10, read 0x00";
    QStringList told;
    if (worn) told = {notTaken, "Errors in Commlock!"};
    QCOMPARE(s.op.messages, told);
    QCOMPARE(s.bench.eeprom(0, 0x1C), worn ? 0x00 : 0x10);
    const QString outcome = worn ? notTaken : QString("stored");
    QCOMPARE(QString::fromStdString(rx041::test::programmingRecords().back().outcome), outcome);

    s.op.messages.clear();
    s.press("PowerOn(0)");
    QStringList confirmed;
    if (!worn) confirmed = {"OWI communication is locked: F1", "Please Reset hardware and try again!"};
    QCOMPARE(s.op.messages, confirmed);
    QCOMPARE(s.state.ChipState[0], worn ? rx41::kOwiMode : rx41::kPowerOff);
  }

  void aLockedSecondChipPowersThePairOff() {
    Session s(rx41::Sources::Single);
    s.bench.setId(1, 0xF5);
    s.press("PowerOn(0)");
    QCOMPARE(s.op.messages, (QStringList{"OWI communication is locked: F5", "Please Reset hardware and try again!"}));
    QCOMPARE(s.state.ChipState[0], rx41::kPowerOff);
    QCOMPARE(s.state.ChipState[1], rx41::kPowerOff);
    QCOMPARE(s.control<QAbstractButton>("PowerOn(0)")->text(), QString("Power On"));
    QVERIFY(!s.control<QAbstractButton>("btnconfigsolver(0)")->isEnabled());
  }
};

RX041_QT_TEST(DualBenchTest)
#include "dual_parts_bench_test.moc"
