#pragma once
// Creating, connecting and releasing the one device object of the process,
// and the window-side connect and disconnect sequences around the port window.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "rx41/core/state_machine.h"

namespace rx41 {

using DeviceFactory = std::function<std::shared_ptr<rx041::zq3902::IZQ3902Device>()>;

// "ZQ3902Module.ZQ3902Device" through the component runtime; null when the
// library or the class is missing (the reason goes to the log).
std::shared_ptr<rx041::zq3902::IZQ3902Device> createDeviceObject();

class DeviceConnection {
 public:
  explicit DeviceConnection(StateMachine& machine, DeviceFactory factory = createDeviceObject);

  // Creates the device object into Device and connects its channel to COM
  // port. Reports "Error: CANNOT Create Objects!" or "Failed in Connecting
  // Channel" and returns false; after a failed connect Device is unset again,
  // so no half-connected object is left behind.
  bool ConnectDevice(std::int16_t port);

  // Destroys and drops the device object, if there is one.
  void ReleaseDevice();

  // The Connect button: frmComport modally over the owner; with a port
  // chosen, shows "In transition to Connecting with Programmer...", connects
  // and records the connection (both parts powered off). True when connected;
  // false when the operator chose to work offline or the connection failed
  // (already reported), and the window stays offline.
  bool connectWithPortWindow(QWidget* owner, const StatusSink& status = {});

  // The Disconnect button: shows "Disconnect with Programmer...In transition
  // to Offline Mode...", releases the device and records offline.
  void disconnect(const StatusSink& status = {});

 private:
  StateMachine& machine_;
  DeviceFactory factory_;
};

}  // namespace rx41
