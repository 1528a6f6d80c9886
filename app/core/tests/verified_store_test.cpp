// The verified, recorded store on the recording device: what is read back,
// what is stored, what the operator is told and what each part's record says,
// for one part and for the pair.
#include "rx41/core/verified_store.h"

#include <QTest>
#include <fstream>
#include <nlohmann/json.hpp>

#include "qt_test_main.h"
#include "rx041/records/record_file.h"
#include "rx041/records/record_time.h"
#include "rx041/test_support/recording_device.h"
#include "rx041/test_support/temp_dir.h"
#include "rx41/core/state_machine.h"
#include "scripted_operator.h"
#include "window_bench.h"

Q_DECLARE_METATYPE(rx041::records::EepromContents)

namespace {

using rx041::records::VerificationResult;
using rx41::StoreOutcome;

struct Bench {
  rx041::test::TempDir dir;
  rx041::test::ScopedEnv records{"RX041_RECORD_DIR", dir.path().c_str()};
  rx041::test::ScopedEnv ports{"RX041_PORTS", dir.path().c_str()};
  rx041::test::ScriptedOperator op;
  rx41::AppState state;
  std::shared_ptr<rx041::test::RecordingDevice> device = std::make_shared<rx041::test::RecordingDevice>();
  rx41::StateMachine machine{state, op};
  rx41::RecordJournal journal;

  Bench() {
    state.Device = device;
    state.ProgrammerState = rx41::kConnected;
    // Part#1's copy wrote registers 1, 11 and 12; Part#2's register 11.
    device->script().written[0].values[1] = 0x21;
    device->script().written[0].values[11] = 0x66;
    device->script().written[0].values[12] = 0x9A;
    device->script().written[1].values[11] = 0x66;
  }
  std::optional<StoreOutcome> store(rx41::PartSet parts, rx041::records::EepromContents contents) {
    return rx41::verifiedStore(machine.calls(), parts, contents, journal);
  }
  QStringList calls(const std::string& member) const {
    QStringList out;
    for (const auto& call : device->script().callTexts(member)) out << QString::fromStdString(call);
    return out;
  }
};

rx41::PartSet partsOf(int parts) {
  return parts == 2 ? rx41::PartSet::both() : rx41::PartSet::part(static_cast<std::int16_t>(parts));
}

}  // namespace

class VerifiedStoreTest : public QObject {
  Q_OBJECT

 private slots:
  void outcomesOfOnePartAndOfThePair_data() {
    QTest::addColumn<int>("parts");  // 0, 1, or 2 for both
    QTest::addColumn<rx041::records::EepromContents>("contents");
    QTest::addColumn<QList<double>>("readBack");    // the MemRead answers in order
    QTest::addColumn<QList<double>>("programmed");  // the ProgramDevice answers in order
    QTest::addColumn<int>("outcome");               // a StoreOutcome, or -1 for none
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("stores");        // ProgramDevice calls
    QTest::addColumn<QList<int>>("verifications");  // a rx041::records::VerificationResult per part
    QTest::addColumn<QStringList>("outcomes");      // the record's outcome per part
    const auto configured = rx041::records::EepromContents::Configured;
    const QString stuck = "Part#1: verification failed at register 0x0B: wrote 0x66, read 0x00";
    const QString unread = "Part#2: verification failed at register 0x0B: wrote 0x66, read failed";
    const int passed = static_cast<int>(rx041::records::VerificationResult::Passed);
    const int failed = static_cast<int>(rx041::records::VerificationResult::Failed);

    QTest::newRow("stored") << 0 << configured << QList<double>{0x21, 0x66, 0x9A} << QList<double>{0}
                            << static_cast<int>(StoreOutcome::Stored) << QStringList{}
                            << QStringList{"ProgramDevice(0)"} << QList<int>{passed} << QStringList{"stored"};
    QTest::newRow("stuck register") << 0 << configured << QList<double>{0x21, 0x00} << QList<double>{}
                                    << static_cast<int>(StoreOutcome::Stopped) << QStringList{stuck} << QStringList{}
                                    << QList<int>{failed} << QStringList{stuck};
    QTest::newRow("store failed") << 1 << configured << QList<double>{0x66} << QList<double>{2}
                                  << static_cast<int>(StoreOutcome::StoreFailed)
                                  << QStringList{"Failed in programming device"} << QStringList{"ProgramDevice(1)"}
                                  << QList<int>{passed} << QStringList{"Failed in programming device"};
    QTest::newRow("pair stored") << 2 << configured << QList<double>{0x21, 0x66, 0x9A, 0x66} << QList<double>{0, 0}
                                 << static_cast<int>(StoreOutcome::Stored) << QStringList{}
                                 << QStringList{"ProgramDevice(0)", "ProgramDevice(1)"} << QList<int>{passed, passed}
                                 << QStringList{"stored", "stored"};
    // Either part's failure stops the pair before any store.
    QTest::newRow("pair, Part#2 unread") << 2 << configured << QList<double>{0x21, 0x66, 0x9A, 511} << QList<double>{}
                                         << static_cast<int>(StoreOutcome::Stopped) << QStringList{unread}
                                         << QStringList{} << QList<int>{passed, failed} << QStringList{unread, unread};
    // A cleared solver is read back too; the message names the part that was stored.
    QTest::newRow("pair cleared, Part#2 store failed")
        << 2 << rx041::records::EepromContents::Cleared << QList<double>{0x21, 0x66, 0x9A, 0x66} << QList<double>{0, 2}
        << static_cast<int>(StoreOutcome::StoreFailed)
        << QStringList{"Part#1 programmed; Part#2 failed in programming device"}
        << QStringList{"ProgramDevice(0)", "ProgramDevice(1)"} << QList<int>{passed, passed}
        << QStringList{"stored", "Failed in programming device"};
    // A pair stops at the first failed store: the other part keeps what it held.
    QTest::newRow("pair, Part#1 store failed, the rest stopped")
        << 2 << configured << QList<double>{0x21, 0x66, 0x9A, 0x66} << QList<double>{2}
        << static_cast<int>(StoreOutcome::StoreFailed)
        << QStringList{"Part#1 failed in programming device; Part#2 not programmed"} << QStringList{"ProgramDevice(0)"}
        << QList<int>{passed, passed}
        << QStringList{"Failed in programming device", "not stored: Failed in programming device"};
  }
  void outcomesOfOnePartAndOfThePair() {
    QFETCH(int, parts);
    QFETCH(rx041::records::EepromContents, contents);
    QFETCH(QList<double>, readBack);
    QFETCH(QList<double>, programmed);
    QFETCH(int, outcome);
    Bench bench;
    for (const double value : readBack) bench.device->script().answerOnce("MemRead", {value});
    for (const double value : programmed) bench.device->script().answerOnce("ProgramDevice", {value});

    const auto result = bench.store(partsOf(parts), contents);
    QCOMPARE(result ? static_cast<int>(*result) : -1, outcome);
    QTEST(bench.op.messages, "messages");
    QTEST(bench.calls("ProgramDevice"), "stores");
    QCOMPARE(bench.calls("MemRead").size(), readBack.size());
    QList<int> verifications;
    QStringList outcomes;
    const auto records = rx041::test::programmingRecords();
    for (const auto& record : records) {
      verifications << static_cast<int>(record.verification.result);
      outcomes << QString::fromStdString(record.outcome);
    }
    QTEST(verifications, "verifications");
    QTEST(outcomes, "outcomes");
    QCOMPARE(static_cast<int>(records.size()), parts == 2 ? 2 : 1);
  }

  void aCallThatFailsOutrightStopsThePairAndIsRecorded() {
    Bench bench;
    bench.device->script().fail("ProgramDevice", rx041::com::E_FAIL);
    bench.device->script().answer("MemRead", 0x66);
    bench.device->script().written[0] = {};
    QVERIFY(!bench.store(rx41::PartSet::both(), rx041::records::EepromContents::Configured));
    const QString failure = "Method 'ProgramDevice' of object 'IZQ3902Device' failed";
    QCOMPARE(bench.op.messages, QStringList{failure});
    QCOMPARE(bench.calls("ProgramDevice"), QStringList{"ProgramDevice(0)"});
    const auto records = rx041::test::programmingRecords();
    QCOMPARE(records.size(), std::size_t{2});
    QCOMPARE(records[0].verification.reason, std::string("nothing written since power-on"));
    for (const auto& record : records) QCOMPARE(QString::fromStdString(record.outcome), failure);
  }

  // The windows' store step: OWI mode is entered again after a store that was
  // made or stopped, and only a store that was made lets the flow go on.
  void theStoreStepReentersOwiModeAndTellsWhetherToGoOn() {
    const struct {
      const char* name;
      QList<double> readBack;
      double programmed;
      rx041::com::HRESULT programStatus;
      bool goOn;
      int reentries;
    } cases[] = {
        {"stored", {0x21, 0x66, 0x9A}, 0, rx041::com::S_OK, true, 1},
        {"store failed", {0x21, 0x66, 0x9A}, 2, rx041::com::S_OK, true, 1},
        {"stopped by the read-back", {0x21, 0x00}, 0, rx041::com::S_OK, false, 1},
        {"call failed", {0x21, 0x66, 0x9A}, 0, rx041::com::E_FAIL, false, 0},
    };
    for (const auto& c : cases) {
      Bench bench;
      for (const double value : c.readBack) bench.device->script().answerOnce("MemRead", {value});
      bench.device->script().answer("ProgramDevice", c.programmed);
      bench.device->script().fail("ProgramDevice", c.programStatus);
      const bool goOn = rx41::mayGoOn(
          rx41::storeAndReenterOwi(bench.machine, rx41::PartSet::part(0), rx041::records::EepromContents::Configured));
      QVERIFY2(goOn == c.goOn, c.name);
      QVERIFY2(bench.calls("Customized_EnterOWI").size() == c.reentries, c.name);
    }
  }

  void theRecordCarriesWhatTheFlowToldTheDevice() {
    Bench bench;
    std::filesystem::create_symlink("/dev/serial/by-id/usb-FTDI_A1B2C3-if00-port0", bench.dir / "COM3");
    bench.state.connectedPort = 3;
    bench.state.DacK[0] = 0.275f;
    bench.state.DacB[0] = 1.25f;
    rx41::DeviceCalls& calls = bench.machine.calls();
    calls.identify({"/4", "MainForm2PointsProgrammingWithPwr"});
    bench.device->script().answer("MeasureVdd", 4.995);
    calls.MeasureVdd(0);
    calls.ValidateChipID(0, 0x31, rx41::CommLockRecording::Ignore);
    const rx41::SolverSetting settings[] = {{rx041::zq3902::SolverSettingClampingLow, 5.0f},
                                            {rx041::zq3902::SolverTargetLevelPointC, std::int16_t{0}},
                                            {rx041::zq3902::SolverTargetAngleA, 40.0f}};
    calls.StoreInSolver(0, settings, 1);
    bench.device->script().answerOnce("MemRead", {0x21, 0x66, 0x9A});
    QCOMPARE(
        rx41::verifiedStore(calls, rx41::PartSet::part(0), rx041::records::EepromContents::Configured, bench.journal),
        StoreOutcome::Stored);

    std::ifstream file(rx041::records::recordFilePath());
    std::string line;
    std::getline(file, line);
    const auto record = nlohmann::json::parse(line);
    const auto expected = nlohmann::json::parse(R"({
      "mode": "/4", "window": "MainForm2PointsProgrammingWithPwr",
      "port": "COM3", "device": "/dev/serial/by-id/usb-FTDI_A1B2C3-if00-port0",
      "part": 1, "chip_id": 49, "vdd": 4.995, "dac": {"k": 0.275, "b": 1.25}, "contents": "configured",
      "settings": {"clamp_low": 5.0, "clamp_high": null, "dp": null,
                   "points": {"A": {"angle": 40.0, "level": null}, "B": {"angle": null, "level": null},
                              "C": {"angle": null, "level": 0.0}, "D": {"angle": null, "level": null}},
                   "slope": null, "op": null, "hys": null, "switch_polarity": null,
                   "output_mode": null, "pwm_frequency": null, "pwm_polarity": null, "dac_correction": true},
      "registers": {"0x01": "0x21", "0x0B": "0x66", "0x0C": "0x9A"},
      "verification": {"result": "passed", "reads": 3},
      "program_result": 0, "outcome": "stored"})");
    for (const auto& [key, value] : expected.items())
      QCOMPARE(QString::fromStdString(key + ": " + record[key].dump()),
               QString::fromStdString(key + ": " + value.dump()));
    QVERIFY(rx041::records::parseIsoTime(record["time"].get<std::string>()));
    QVERIFY(!record["host"].get<std::string>().empty());
  }

  void aLockBitThatDidNotTakeIsReportedAndRecorded() {
    const QString notTaken = "Part#2: verification failed at register 0x1C: wrote 0x10, read 0x00";
    const struct {
      double result;
      rx041::com::HRESULT status;
      QString outcome;
      rx041::records::VerificationResult verification;
      QStringList messages;
      int reads;
    } cases[] = {
        {0, rx041::com::S_OK, "stored", rx041::records::VerificationResult::Skipped, {}, 0},
        {1, rx041::com::S_OK, "Commlock result 1", rx041::records::VerificationResult::Skipped, {}, 0},
        {5, rx041::com::S_OK, notTaken, rx041::records::VerificationResult::Failed, {notTaken}, 1},
        {0,
         rx041::com::E_FAIL,
         "Method 'Commlock' of object 'IZQ3902Solver' failed",
         rx041::records::VerificationResult::Skipped,
         {"Method 'Commlock' of object 'IZQ3902Solver' failed"},
         0},
    };
    for (const auto& c : cases) {
      Bench bench;
      bench.device->script().written[1].values[0x1C] = 0x10;
      bench.device->script().answer("Commlock", c.result);
      bench.device->script().answer("MemRead", 0x00);
      bench.device->script().fail("Commlock", c.status);
      const auto result = rx41::recordedCommlock(bench.machine.calls(), 1, bench.journal);
      QCOMPARE(result.has_value(), c.status == rx041::com::S_OK);
      QCOMPARE(bench.op.messages, c.messages);
      const auto records = rx041::test::programmingRecords();
      QCOMPARE(records.size(), std::size_t{1});
      QCOMPARE(records[0].part, 2);
      QCOMPARE(records[0].contents, rx041::records::EepromContents::CommLock);
      QCOMPARE(records[0].verification.result, c.verification);
      QCOMPARE(QString::fromStdString(records[0].outcome), c.outcome);
      QCOMPARE(bench.calls("MemRead").size(), c.reads);
    }
  }

  void aRecordThatCannotBeWrittenIsToldOnceAndStopsNothing() {
    Bench bench;
    std::ofstream(bench.dir / "taken") << "a file where the record folder should be";
    rx041::test::ScopedEnv records("RX041_RECORD_DIR", (bench.dir / "taken").c_str());
    bench.device->script().written[0] = {};
    for (int run = 0; run < 2; ++run)
      QCOMPARE(bench.store(rx41::PartSet::part(0), rx041::records::EepromContents::Configured), StoreOutcome::Stored);
    QCOMPARE(bench.calls("ProgramDevice"), (QStringList{"ProgramDevice(0)", "ProgramDevice(0)"}));
    QCOMPARE(bench.op.messages.size(), 1);
    QVERIFY2(bench.op.messages.front().startsWith("The programming record could not be written: " +
                                                  QString::fromStdString((bench.dir / "taken").string())),
             qPrintable(bench.op.messages.front()));
  }
};

RX041_QT_TEST(VerifiedStoreTest)
#include "verified_store_test.moc"
