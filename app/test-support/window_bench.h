#pragma once
// Windows for window tests. WindowDriver acts on a window's controls by their
// design names (object name and accessible description) as the operator
// would; WindowBench puts a window on the recording device: an empty port map
// with one pseudo-terminal behind COM3 for the port window to offer, the
// scripted operator, and private trace and record directories.
#include <QMap>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "rx041/records/programming_record.h"
#include "rx041/test_support/pty_pair.h"
#include "rx041/test_support/recording_device.h"
#include "rx041/test_support/temp_dir.h"
#include "rx41/core/app_state.h"
#include "rx41/core/curve_plot.h"
#include "rx41/core/device_connection.h"
#include "rx41/core/window_catalogue.h"
#include "rx41/rules/curve_math.h"
#include "scripted_operator.h"

namespace rx041::test {

// The control of the window with that design name (object name and
// accessible description), or null.
template <class Control = QWidget>
Control* findControl(const QWidget& window, const QString& name) {
  for (Control* found : window.findChildren<Control*>(name))
    if (found->accessibleDescription() == name) return found;
  return nullptr;
}

class WindowDriver {
 public:
  std::unique_ptr<QWidget> window;

  // Presses the button, offered or not (a disabled one ignores it).
  void click(const QString& name);
  // Presses the button the operator is offered: a test failure when it is disabled.
  void press(const QString& name);
  // Types the text into the field and leaves it.
  void type(const QString& name, const QString& text);
  // A text box's text, a button's caption or a list's current item.
  QString text(const QString& name) const;
  bool enabled(const QString& name) const;
  // Shows the window as its caller would, off the screen.
  void show();
  // The texts the wait window showed while the action ran, each change once.
  QStringList waitTexts(const std::function<void()>& action) const;

  // The control with that design name, or null.
  template <class Control = QWidget>
  Control* control(const QString& name) const {
    return findControl<Control>(*window, name);
  }
};

class WindowBench : public WindowDriver {
 public:
  using WindowMaker =
      std::function<std::unique_ptr<QWidget>(rx41::OperatorInterface&, rx41::AppState&, rx41::DeviceFactory)>;

  // The window made with the bench's operator, state and a factory that
  // hands out the recording device.
  explicit WindowBench(const WindowMaker& make);
  // The working window of the row.
  explicit WindowBench(const rx41::WorkingWindowEntry& entry);
  // The window goes first: it holds the operator and the state.
  ~WindowBench() { window.reset(); }

  TempDir dir;
  ScopedEnv ports{"RX041_PORTS", dir.path().c_str()};
  ScopedEnv trace{"RX041_TRACE_DIR", dir.path().c_str()};
  ScopedEnv records{"RX041_RECORD_DIR", dir.path().c_str()};
  PtyPair line;
  ScriptedOperator op;
  rx41::AppState state;
  std::shared_ptr<RecordingDevice> device = std::make_shared<RecordingDevice>();
  int devicesCreated = 0;

  // A chip that answers like a healthy one: VDD 5 V, identification 0x31,
  // calibration at the default gain.
  void healthyChip();

  // Presses "connect" and picks COM3 in the port window (or "Do not connect").
  void connect(bool choosePort = true);

  // The recorded device calls ("GetAngle(0)"), all or of one member.
  QStringList calls() const;
  QStringList calls(const std::string& member) const;
  void forgetCalls() { device->script().calls.clear(); }
};

// Design names carried by more than one control of the window.
QStringList repeatedDesignNames(const QWidget& window);
// The buttons, text boxes, lists and frames of the window that carry no design name.
QStringList unnamedControls(const QWidget& window);
// What the window's text boxes, check boxes, option buttons and lists show, by design name.
QMap<QString, QString> settingsShown(const QWidget& window);

// Every programming record in the record directory, oldest first.
std::vector<rx041::records::ProgrammingRecord> programmingRecords();

// What a window is expected to draw for a part: its settings rounded into the
// curve tables and the curve built from them.
struct ExpectedCurve {
  std::int16_t part = 0;
  std::int16_t mode = 2;
  std::int16_t points[4][2] = {};  // angle, level of A..D
  std::int16_t dp = 260, clampHigh = 95, clampLow = 5;
  bool clockwise = false;
};
rx41::CurveTables expectedCurveTables(const ExpectedCurve& expected);
// Whether the part's 41 curve rows are the same in both tables.
bool sameCurve(const rx41::CurveTables& a, const rx41::CurveTables& b, std::int16_t part);

// Whether the plot shows the colour within a pixel of the user point.
bool drawnNear(rx41::CurvePlot& plot, double x, double y, const QColor& colour);

}  // namespace rx041::test
