// The quick windows end to end: the real device and channel libraries,
// created by class name, talking to the virtual bench behind a COM number.
// A programmed chip must hold the registers its settings call for and, powered
// up again, put out the curve they describe. The fixed waits are instant
// here: the display, output-check and connection bench tests keep them real.
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "bench_window.h"
#include "expected_eeprom.h"
#include "qt_test_main.h"
#include "quick_window_fixture.h"
#include "rx041/test_support/short_reply_limits.h"

namespace {

using quick_test::expectedRegisters;
using quick_test::TaughtSettings;

constexpr int kCom = 6;
// The bench chips' DAC errors, each part its own (within what the calibration
// accepts, and with the test levels below 100 %).
constexpr double kGain[2] = {0.98, 1.004}, kOffset[2] = {1.2, -0.6};

// A quick window on the virtual bench, connected through the real libraries.
struct Session : rx041::test::BenchWindow {
  explicit Session(const char* argument) : BenchWindow(kCom) {
    for (int part = 0; part < 2; ++part) bench.setDac(part, kGain[part], kOffset[part]);
    open(quick_test::quickWindow(argument));
    connect();
  }

  // "Check Output" is offered once a part was programmed in this session.
  bool checkOutputOffered() const { return control<QPushButton>("CheckOutput")->isEnabled(); }

  // The calibration found the part's DAC error, and its EEPROM holds the
  // settings converted with it.
  void verifyEeprom(int part, const TaughtSettings& settings) {
    QVERIFY2(std::abs(state.DacK[part] * 3.6 - kGain[part]) < 0.002,
             qPrintable(QStringLiteral("part %1: %2").arg(part).arg(state.DacK[part])));
    QVERIFY2(std::abs(state.DacB[part] - kOffset[part]) < 0.05,
             qPrintable(QStringLiteral("part %1: %2").arg(part).arg(state.DacB[part])));
    for (const auto& [address, value] : expectedRegisters(settings, state.DacK[part], state.DacB[part]))
      QVERIFY2(bench.eeprom(part, address) == value, qPrintable(QStringLiteral("part %1 register %2: %3, expected %4")
                                                                    .arg(part)
                                                                    .arg(address)
                                                                    .arg(bench.eeprom(part, address))
                                                                    .arg(value)));
  }

  // Powered up again, the parts put out these levels (% of VDD) at these angles.
  void verifyOutputs(std::initializer_list<std::tuple<int, double, double>> expected) {
    for (std::int16_t part = 0; part < 2; ++part) {
      QCOMPARE(state.ChipState[part], rx41::kPowerOff);
      machine.ChipChangeToState(part, rx41::kPowerOff, rx41::kAdcMode);
    }
    for (const auto& [part, degrees, level] : expected) {
      bench.setAngle(part, degrees);
      QVERIFY2(std::abs(bench.output(part) - level) < 0.3,
               qPrintable(QStringLiteral("part %1 at %2: %3").arg(part).arg(degrees).arg(bench.output(part))));
    }
  }

  // One record per part for the preparation's store and one for the
  // configured store, read back and holding what the EEPROM now holds.
  void verifyRecords(const char* mode, int parts) {
    const auto records = rx041::test::programmingRecords();
    QCOMPARE(static_cast<int>(records.size()), 2 * parts);
    for (int i = 0; i < 2 * parts; ++i) {
      const rx041::records::ProgrammingRecord& record = records[static_cast<std::size_t>(i)];
      const bool configured = i >= parts;
      QCOMPARE(record.mode, std::string(mode));
      QCOMPARE(record.port, "COM" + std::to_string(kCom));
      QCOMPARE(record.part, i % parts + 1);
      QCOMPARE(record.outcome, std::string(rx041::records::kStoredOutcome));
      QCOMPARE(record.contents,
               configured ? rx041::records::EepromContents::Configured : rx041::records::EepromContents::Cleared);
      QCOMPARE(record.verification.result, rx041::records::VerificationResult::Passed);
      QCOMPARE(record.verification.reads, static_cast<std::int32_t>(record.registers.size()));
      // The configured store overwrote what the preparation stored.
      if (!configured) continue;
      for (const auto& [address, value] : record.registers)
        QVERIFY2(bench.eeprom(record.part - 1, address) == value, qPrintable(QString::number(address)));
    }
  }
};

}  // namespace

class QuickBenchTest : public QObject {
  Q_OBJECT

  void teachOnePart(const char* argument) {
    Session session(argument);
    QVERIFY(session.state.Device);
    session.bench.setAngle(0, 40.0);
    if (session.control("PowerOn")) session.press("PowerOn");
    session.press("SetpointA");
    QVERIFY(!session.checkOutputOffered());
    QCOMPARE(session.text("Angle(0)"), QString("40.00"));
    QCOMPARE(session.text("DP"), QString("220.00"));
    session.bench.setAngle(0, 140.0);
    session.type("Level(0)", "10");
    session.type("Level(1)", "90");
    session.press("SetpointB");
    QCOMPARE(session.op.messages, QStringList{});
    QVERIFY(session.checkOutputOffered());
    QCOMPARE(session.text("Angle(1)"), QString("140.00"));
    session.verifyEeprom(0, TaughtSettings{});
    session.verifyOutputs({{0, 40.0, 10.0}, {0, 140.0, 90.0}});
    session.verifyRecords(argument, 1);

    const rx41::CurveTables built = rx041::test::expectedCurveTables({.points = {{40, 10}, {140, 90}}, .dp = 220});
    QVERIFY(rx041::test::sameCurve(built, session.state, 0));
    session.press("connect");
    QVERIFY(!session.state.Device);
  }

  void teachBothParts(const char* argument) {
    Session session(argument);
    session.turnMagnets(40.0);
    if (session.control("PowerOn")) session.press("PowerOn");
    session.press("SetpointA");
    QVERIFY(!session.checkOutputOffered());
    session.turnMagnets(140.0);
    const std::pair<const char*, const char*> levels[] = {
        {"Level(0)", "10"}, {"Level(1)", "90"}, {"Level(2)", "80"}, {"Level(3)", "30"}};
    for (const auto& [name, level] : levels) session.type(name, level);
    session.press("SetpointB");
    QCOMPARE(session.op.messages, QStringList{});
    QVERIFY(session.checkOutputOffered());
    for (const char* name : {"Angle(0)", "Angle(2)"}) QCOMPARE(session.text(name), QString("40.00"));
    for (const char* name : {"Angle(1)", "Angle(3)"}) QCOMPARE(session.text(name), QString("140.00"));

    TaughtSettings second;
    second.level[0] = 80;
    second.level[1] = 30;
    session.verifyEeprom(0, TaughtSettings{});
    session.verifyEeprom(1, second);
    session.verifyOutputs({{0, 40.0, 10.0}, {0, 140.0, 90.0}, {1, 40.0, 80.0}, {1, 140.0, 30.0}});
    session.verifyRecords(argument, 2);
  }

 private slots:
  void teachesAndProgramsAChip() { teachOnePart("/2"); }
  void teachesAndProgramsAChipWithThePowerButton() { teachOnePart("/4"); }

  void placesPointBAndTheDpByOffsets() {
    Session session("/6");
    session.type("OffsetAngleB", "30");
    session.type("OffsetDP", "200");
    session.type("Level(0)", "10");
    session.type("Level(1)", "90");
    session.bench.setAngle(0, 10.0);
    session.press("SetpointA");
    QVERIFY(!session.checkOutputOffered());
    QCOMPARE(session.text("Angle(1)"), QString("40.00"));
    QCOMPARE(session.text("DP"), QString("210.00"));
    session.press("SetpointB");
    QCOMPARE(session.op.messages, QStringList{});
    QVERIFY(session.checkOutputOffered());

    TaughtSettings settings;
    settings.angle[0] = 10;
    settings.angle[1] = 40;
    settings.dp = 210;
    session.verifyEeprom(0, settings);
    // Up the line from A to B, on at clamp high up to the DP, then clamp low.
    session.verifyOutputs({{0, 10.0, 10.0}, {0, 25.0, 50.0}, {0, 40.0, 90.0}, {0, 120.0, 95.0}, {0, 300.0, 5.0}});
    session.verifyRecords("/6", 1);
  }

  void teachesAndProgramsBothParts() { teachBothParts("/3"); }
  void teachesAndProgramsBothPartsWithThePowerButton() { teachBothParts("/5"); }

  // A register of Part#2 that acknowledges writes it ignores: caught before
  // either store, told and recorded; both EEPROMs keep what they held.
  void aStuckRegisterStopsThePairBeforeAnyStore() {
    Session session("/3");
    session.turnMagnets(40.0);
    session.press("SetpointA");
    QCOMPARE(QString::fromStdString(session.bench.control("stuck 1 0x0B")), QString("ok"));
    std::vector<int> before[2];
    for (int part = 0; part < 2; ++part)
      for (int address = 1; address <= 22; ++address) before[part].push_back(session.bench.eeprom(part, address));
    session.turnMagnets(140.0);
    for (const char* name : {"Level(0)", "Level(2)"}) session.type(name, "10");
    for (const char* name : {"Level(1)", "Level(3)"}) session.type(name, "90");
    session.press("SetpointB");

    QCOMPARE(session.op.messages.size(), 1);
    const QString message = session.op.messages.front();
    QVERIFY2(message.startsWith("Part#2: verification failed at register 0x0B: wrote 0x"), qPrintable(message));
    for (int part = 0; part < 2; ++part)
      for (int address = 1; address <= 22; ++address)
        QVERIFY2(session.bench.eeprom(part, address) == before[part][static_cast<std::size_t>(address - 1)],
                 qPrintable(QStringLiteral("part %1 register %2").arg(part).arg(address)));
    const auto records = rx041::test::programmingRecords();
    QCOMPARE(records.size(), std::size_t{4});
    QCOMPARE(records[2].verification.result, rx041::records::VerificationResult::Passed);
    QCOMPARE(records[3].verification.result, rx041::records::VerificationResult::Failed);
    for (const auto& record : {records[2], records[3]}) {
      QCOMPARE(QString::fromStdString(record.outcome), message);
      QCOMPARE(record.programResult, std::nullopt);
    }
  }

  // An angle read whose reply comes after its limit: nothing is built from it,
  // and the reads of the next press each get their own register's reply, not
  // the late one (point B of one part taken from another register or part).
  void aLateAngleReplyIsNeverTakenForTheNextRead_data() {
    QTest::addColumn<QString>("argument");
    QTest::newRow("one part") << "/2";
    QTest::newRow("pair") << "/3";
  }
  void aLateAngleReplyIsNeverTakenForTheNextRead() {
    QFETCH(QString, argument);
    Session session(qPrintable(argument));
    const int parts = argument == "/3" ? 2 : 1;
    for (int part = 0; part < 2; ++part) session.bench.setAngle(part, 40.0 + 10 * part);
    session.press("SetpointA");
    for (int part = 0; part < 2; ++part) session.bench.setAngle(part, 140.5 + 10 * part);
    for (int part = 0; part < parts; ++part) {
      session.type(part == 0 ? "Level(0)" : "Level(2)", "10");
      session.type(part == 0 ? "Level(1)" : "Level(3)", "90");
    }
    // Past the reply limit, which is a second here (ShortReplyLimits).
    QCOMPARE(session.bench.control("fault once delay 2000 at C,O,R"), std::string("ok"));
    session.press("SetpointB");
    QCOMPARE(session.op.messages, QStringList{"Read Error! Please Check chip connections!"});
    QCOMPARE(static_cast<int>(rx041::test::programmingRecords().size()), parts);  // the preparation's only

    session.op.messages.clear();
    session.press("SetpointB");
    QCOMPARE(session.op.messages, QStringList{});
    for (int part = 0; part < parts; ++part) {
      QCOMPARE(session.text(part == 0 ? "Angle(1)" : "Angle(3)"), QString::number(140.5 + 10 * part, 'f', 2));
      TaughtSettings taught;
      taught.angle[0] = 40 + 10 * part;
      taught.angle[1] = 140.5 + 10 * part;
      taught.dp = 220 + 10 * part;
      session.verifyEeprom(part, taught);
    }
  }

  // No chip in the socket: named as not answering (not as a lock), told once;
  // only the OWI entry and its exit on the way back to ADC mode go unanswered
  // (each its limit and the quiet second after it), no identification or
  // angle is read from a part the failed preparation powered off.
  void aMissingChipIsNamedAndNotWaitedOut() {
    Session session("/2");
    session.bench.setPresent(0, false);
    QElapsedTimer timer;
    timer.start();
    session.press("SetpointA");
    const qint64 limitMs = rx041::test::ShortReplyLimits::kCap.count();  // how many are waited out is the point
    QVERIFY2(timer.elapsed() < 2 * (limitMs + 250 + 1300) + 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(session.op.messages, QStringList{"Part#1 does not answer: check that the chip is in its socket"});
    for (const std::string& frame : session.bench.frames()) QVERIFY2(frame.rfind("$C,O,R", 0) != 0, frame.c_str());
    QCOMPARE(session.state.ChipState[0], rx41::kPowerOff);
  }

  // The DAC calibration ends by switching the test output off (0x22 = 0); a
  // worn cell that ignores it would leave the part at full scale at every
  // angle. Registers outside the solver's are read back too.
  void aTestSwitchThatStaysOnStopsTheStore() {
    Session session("/2");
    QCOMPARE(session.bench.control("eeprom 0 0x22 1"), std::string("ok 1"));
    QCOMPARE(session.bench.control("stuck 0 0x22"), std::string("ok"));
    session.turnMagnets(40.0);
    session.press("SetpointA");
    session.turnMagnets(140.0);
    session.type("Level(0)", "10");
    session.type("Level(1)", "90");
    session.press("SetpointB");

    const QString message = "Part#1: verification failed at register 0x22: wrote 0x00, read 0x01";
    QCOMPARE(session.op.messages, QStringList{message});
    const auto records = rx041::test::programmingRecords();
    QCOMPARE(records.size(), std::size_t{2});
    QCOMPARE(records[1].verification.result, rx041::records::VerificationResult::Failed);
    QCOMPARE(QString::fromStdString(records[1].outcome), message);
    QCOMPARE(records[1].registers.at(0x22), 0);
  }
};

RX041_QT_TEST(QuickBenchTest)
#include "quick_bench_test.moc"
