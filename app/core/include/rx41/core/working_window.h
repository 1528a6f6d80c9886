#pragma once
// The shape every working window shares: the process-wide state, its state
// machine and device calls, the device connection, and the buttons every
// window has. Action buttons run their flow only when no other flow runs (the
// flows let events run while they wait on the device, and the device serves
// one request at a time), and the window refuses to close while one runs.
// Connect toggles with Disconnect through the port window; Save and Load go
// through the window's profile binding; About shows the programmer version.
#include <QString>
#include <QWidget>
#include <functional>

#include "rx41/core/app_state.h"
#include "rx41/core/busy_flag.h"
#include "rx41/core/device_connection.h"
#include "rx41/core/state_machine.h"
#include "rx41/core/window_identity.h"

class QPushButton;

namespace rx41 {

class OperatorInterface;
class ProfileBinding;

class WorkingWindow : public QWidget {
 public:
  // The identity from the window's row: its class name is the window's design
  // name, and its records name both. caption is the window's title.
  WorkingWindow(const WindowIdentity& identity, const QString& caption, OperatorInterface& operatorInterface,
                AppState& state, DeviceFactory deviceFactory);

  bool flowRunning() const { return busy_.busy(); }

 protected:
  OperatorInterface& operatorInterface() const { return operator_; }
  AppState& state() const { return state_; }
  StateMachine& machine() { return machine_; }
  DeviceCalls& calls() { return machine_.calls(); }

  // A button whose presses run the handler as a flow.
  QPushButton* addActionButton(const QString& name, const QString& caption, std::function<void()> handler);
  // "connect": "Connect" opens the port window and connects; "Disconnect"
  // releases the device. The handler learns the outcome (true: connected).
  QPushButton* addConnectButton(std::function<void(bool connected)> changed, StatusSink status = nullptr);
  // "mSaveAs" ("Save Settings") and "mOpen" ("Load Settings"); the binding
  // must live as long as the window.
  QPushButton* addSaveButton(const ProfileBinding& binding);
  QPushButton* addLoadButton(const ProfileBinding& binding);
  // "btnAbout" ("About").
  QPushButton* addAboutButton();

  void closeEvent(QCloseEvent* event) override;

 private:
  void runFlow(const std::function<void()>& flow);

  OperatorInterface& operator_;
  AppState& state_;
  StateMachine machine_;
  DeviceConnection connection_;
  BusyFlag busy_;
};

}  // namespace rx41
