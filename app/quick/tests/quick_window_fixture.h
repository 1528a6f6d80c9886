#pragma once
// A quick 2-points window on the recording device: an empty port map with one
// pseudo-terminal behind COM3 for the port window to offer, the scripted
// operator, and helpers that act on the controls by name as the operator would.
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <memory>

#include "rx041/test_support/pty_pair.h"
#include "rx041/test_support/recording_device.h"
#include "rx041/test_support/temp_dir.h"
#include "rx41/quick/main_form_2points.h"
#include "scripted_operator.h"

namespace quick_test {

using PowerButton = rx41::MainForm2PointsProgramming::PowerButton;

class WindowBench {
 public:
  explicit WindowBench(PowerButton powerButton = PowerButton::Absent);

  rx041::test::TempDir dir;
  rx041::test::ScopedEnv ports{"RX041_PORTS", dir.path().c_str()};
  rx041::test::ScopedEnv trace{"RX041_TRACE_DIR", dir.path().c_str()};
  rx041::test::PtyPair line;
  rx041::test::ScriptedOperator op;
  rx41::AppState state;
  std::shared_ptr<rx041::test::RecordingDevice> device = std::make_shared<rx041::test::RecordingDevice>();
  int devicesCreated = 0;
  std::unique_ptr<rx41::MainForm2PointsProgramming> window;

  // A chip that answers like a healthy one: VDD 5 V, identification 0x31,
  // calibration at the default gain.
  void healthyChip();

  // Presses Connect and picks COM3 in the port window (or "Do not connect").
  void connect(bool choosePort = true);
  void click(const QString& name);
  // Types the text into the field and leaves it.
  void type(const QString& name, const QString& text);
  QString text(const QString& name) const;
  bool enabled(const QString& name) const;

  // The recorded device calls ("GetAngle(0)"), all or of one member.
  QStringList calls() const;
  QStringList calls(const std::string& member) const;
  void forgetCalls() { device->script().calls.clear(); }

  template <class Control = QWidget>
  Control* control(const QString& name) const {
    auto* found = window->findChild<Control*>(name);
    return found && found->accessibleName() == name ? found : nullptr;
  }
};

// "A D B E P -": the enabled state of SetpointA, SetpointB and PowerOn ("-" without it).
QString buttonStates(const WindowBench& bench);

}  // namespace quick_test
