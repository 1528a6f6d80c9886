// The device calls and the chip bring-up on the recording device: the calls
// each part set makes, the judgements of the identification word and of the
// DAC calibration, and how failed calls reach the operator.
#include <QTest>

#include "qt_test_main.h"
#include "rx041/test_support/recording_device.h"
#include "rx41/core/chip_bring_up.h"
#include "rx41/core/state_machine.h"
#include "scripted_operator.h"

namespace {

struct Bench {
  rx041::test::ScriptedOperator op;
  rx41::AppState state;
  std::shared_ptr<rx041::test::RecordingDevice> device = std::make_shared<rx041::test::RecordingDevice>();
  rx41::StateMachine machine{state, op};

  explicit Bench(bool connected = true) {
    if (!connected) return;
    state.Device = device;
    state.ProgrammerState = rx41::kConnected;
    device->script().answer("MeasureVdd", 5.0);
    device->script().answer("MemRead", 0x31);
  }
  QStringList calls() const {
    QStringList out;
    for (const auto& call : device->script().callTexts()) out << QString::fromStdString(call);
    return out;
  }
  rx41::BringUpResult bringUp(rx41::PartSet parts, rx41::CommLockRecording lock = rx41::CommLockRecording::Ignore) {
    rx41::WaitNotice wait(nullptr, "Getting VDD of device...  Please Wait...");
    return rx41::bringUpChips(machine, parts, wait, {.commLock = lock});
  }
};

}  // namespace

class DeviceCallsTest : public QObject {
  Q_OBJECT

 private slots:
  void bringUpCallsPerPartSet_data() {
    QTest::addColumn<int>("parts");  // 0, 1, or 2 for both
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("Part#2") << 1
                            << QStringList{"Customized_PowerOn(1)", "Customized_SetADCMode(1)", "MeasureVdd(1)",
                                           "Customized_EnterOWI(1)", "MemRead(1, 72)"};
    // One VDD measurement for the pair, OWI mode for both at once, then each identification.
    QTest::newRow("pair") << 2 << QStringList{"Customized_PowerOn(0)", "Customized_SetADCMode(0)",
                                              "Customized_PowerOn(1)", "Customized_SetADCMode(1)",
                                              "MeasureVdd(3)",         "Customized_EnterOWI(3)",
                                              "MemRead(0, 72)",        "MemRead(1, 72)"};
  }
  void bringUpCallsPerPartSet() {
    QFETCH(int, parts);
    Bench bench;
    const auto set = parts == 2 ? rx41::PartSet::both() : rx41::PartSet::part(static_cast<std::int16_t>(parts));
    const rx41::BringUpResult result = bench.bringUp(set);
    QCOMPARE(result.outcome, rx41::BringUpOutcome::Ready);
    QCOMPARE(result.vdd, 5.0f);
    QTEST(bench.calls(), "calls");
    QVERIFY(bench.op.messages.isEmpty());
  }

  void aLockedChipIsRecordedOnlyWhenAsked() {
    for (const auto lock : {rx41::CommLockRecording::Ignore, rx41::CommLockRecording::Record}) {
      Bench bench;
      bench.device->script().answerOnce("MemRead", {0x31, 0xF5});
      QCOMPARE(bench.bringUp(rx41::PartSet::both(), lock).outcome, rx41::BringUpOutcome::ChipRefused);
      QCOMPARE(bench.op.messages,
               (QStringList{"OWI communication is locked: F5", "Please Reset hardware and try again!"}));
      QCOMPARE(bench.state.CommLocked[1], lock == rx41::CommLockRecording::Record ? rx41::kTrue16 : rx41::kFalse16);
      QCOMPARE(bench.state.CommLocked[0], rx41::kFalse16);
    }
  }

  void bothIdentificationsAreJudgedBeforeTheStop() {
    Bench bench;
    bench.device->script().answerOnce("MemRead", {511, 0xF0});
    QCOMPARE(bench.bringUp(rx41::PartSet::both()).outcome, rx41::BringUpOutcome::ChipRefused);
    QCOMPARE(bench.op.messages,
             (QStringList{"Part#1 does not answer: check that the chip is in its socket",
                          "OWI communication is locked: F0", "Please Reset hardware and try again!"}));
  }

  // An OWI entry no chip answered: no lock is blamed and no identification waits out its limit.
  void aPartThatDoesNotAnswerItsEntryIsNamedAndNotRead() {
    for (const auto& [parts, message] :
         {std::pair{rx41::PartSet::part(1), "Part#2 does not answer: check that the chip is in its socket"},
          std::pair{rx41::PartSet::both(),
                    "Part#1 and Part#2 do not answer: check that the chips are in their sockets"}}) {
      Bench bench;
      bench.device->script().answer("Customized_EnterOWI", 1);
      QCOMPARE(bench.bringUp(parts).outcome, rx41::BringUpOutcome::ChipRefused);
      QCOMPARE(bench.op.messages, QStringList{message});
      QVERIFY(bench.device->script().callTexts("MemRead").empty());
    }
  }

  void noSupplyStopsSilentlyBeforeOwiMode() {
    Bench bench;
    bench.device->script().answer("MeasureVdd", -101.0);
    const auto result = bench.bringUp(rx41::PartSet::part(0));
    QCOMPARE(result.outcome, rx41::BringUpOutcome::NoSupply);
    QCOMPARE(result.vdd, -101.0f);
    QVERIFY(bench.device->script().callTexts("Customized_EnterOWI").empty());
    QVERIFY(bench.op.messages.isEmpty());
  }

  void failedCallsAreToldInOnePlace() {
    Bench offline(false);
    QCOMPARE(offline.bringUp(rx41::PartSet::part(0)).outcome, rx41::BringUpOutcome::CallFailed);
    QCOMPARE(offline.op.messages, QStringList{"Error: in Offline mode"});

    Bench bench;
    bench.device->script().fail("MemRead", rx041::com::E_NOTIMPL);
    QCOMPARE(bench.bringUp(rx41::PartSet::part(0)).outcome, rx41::BringUpOutcome::CallFailed);
    QCOMPARE(bench.op.messages, QStringList{"Method 'MemRead' of object 'IZQ3902Advanced' failed"});
    bench.op.messages.clear();
    bench.device->script().fail("Customized_PowerOff", rx041::com::E_FAIL);
    QVERIFY(!bench.machine.ChipChangeToState(0, rx41::kAdcMode, rx41::kPowerOff));
    QCOMPARE(bench.op.messages, QStringList{"Method 'Customized_PowerOff' of object 'IZQ3902Device' failed"});
  }

  void calibrationOfAPairKeepsTheValuesOfAFailedPart() {
    Bench bench;
    auto& script = bench.device->script();
    script.dac[0] = 0.275f;
    script.dac[1] = 1.5f;
    script.dac[2] = 0.276f;
    script.dac[3] = 9.0f;
    script.answerOnce("DAC_calibration", {0x28});  // Part#2's offset out of range
    bench.machine.calls().CalibrateDac(rx41::PartSet::both());
    QCOMPARE(bench.device->script().callTexts("DAC_calibration"), std::vector<std::string>{"DAC_calibration(3)"});
    QCOMPARE(bench.state.DacK[0], 0.275f);
    QCOMPARE(bench.state.DacB[0], 1.5f);
    QCOMPARE(bench.state.DacK[1], rx41::kDefaultDacK);
    QCOMPARE(bench.state.DacB[1], 0.0f);
    QCOMPARE(bench.op.messages, QStringList{"Offset Parameters of Part#2 are invalid! K1: 0.276 B1: 9"});

    // One part takes its values whatever the status says.
    bench.op.messages.clear();
    script.answerOnce("DAC_calibration", {0x24});
    bench.machine.calls().CalibrateDac(rx41::PartSet::part(1));
    QCOMPARE(bench.state.DacB[1], 9.0f);
    QCOMPARE(bench.op.messages, QStringList{"Offset Parameters of Part#2 are invalid! K1: 0.276 B1: 9"});
  }

  void storeInSolverNeedsADevice() {
    Bench offline(false);
    const rx41::SolverSetting settings[] = {{rx041::zq3902::SolverSettingDP, 10.0f}};
    QVERIFY(!offline.machine.calls().StoreInSolver(0, settings, 1));
    QCOMPARE(offline.op.messages, QStringList{"Not Connected! Cannot Perform Store In Solver"});
  }
};

RX041_QT_TEST(DeviceCallsTest)
#include "device_calls_test.moc"
