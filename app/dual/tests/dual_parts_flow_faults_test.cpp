// The dual-part windows' flows under bench faults at the command kinds each
// sends (a sample in the default run, all of them with RX041_FAULTS_FULL):
// Power On, New Device, Program, Comm Lock and Read Angle of "/1", Power On
// of the pair in "/0". Silence must mean the result is there (VDD, the DAC
// calibration, the EEPROM, the lock, the angle), a hang-up is told as a lost
// programmer, and Disconnect, Connect and the same flow work afterwards.
#include <QAbstractButton>
#include <QCheckBox>
#include <QTest>
#include <cmath>
#include <functional>
#include <memory>

#include "chip_registers.h"
#include "dual_window_fixture.h"
#include "flow_faults.h"
#include "qt_test_main.h"

namespace {

using rx041::test::findControl;

constexpr int kCom = 11;
// The chips' DAC gain error, for the calibration to find (an error-free DAC
// would put out the whole supply at its top test code: a clipped reading).
constexpr double kGain = 0.98;
constexpr double kReadAngle = 123.45;
constexpr int kLockRegister = 28, kLockBit = 0x10;

struct DualSession : rx041::test::BenchWindow {
  explicit DualSession(rx41::Sources sources) : BenchWindow(kCom) {
    for (int part = 0; part < 2; ++part) bench.setDac(part, kGain, 0.0);
    open(dual_test::dualWindow(sources));
    connect();
  }

  // The part ticked (where the window has the box) and powered.
  void powerOn(int part) {
    if (auto* box = control<QCheckBox>(QStringLiteral("PartEnable(%1)").arg(part))) box->setChecked(true);
    click(QStringLiteral("PowerOn(%1)").arg(part));
  }

  bool disconnectOffered = false;  // when the recovery began
};

bool calibrated(const DualSession& s) { return std::abs(s.state.DacK[0] * 3.6 - kGain) < 0.002; }

bool programmed(const DualSession& s) {
  const auto targets = dual_test::sentPoints({40, 140, 140, 140}, {10, 90, 0, 0});
  for (const auto& [address, bits] : dual_test::expectedRegisters(targets, s.state.DacK[0], s.state.DacB[0]))
    if ((s.bench.eeprom(0, address) & bits.second) != bits.first) return false;
  return true;
}

// A failed supply measurement powers the part off without a message, as
// designed: the button offers Power On again.
bool powerOnStillOffered(const DualSession& s) { return s.text("PowerOn(0)") == "Power On"; }

struct DualFlow {
  const char* name;
  rx41::Sources sources;
  rx041::test::CommandKinds kinds;
  // The flow on the session; the part it works on may change between runs.
  std::function<rx041::test::OperatorFlow(DualSession&, int& part)> make;
};

rx041::test::OperatorFlow flow(DualSession& s, std::function<void()> prepare, std::function<void()> act,
                               std::function<bool()> done) {
  return {.prepare = std::move(prepare),
          .act = std::move(act),
          .done = std::move(done),
          .reconnect =
              [&s] {
                // The window disconnects only with both parts off, or with the programmer lost.
                s.disconnectOffered = s.enabled("connect");
                for (int unit = 0; unit < 2 && !s.disconnectOffered; ++unit)
                  if (auto* power = s.control<QAbstractButton>(QStringLiteral("PowerOn(%1)").arg(unit));
                      power && power->isEnabled() && power->text() == "Power Off")
                    power->click();
                s.click("connect");
                s.connect();
              },
          .failureShownOtherwise = [&s] { return powerOnStillOffered(s); }};
}

const std::vector<DualFlow>& dualFlows() {
  using Flow = rx041::test::OperatorFlow;
  static const std::vector<DualFlow> flows = {
      {"/1 Power On",
       rx41::Sources::Dual,
       {"R,P,O", "R,M,V", "M,T,W", "M,E,W", "C,O,R"},
       [](DualSession& s, int&) -> Flow {
         return flow(
             s, [] {}, [&s] { s.powerOn(0); },
             [&s] { return s.state.ChipState[0] == rx41::kOwiMode && s.text("VDD(0)") == "5.000"; });
       }},
      {"/1 New Device",
       rx41::Sources::Dual,
       {"C,O,W", "M,A,W", "M,S,W", "M,T,W"},
       [](DualSession& s, int&) -> Flow {
         Flow newDevice = flow(
             s, [&s] { s.powerOn(0); }, [&s] { s.click("newdevice(0)"); }, [&s] { return calibrated(s); });
         // Without a chip the clear, both EEPROM steps and every write of the
         // calibration wait out their limits: about 100 s.
         newDevice.absentChipTimeouts = 22;
         return newDevice;
       }},
      {"/1 Program",
       rx41::Sources::Dual,
       {"C,O,R", "C,O,W", "M,S,W"},
       [](DualSession& s, int&) -> Flow {
         return flow(
             s,
             [&s] {
               s.powerOn(0);
               s.click("newdevice(0)");
               s.type("Angle(0)", "40");
               s.type("Level(0)", "10");
               s.type("Angle(1)", "140");
               s.type("Level(1)", "90");
             },
             [&s] { s.click("btnconfigsolver(0)"); }, [&s] { return programmed(s); });
       }},
      {"/1 Comm Lock",
       rx41::Sources::Dual,
       {"C,O,R", "C,O,W", "M,S,W", "R,P,F"},
       [](DualSession& s, int& part) -> Flow {
         // A lock is for good: the run after the recovery locks the other part.
         return flow(
             s,
             [&s, &part, runs = std::make_shared<int>(0)] {
               part = (*runs)++;
               s.powerOn(part);
               s.op.modalHandlers.push_back(
                   [](QDialog& confirm) { findControl<QAbstractButton>(confirm, "yes")->click(); });
             },
             [&s, &part] { s.click(QStringLiteral("owilock(%1)").arg(part)); },
             [&s, &part] { return (s.bench.eeprom(part, kLockRegister) & kLockBit) != 0; });
       }},
      {"/1 Read Angle",
       rx41::Sources::Dual,
       {"C,O,R"},
       [](DualSession& s, int&) -> Flow {
         return flow(
             s,
             [&s] {
               s.bench.setAngle(0, kReadAngle);
               s.powerOn(0);
             },
             [&s] { s.click("btnreadangle(0)"); }, [&s] { return s.text("Rangle(0)") == "123.45"; });
       }},
      {"/0 Power On of the pair",
       rx41::Sources::Single,
       {"R,P,O", "M,T,W", "M,E,W", "C,O,R"},
       [](DualSession& s, int&) -> Flow {
         return flow(
             s, [] {}, [&s] { s.powerOn(0); },
             [&s] {
               return s.state.ChipState[0] == rx41::kOwiMode && s.state.ChipState[1] == rx41::kOwiMode &&
                      s.text("VDD(1)") == "5.000";
             });
       }},
  };
  return flows;
}

}  // namespace

class DualPartsFlowFaultsTest : public QObject {
  Q_OBJECT

 private slots:
  void aFaultedFlowEndsToldAndTheWindowRecovers_data() { rx041::test::addFaultRows(dualFlows()); }
  void aFaultedFlowEndsToldAndTheWindowRecovers() {
    QFETCH(int, flow);
    QFETCH(int, fault);
    QFETCH(QString, command);
    const DualFlow& f = dualFlows()[static_cast<std::size_t>(flow)];
    DualSession s(f.sources);
    int part = 0;
    const auto operatorFlow = f.make(s, part);
    const auto lineFault = static_cast<rx041::test::LineFault>(fault);
    rx041::test::runUnderFault(s, operatorFlow, {lineFault, command.toStdString()});
    if (lineFault == rx041::test::LineFault::Hangup) QVERIFY2(s.disconnectOffered, "no Disconnect after the hang-up");
  }
};

RX041_QT_TEST_BY_ROW_GROUP(DualPartsFlowFaultsTest)
#include "dual_parts_flow_faults_test.moc"
