#include "rx41/core/device_connection.h"

#include <QLoggingCategory>

#include "rx041/component/registry.h"
#include "rx41/core/event_pass.h"
#include "rx41/core/frm_comport.h"

namespace rx41 {

using rx041::zq3902::IZQ3902Device;

std::shared_ptr<IZQ3902Device> createDeviceObject() {
  const auto created = rx041::com::createObject("ZQ3902Module.ZQ3902Device");
  if (!created) qCWarning(rx41Operator, "device object not created: %s", created.message.c_str());
  return rx041::com::query<IZQ3902Device>(created.object);
}

DeviceConnection::DeviceConnection(StateMachine& machine, DeviceFactory factory)
    : machine_(machine), factory_(std::move(factory)) {}

bool DeviceConnection::ConnectDevice(std::int16_t port) {
  AppState& state = machine_.state();
  state.Device = factory_ ? factory_() : nullptr;
  if (!state.Device) {
    machine_.operatorInterface().message(QStringLiteral("Error: CANNOT Create Objects!"));
    return false;
  }
  std::int32_t result = 0;
  const auto hr = state.Device->ConnectChannel(rx041::com::Variant(static_cast<std::int32_t>(port)), &result);
  // The channel reports success even for a port it could not open (busy, missing, not a serial device).
  if (rx041::com::succeeded(hr) && result == 0 && programmerLineOpen(*state.Device)) {
    state.connectedPort = port;
    // What was noted about the last device's parts does not hold for this one.
    machine_.calls().notes().forget();
    return true;
  }
  machine_.operatorInterface().message(QStringLiteral("Failed in Connecting Channel"));
  ReleaseDevice();
  return false;
}

void DeviceConnection::ReleaseDevice() {
  AppState& state = machine_.state();
  if (!state.Device) return;
  state.Device->Destroy(rx041::com::VARIANT_TRUE);
  state.Device.reset();
  state.connectedPort = 0;
}

bool DeviceConnection::connectWithPortWindow(QWidget* owner, const StatusSink& status) {
  frmComport portWindow(machine_.operatorInterface(), owner);
  machine_.operatorInterface().runModal(portWindow);
  if (portWindow.SelectedCOM() == 0) return false;
  if (status) status(QStringLiteral("In transition to Connecting with Programmer..."));
  letEventsRun();
  if (!ConnectDevice(portWindow.SelectedCOM())) return false;
  machine_.ProgrammerChangeToState(kOffline, kConnected);
  return true;
}

void DeviceConnection::disconnect(const StatusSink& status) {
  if (status) status(QStringLiteral("Disconnect with Programmer...In transition to Offline Mode..."));
  letEventsRun();
  ReleaseDevice();
  machine_.ProgrammerChangeToState(kConnected, kOffline);
}

}  // namespace rx41
