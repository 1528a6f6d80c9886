// The verified store end to end: the real device and channel libraries on the
// virtual bench. A configured part is read back and stored; a register that
// acknowledges writes it ignores is caught before the store, and the EEPROM
// keeps what it held.
#include <QTest>
#include <fstream>
#include <tuple>

#include "bench_window.h"
#include "qt_test_main.h"
#include "rx041/records/record_file.h"
#include "rx41/core/verified_store.h"

namespace {

using namespace rx041::zq3902;

constexpr int kCom = 5;

struct StoreRun {
  std::optional<rx41::StoreOutcome> outcome;
  int reads = 0;  // register reads sent for the store
};

}  // namespace

class VerifiedStoreBenchTest : public QObject {
  Q_OBJECT

 private slots:
  void readBackPassesAndAStuckRegisterStopsTheStore() {
    rx041::test::BenchWindow b(kCom);
    auto [bench, op] = std::tie(b.bench, b.op);
    b.connectDevice();
    QVERIFY(b.machine.ensureOwiMode(0));
    rx41::DeviceCalls& calls = b.machine.calls();
    QCOMPARE(calls.ClearSolverSettings(0), 0);
    QCOMPARE(rx41::verifiedStore(calls, rx41::PartSet::part(0), rx041::records::EepromContents::Cleared),
             rx41::StoreOutcome::Stored);

    const auto program = [&](float levelA) {
      const rx41::SolverSetting settings[] = {{SolverSettingClampingLow, 5.0f}, {SolverSettingClampingHigh, 95.0f},
                                              {SolverSettingDP, 220.0f},        {SolverTargetLevelPointA, levelA},
                                              {SolverTargetAngleA, 40.0f},      {SolverTargetLevelPointB, 90.0f},
                                              {SolverTargetAngleB, 140.0f}};
      calls.StoreInSolver(0, settings, 0);
      if (calls.CopySolverSettingsToParameters(0) != 0) return StoreRun{};
      const auto framesBefore = bench.frames().size();
      StoreRun run{rx41::verifiedStore(calls, rx41::PartSet::part(0), rx041::records::EepromContents::Configured)};
      const auto frames = bench.frames();
      for (auto frame = frames.begin() + static_cast<std::ptrdiff_t>(framesBefore); frame != frames.end(); ++frame)
        run.reads += frame->rfind("$C,O,R,1,", 0) == 0 ? 1 : 0;
      return run;
    };

    // Level A 10 % is code 0x19A: register 11 holds 0x9A.
    const StoreRun verified = program(10.0f);
    QCOMPARE(verified.outcome, rx41::StoreOutcome::Stored);
    QCOMPARE(verified.reads, 22);
    QCOMPARE(bench.eeprom(0, 11), 0x9A);
    QCOMPARE(op.messages, QStringList{});

    std::vector<int> eeprom;
    for (int address = 1; address <= 22; ++address) eeprom.push_back(bench.eeprom(0, address));
    QCOMPARE(QString::fromStdString(bench.control("stuck 0 0x0B")), QString("ok"));
    // Level A 20 % is code 0x333: register 11 should become 0x33 but stays 0x9A.
    const StoreRun stopped = program(20.0f);
    QCOMPARE(stopped.outcome, rx41::StoreOutcome::Stopped);
    QCOMPARE(stopped.reads, 11);
    QCOMPARE(op.messages, QStringList{"Part#1: verification failed at register 0x0B: wrote 0x33, read 0x9A"});
    for (int address = 1; address <= 22; ++address)
      QVERIFY2(bench.eeprom(0, address) == eeprom[static_cast<std::size_t>(address - 1)],
               qPrintable(QString("EEPROM register %1 changed").arg(address)));

    std::ifstream file(rx041::records::recordFilePath());
    const auto contents = rx041::records::readRecords(file);
    QCOMPARE(contents.records.size(), std::size_t{3});
    QVERIFY(contents.problems.empty());
    const rx041::records::ProgrammingRecord& last = contents.records.back().record;
    QCOMPARE(last.verification.result, rx041::records::VerificationResult::Failed);
    QCOMPARE(last.registers.at(11), 0x33);
    QCOMPARE(QString::fromStdString(last.outcome), op.messages.front());
    QCOMPARE(last.port, std::string("COM5"));
    QCOMPARE(last.device, bench.devicePath().string());
  }
};

RX041_QT_TEST_REAL_WAITS(VerifiedStoreBenchTest)
#include "verified_store_bench_test.moc"
