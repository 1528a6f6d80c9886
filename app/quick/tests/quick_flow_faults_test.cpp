// The quick windows' flows under every bench fault at the command kinds each
// flow sends (a sample in the default run, all of them with RX041_FAULTS_FULL):
// a hang-up is told as a lost programmer, silence means a programmed EEPROM,
// and Disconnect, Connect and the same flow work afterwards.
#include <QTest>
#include <functional>

#include "expected_eeprom.h"
#include "flow_faults.h"
#include "qt_test_main.h"
#include "quick_window_fixture.h"

namespace {

using rx041::test::OperatorFlow;

constexpr int kCom = 8;
// The chips' DAC errors: an error-free DAC would put out the whole supply at
// its top test code, a clipped reading the calibration reports as invalid.
constexpr double kDacGain = 0.98, kDacOffset = 0.5;

// A quick window on the bench, connected through the real libraries.
struct QuickSession : rx041::test::BenchWindow {
  explicit QuickSession(const QString& argument) : BenchWindow(kCom) {
    for (int part = 0; part < 2; ++part) bench.setDac(part, kDacGain, kDacOffset);
    open(quick_test::quickWindow(argument));
    connect();
  }

  bool programmed(int part, const quick_test::TaughtSettings& settings) const {
    return quick_test::eepromHolds(bench, part, settings, state.DacK[part], state.DacB[part]);
  }
};

// Point A taught at 40 degrees, the levels typed, the magnets at 140 degrees.
void teachPointA(QuickSession& s, bool pair) {
  s.turnMagnets(40.0);
  if (s.control("PowerOn")) s.click("PowerOn");
  s.click("SetpointA");
  s.type("Level(0)", "10");
  s.type("Level(1)", "90");
  if (pair) {
    s.type("Level(2)", "80");
    s.type("Level(3)", "30");
  }
  s.turnMagnets(140.0);
}

quick_test::TaughtSettings secondPart() {
  quick_test::TaughtSettings settings;
  settings.level[0] = 80;
  settings.level[1] = 30;
  return settings;
}

struct QuickFlow {
  const char* name;
  const char* window;
  rx041::test::CommandKinds kinds;  // sampled from what the action sends
  std::function<void(QuickSession&)> prepare;
  const char* action;
  std::function<bool(QuickSession&)> done;
  std::function<bool(QuickSession&)> shownOtherwise = [](QuickSession&) { return false; };
};

bool chipsPrepared(QuickSession& s) { return s.enabled("SetpointA") && !s.enabled("PowerOn"); }

// A failed supply measurement stops the preparation without a message, as
// designed; the window then still offers Power On and not Set point A.
bool powerOnStillOffered(QuickSession& s) { return s.enabled("PowerOn") && !s.enabled("SetpointA"); }

const std::vector<QuickFlow>& quickFlows() {
  static const std::vector<QuickFlow> flows = {
      {"/2 Set point A",
       "/2",
       {"R,P,O", "M,T,W", "C,O,R", "C,O,W", "M,S,W"},
       [](QuickSession& s) { s.turnMagnets(40.0); },
       "SetpointA",
       [](QuickSession& s) { return s.text("Angle(0)") == "40.00" && s.enabled("SetpointB"); }},
      {"/2 Set point B",
       "/2",
       {"C,O,R", "C,O,W", "M,A,W", "M,S,W", "R,P,F"},
       [](QuickSession& s) { teachPointA(s, false); },
       "SetpointB",
       [](QuickSession& s) { return s.programmed(0, {}); }},
      {"/4 Power On",
       "/4",
       {"R,D,A", "R,M,V", "M,E,W", "C,O,R", "M,A,W"},
       [](QuickSession&) {},
       "PowerOn",
       chipsPrepared,
       powerOnStillOffered},
      {"/6 Program",
       "/6",
       {"C,O,W", "M,S,W", "R,P,F"},
       [](QuickSession& s) {
         s.type("OffsetAngleB", "100");
         s.type("OffsetDP", "180");
         teachPointA(s, false);
       },
       "SetpointB",
       [](QuickSession& s) { return s.programmed(0, {}); }},
      {"/3 pair Set point B",
       "/3",
       {"C,O,R", "C,O,W", "M,S,W", "R,P,F"},
       [](QuickSession& s) { teachPointA(s, true); },
       "SetpointB",
       [](QuickSession& s) { return s.programmed(0, {}) && s.programmed(1, secondPart()); }},
      {"/5 pair Power On",
       "/5",
       {"R,P,O", "M,T,W", "C,O,R", "M,S,W"},
       [](QuickSession&) {},
       "PowerOn",
       chipsPrepared,
       powerOnStillOffered},
  };
  return flows;
}

}  // namespace

class QuickFlowFaultsTest : public QObject {
  Q_OBJECT

 private slots:
  void aFaultedFlowEndsToldAndTheWindowRecovers_data() { rx041::test::addFaultRows(quickFlows()); }
  void aFaultedFlowEndsToldAndTheWindowRecovers() {
    QFETCH(int, flow);
    QFETCH(int, fault);
    QFETCH(QString, command);
    const QuickFlow& f = quickFlows()[static_cast<std::size_t>(flow)];
    QuickSession s(QString::fromLatin1(f.window));
    OperatorFlow operatorFlow{
        .prepare = [&] { f.prepare(s); },
        .act = [&] { s.click(f.action); },
        .done = [&] { return f.done(s); },
        .reconnect =
            [&] {
              s.click("connect");
              s.connect();
            },
        .failureShownOtherwise = [&] { return f.shownOtherwise(s); },
    };
    rx041::test::runUnderFault(s, operatorFlow, {static_cast<rx041::test::LineFault>(fault), command.toStdString()});
  }
};

RX041_QT_TEST_BY_ROW_GROUP(QuickFlowFaultsTest)
#include "quick_flow_faults_test.moc"
