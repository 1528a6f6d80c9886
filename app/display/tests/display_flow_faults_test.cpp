// The display windows' flows under bench faults at the command kinds each
// sends (a sample in the default run, all of them with RX041_FAULTS_FULL):
// the live display's first readings, and the memory window's read and write.
// The calling window's Disconnect and Connect and a new display recover.
#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <cmath>
#include <functional>

#include "flow_faults.h"
#include "qt_test_main.h"
#include "rx41/core/device_connection.h"
#include "rx41/display/frm_advanced.h"
#include "rx41/display/real_time_display_bar.h"

namespace {

using rx041::test::findControl;

constexpr int kCom = 9;
// Registers that make Part#1 put out the DAC test level of code 7 (50 %).
constexpr int kDacTestLevel = 32, kDacTestSwitch = 34, kHalfScaleCode = 7;
// Rows the memory window reads: each one an unanswered read when the chip is absent.
constexpr int kReadRows = 3;

// The calling window's side: the bench connected through the real libraries.
struct DisplaySession : rx041::test::BenchWindow {
  DisplaySession() : BenchWindow(kCom) { connectCaller(); }

  // Connect and Disconnect of the calling window.
  void connectCaller() {
    pickBenchPortNext();
    connection.connectWithPortWindow(nullptr);
  }
  void reconnect() {
    connection.disconnect();
    connectCaller();
  }

  rx41::DeviceConnection connection{machine};
};

// Part#1 powered in ADC mode, putting out half scale.
void halfScaleOutput(DisplaySession& s) {
  s.machine.ensureOwiMode(0);
  s.machine.calls().MemWrite(0, kDacTestLevel, kHalfScaleCode);
  s.machine.calls().MemWrite(0, kDacTestSwitch, 1);
  s.machine.returnToAdcMode(0);
}

// Shows the window off screen, lets the caller act on it, and closes it.
template <class Window>
void openDisplay(DisplaySession& s, std::int16_t count, const std::function<void(Window&)>& use) {
  Window window(s.op, s.state);
  window.Init(0, count);
  window.setAttribute(Qt::WA_DontShowOnScreen);
  window.show();
  use(window);
  window.close();
}

QLineEdit* box(QWidget& window, const char* column, int row) {
  return findControl<QLineEdit>(window, QStringLiteral("%1(%2)").arg(column).arg(row));
}

struct DisplayFlow {
  const char* name;
  rx041::test::CommandKinds kinds;
  // The flow on the session; what its window showed or was given goes into the record.
  std::function<rx041::test::OperatorFlow(DisplaySession&, QStringList& record)> make;
};

rx041::test::OperatorFlow liveDisplay(DisplaySession& s, QStringList& shown) {
  return {
      .prepare = [&] { halfScaleOutput(s); },
      .act =
          [&] {
            shown.clear();
            openDisplay<rx41::RealTimeDisplayBar>(s, 1, [&](rx41::RealTimeDisplayBar& display) {
              // Several ticks of the 100 ms timer.
              QTest::qWait(600);
              if (display.isVisible()) shown << findControl<QLineEdit>(display, "PercentText(0)")->text();
            });
          },
      .done = [&] { return shown.size() == 1 && std::abs(shown[0].toDouble() - s.bench.output(0)) < 0.05; },
      .reconnect = [&] { s.reconnect(); },
      .needsTheChip = false,
  };
}

rx041::test::OperatorFlow memoryRead(DisplaySession& s, QStringList& shown) {
  return {
      .prepare = [&] { s.machine.returnToAdcMode(0); },
      .act =
          [&] {
            shown.clear();
            openDisplay<rx41::frmadvanced>(s, 2, [&](rx41::frmadvanced& window) {
              for (int row = kReadRows; row < rx41::frmadvanced::kRows; ++row) box(window, "add", row)->clear();
              findControl<QAbstractButton>(window, "memread")->click();
              for (int row = 0; row < kReadRows; ++row) shown << box(window, "out", row)->text();
            });
          },
      .done =
          [&] {
            // The design's first rows read registers 1, 2 and 3.
            for (int row = 0; row < kReadRows; ++row)
              if (shown.value(row) != QString::number(s.bench.ram(0, row + 1), 16).toUpper()) return false;
            return true;
          },
      .reconnect = [&] { s.reconnect(); },
      .failureShownOtherwise = [&] { return shown.contains(QStringLiteral("1FF")); },
      .absentChipTimeouts = kReadRows + 1,  // entering OWI mode, then every row
  };
}

rx041::test::OperatorFlow memoryWrite(DisplaySession& s, QStringList& written) {
  constexpr int kAddress = 0x40;
  return {
      .prepare = [&] { s.machine.returnToAdcMode(0); },
      .act =
          [&] {
            // Each run writes a value the register does not hold yet.
            written << QString::number(written.size() % 2 ? 0xA5 : 0x5A, 16);
            openDisplay<rx41::frmadvanced>(s, 2, [&](rx41::frmadvanced& window) {
              box(window, "add", 20)->setText(QString::number(kAddress, 16));
              box(window, "Din", 20)->setText(written.last());
              findControl<QAbstractButton>(window, "memwritewithCRC")->click();
            });
          },
      .done = [&] { return s.bench.ram(0, kAddress) == written.last().toInt(nullptr, 16); },
      .reconnect = [&] { s.reconnect(); },
      // MemWrite has no result: the window cannot tell a refused write.
      .silenceMeansDone = false,
  };
}

const std::vector<DisplayFlow>& displayFlows() {
  static const std::vector<DisplayFlow> flows = {
      {"RealTimeDisplayBar timer", {"R,M,A", "M,T,W"}, liveDisplay},
      {"frmadvanced MemRead", {"R,D,O", "M,E,W", "C,O,R"}, memoryRead},
      {"frmadvanced MemWrite", {"M,E,W", "C,O,W"}, memoryWrite},
  };
  return flows;
}

}  // namespace

class DisplayFlowFaultsTest : public QObject {
  Q_OBJECT

 private slots:
  void aFaultedFlowEndsToldAndTheWindowRecovers_data() { rx041::test::addFaultRows(displayFlows()); }
  void aFaultedFlowEndsToldAndTheWindowRecovers() {
    QFETCH(int, flow);
    QFETCH(int, fault);
    QFETCH(QString, command);
    DisplaySession s;
    QStringList shown;
    const auto operatorFlow = displayFlows()[static_cast<std::size_t>(flow)].make(s, shown);
    rx041::test::runUnderFault(s, operatorFlow, {static_cast<rx041::test::LineFault>(fault), command.toStdString()});
  }
};

RX041_QT_TEST_BY_ROW_GROUP(DisplayFlowFaultsTest)
#include "display_flow_faults_test.moc"
