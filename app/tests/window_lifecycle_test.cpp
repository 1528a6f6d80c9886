// What every window passes, run over rx41's table of working windows and over
// the display windows: it opens from its argument; each control has a design
// name of its own; offline nothing reaches a device; presses and closing are
// refused while a flow runs; the profile comes back whole, cancelled dialogs
// change nothing and a failed save keeps the old file; Connect and
// Disconnect work against the virtual bench. What a window does of its own
// is in its family's tests.
#include <signal.h>
#include <sys/resource.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <functional>
#include <utility>

#include "bench_window.h"
#include "file_contents.h"
#include "qt_test_main.h"
#include "rx41/display/frm_advanced.h"
#include "rx41/display/frm_linear_graph.h"
#include "rx41/display/real_time_display_bar.h"
#include "window_bench.h"
#include "working_windows.h"

namespace {

using rx041::test::WindowBench;
using rx041::test::WindowDriver;

constexpr int kCom = 12;
// The buttons of the shell every working window has, with their captions.
const std::pair<const char*, const char*> kShellButtons[] = {
    {"connect", "Connect"}, {"mSaveAs", "Save Settings"}, {"mOpen", "Load Settings"}, {"btnAbout", "About"}};

bool shellButton(const QString& name) {
  return std::any_of(std::begin(kShellButtons), std::end(kShellButtons),
                     [&](const auto& button) { return name == QLatin1String(button.first); });
}

// The display windows, made and initialised as the dual-part window's
// buttons do for Part#1 of a pair, with the part in the mode they need.
struct DisplayWindow {
  const char* name;
  std::int32_t mode;
  std::function<std::unique_ptr<QWidget>(rx41::OperatorInterface&, rx41::AppState&)> make;
  const char* flow = nullptr;  // the button whose press runs a flow over the device
  // Before the flow: what makes a press during it visible.
  std::function<void(WindowDriver&)> prepare = [](WindowDriver&) {};
};

template <class Window, std::int16_t... init>
std::unique_ptr<QWidget> dialog(rx41::OperatorInterface& op, rx41::AppState& state) {
  auto window = std::make_unique<Window>(op, state);
  window->Init(init...);
  return window;
}

const DisplayWindow kDisplayWindows[] = {
    {"RealTimeDisplayBar", rx41::kAdcMode, dialog<rx41::RealTimeDisplayBar, 0, 2>},
    {"frmLinearGraph", rx41::kOwiMode, dialog<rx41::frmLinearGraph, 0, 2, 1, 2>},
    {"frmadvanced", rx41::kOwiMode, dialog<rx41::frmadvanced, 0, 2>, "memread",
     [](WindowDriver& window) { window.control<QLineEdit>("Din(0)")->setText("1"); }},
};

const rx41::WorkingWindowEntry& entryAt(int index) { return rx41::workingWindows()[static_cast<std::size_t>(index)]; }

// A display window on the recording device, connected, shown.
std::unique_ptr<WindowBench> displayBench(const DisplayWindow& display) {
  auto bench = std::make_unique<WindowBench>(
      [&display](rx41::OperatorInterface& op, rx41::AppState& state, rx41::DeviceFactory devices) {
        state.Device = devices();
        state.ProgrammerState = rx41::kConnected;
        state.ChipState[0] = state.ChipState[1] = display.mode;
        return display.make(op, state);
      });
  bench->healthyChip();
  bench->show();
  return bench;
}

// A working window on the recording device, connected to a healthy chip,
// every box it offers ticked (so that it offers what it can), shown.
std::unique_ptr<WindowBench> connectedBench(const rx41::WorkingWindowEntry& entry) {
  auto bench = std::make_unique<WindowBench>(entry);
  bench->healthyChip();
  bench->show();
  bench->connect();
  for (QCheckBox* tick : bench->window->findChildren<QCheckBox*>())
    if (tick->isEnabled()) tick->setChecked(true);
  return bench;
}

// The window's buttons that start something: push and option buttons (check
// boxes only tick), not those of the dialogs it keeps.
QList<QAbstractButton*> buttonsOf(const QWidget& window) {
  QList<QAbstractButton*> buttons;
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
    if (!qobject_cast<QCheckBox*>(button) && button->window() == &window) buttons << button;
  return buttons;
}

// The buttons a working window offers besides those of the shell.
QStringList offeredButtons(const WindowBench& bench) {
  QStringList offered;
  for (const QAbstractButton* button : buttonsOf(*bench.window))
    if (const QString name = button->accessibleDescription(); button->isEnabled() && !shellButton(name))
      offered << name;
  return offered;
}

// Everything the operator can see of a run: the device calls, the texts and
// windows shown, what the controls show and the buttons' captions.
QStringList runSeen(const WindowBench& bench) {
  QStringList seen = bench.calls() + bench.op.shown + bench.op.modalWindows;
  const auto settings = rx041::test::settingsShown(*bench.window);
  for (auto setting = settings.cbegin(); setting != settings.cend(); ++setting)
    seen << setting.key() + "=" + setting.value();
  for (const QAbstractButton* button : buttonsOf(*bench.window))
    seen << button->accessibleDescription() + ":" + button->text();
  return seen;
}

// The flow of the button run quietly on one bench and, on the other, with
// every button pressed and the window closed from inside its first device
// call: both must end alike, the busy window still open. False for a button
// that makes no device call: its flow never waits.
bool pressesDuringTheFlowAreIgnored(WindowBench& quiet, WindowBench& busy, const QString& flow) {
  quiet.forgetCalls();
  busy.forgetCalls();
  quiet.click(flow);
  if (quiet.calls().isEmpty()) return false;
  bool pressed = false, closeRefused = false;
  busy.device->script().onCall = [&](const rx041::test::RecordedCall&) {
    if (std::exchange(pressed, true)) return;
    for (QAbstractButton* button : buttonsOf(*busy.window)) button->click();
    closeRefused = !busy.window->close();
  };
  busy.click(flow);
  busy.device->script().onCall = nullptr;
  [&] {
    QVERIFY2(pressed, qPrintable(flow));
    QCOMPARE(runSeen(busy), runSeen(quiet));
    QVERIFY2(closeRefused, qPrintable(flow));
    QVERIFY(busy.window->isVisible());
    // Once the flow is over, the window closes.
    QVERIFY(busy.window->close());
  }();
  return true;
}

// The data rows: each working window ("row") and, where asked, the display
// windows ("display", those with a flow or all).
enum class Displays { None, WithAFlow, All };
void addWindowRows(Displays displays = Displays::None) {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("display");
  for (int index = 0; index < static_cast<int>(rx41::workingWindows().size()); ++index)
    QTest::addRow("%s %s", entryAt(index).argument, entryAt(index).className) << index << -1;
  for (int index = 0; index < static_cast<int>(std::size(kDisplayWindows)); ++index)
    if (displays == Displays::All || (displays == Displays::WithAFlow && kDisplayWindows[index].flow))
      QTest::addRow("%s", kDisplayWindows[index].name) << -1 << index;
}

}  // namespace

class WindowLifecycleTest : public QObject {
  Q_OBJECT

 private slots:
  void theTableHoldsTheSevenWindowsInArgumentOrder() {
    const QStringList expected{"/0 MainForm2Parts1Src",
                               "/1 MainForm2Parts2Src",
                               "/2 MainForm2PointsProgramming",
                               "/3 MainForm2PointsProgrammingforDual",
                               "/4 MainForm2PointsProgrammingWithPwr",
                               "/5 MainForm2PointsProgrammingforDualWithPwr",
                               "/6 MainForm1PointProgramming"};
    QStringList rows;
    for (const rx41::WorkingWindowEntry& entry : rx41::workingWindows()) {
      rows << QStringLiteral("%1 %2").arg(entry.argument, entry.className);
      QVERIFY2(entry.factory, entry.argument);
    }
    QCOMPARE(rows, expected);
  }

  void opensFromItsArgument_data() { addWindowRows(); }
  void opensFromItsArgument() {
    QFETCH(int, row);
    const rx41::WorkingWindowEntry& entry = entryAt(row);
    rx41::WindowCatalogue catalogue(rx41::workingWindows());
    rx041::test::ScriptedOperator op;
    const auto window = rx41::openWorkingWindow({entry.argument}, catalogue, op);
    QVERIFY(window);
    QCOMPARE(window->objectName(), QString(entry.className));
    QCOMPARE(window->windowTitle(), QString("RX41 GUI - ZQ3902"));
    QVERIFY(window->isVisible());
    QCOMPARE(catalogue.openedWindow(entry.className), window.get());
    QCOMPARE(op.messages, QStringList{});
  }

  void everyControlHasADesignNameOfItsOwn_data() { addWindowRows(Displays::All); }
  void everyControlHasADesignNameOfItsOwn() {
    QFETCH(int, row);
    QFETCH(int, display);
    const auto bench =
        display < 0 ? std::make_unique<WindowBench>(entryAt(row)) : displayBench(kDisplayWindows[display]);
    QCOMPARE(rx041::test::repeatedDesignNames(*bench->window), QStringList{});
    QCOMPARE(rx041::test::unnamedControls(*bench->window), QStringList{});
  }

  void offlineNothingReachesADevice_data() { addWindowRows(); }
  void offlineNothingReachesADevice() {
    QFETCH(int, row);
    WindowBench bench(entryAt(row));
    QCOMPARE(bench.state.ProgrammerState, rx41::kOffline);
    for (std::int16_t part = 0; part < 2; ++part) QCOMPARE(bench.state.DacK[part], rx41::kDefaultDacK);
    for (const auto& [name, caption] : kShellButtons) {
      QCOMPARE(bench.text(name), QString(caption));
      QVERIFY2(bench.enabled(name), name);
    }
    bench.click("btnAbout");
    QCOMPARE(bench.op.messages,
             QStringList{"Cannot read version, Programmer is not connected or Device is not powered on!"});
    QCOMPARE(bench.op.modalWindows, QStringList{"About"});

    // "Do not connect" in the port window, then every other button offered.
    bench.op.messages.clear();
    bench.connect(false);
    QCOMPARE(bench.text("connect"), QString("Connect"));
    const QStringList offered = offeredButtons(bench);
    for (const QString& name : offered) bench.click(name);
    QCOMPARE(bench.devicesCreated, 0);
    QCOMPARE(bench.calls(), QStringList{});
    // A chip operation offered without a programmer is refused as one without OWI mode.
    QCOMPARE(bench.op.messages, QStringList(offered.size(), "Error: Not in OWI mode"));
  }

  void pressesAndClosingAreRefusedWhileAFlowRuns_data() { addWindowRows(Displays::WithAFlow); }
  void pressesAndClosingAreRefusedWhileAFlowRuns() {
    QFETCH(int, row);
    QFETCH(int, display);
    if (display >= 0) {
      const DisplayWindow& window = kDisplayWindows[display];
      const auto quiet = displayBench(window), busy = displayBench(window);
      window.prepare(*quiet);
      window.prepare(*busy);
      QVERIFY(pressesDuringTheFlowAreIgnored(*quiet, *busy, window.flow));
      return;
    }
    // Every flow the connected window offers and About, each on windows of its own.
    const QStringList offered = offeredButtons(*connectedBench(entryAt(row))) + QStringList{"btnAbout"};
    int flows = 0;
    for (const QString& flow : offered) {
      const auto quiet = connectedBench(entryAt(row)), busy = connectedBench(entryAt(row));
      flows += pressesDuringTheFlowAreIgnored(*quiet, *busy, flow) ? 1 : 0;
      if (QTest::currentTestFailed()) return;
    }
    QVERIFY(flows > 0);
  }

  void aSavedProfileComesBackWhole_data() { addWindowRows(); }
  void aSavedProfileComesBackWhole() {
    QFETCH(int, row);
    WindowBench bench(entryAt(row));
    rx041::test::TempDir profiles;
    const auto path = [&](const char* name) { return QString::fromStdString((profiles / name).string()); };
    const auto save = [&](const char* name) {
      bench.op.fileNames.push_back(path(name));
      bench.click("mSaveAs");
      return rx041::test::contentsOf(path(name));
    };
    const QByteArray saved = save("saved.txt");
    // Every setting changed: the profile says so.
    for (QComboBox* list : bench.window->findChildren<QComboBox*>())
      list->setCurrentIndex((list->currentIndex() + 1) % list->count());
    for (QLineEdit* box : bench.window->findChildren<QLineEdit*>()) box->setText("1");
    for (QCheckBox* tick : bench.window->findChildren<QCheckBox*>()) tick->toggle();
    QVERIFY(save("changed.txt") != saved);
    // Cancelled dialogs write and change nothing.
    const auto changed = rx041::test::settingsShown(*bench.window);
    const QString before = QDir::currentPath();
    QDir::setCurrent(path(""));
    bench.click("mSaveAs");
    bench.click("mOpen");
    QDir::setCurrent(before);
    QCOMPARE(QDir(path("")).entryList(QDir::Files | QDir::Hidden), (QStringList{"changed.txt", "saved.txt"}));
    QCOMPARE(rx041::test::settingsShown(*bench.window), changed);
    // The saved profile brings every setting back.
    bench.op.fileNames.push_back(path("saved.txt"));
    bench.click("mOpen");
    QCOMPARE(save("loaded.txt"), saved);
    QCOMPARE(bench.op.messages, QStringList{});

    // A save the file system refuses beyond 16 bytes, as a full disk would, keeps the file it would replace.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    bench.op.answers = {true};
    const QByteArray kept = save("changed.txt");
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    QCOMPARE(bench.op.messages, QStringList{"Error happens when saving to file!"});
    QVERIFY(kept != saved);
    QCOMPARE(QDir(path("")).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"changed.txt", "loaded.txt", "saved.txt"}));
  }

  void connectsAndDisconnectsOnTheVirtualBench_data() { addWindowRows(); }
  void connectsAndDisconnectsOnTheVirtualBench() {
    QFETCH(int, row);
    rx041::test::BenchWindow bench(kCom);
    bench.open(entryAt(row));
    // The window's status line, where it has one.
    const auto status = [&] {
      const auto* line = bench.control<QLabel>("status");
      return line ? line->text() : QString();
    };
    const QString offline = status();
    for (int run = 0; run < 2; ++run) {
      bench.connect();
      QCOMPARE(bench.text("connect"), QString("Disconnect"));
      QVERIFY(bench.state.Device);
      QCOMPARE(bench.state.ProgrammerState, rx41::kConnected);
      for (const char* part : {"state 0", "state 1"})
        QVERIFY2(QString::fromStdString(bench.bench.control(part)).contains("power=off"), part);
      if (!offline.isEmpty()) QVERIFY(status() != offline);

      bench.click("connect");
      QCOMPARE(bench.text("connect"), QString("Connect"));
      QVERIFY(!bench.state.Device);
      QCOMPARE(bench.state.ProgrammerState, rx41::kOffline);
      QCOMPARE(status(), offline);
    }
    QCOMPARE(bench.op.messages, QStringList{});
  }
};

RX041_QT_TEST(WindowLifecycleTest)
#include "window_lifecycle_test.moc"
