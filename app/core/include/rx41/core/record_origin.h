#pragma once
// Where a record comes from: the host, the working window (its start-up
// argument and class), the COM port the device object was connected through
// and the device the port map puts behind it.
#include <string>

#include "rx41/core/app_state.h"
#include "rx41/core/window_identity.h"

namespace rx41 {

struct RecordOrigin {
  std::string host;
  std::string mode;    // "/2"; empty outside a working window
  std::string window;  // "MainForm2PointsProgramming"
  std::string port;    // "COM3"; empty without a connection
  std::string device;  // the path behind the port; empty when not known
};

// The window is the working window the flow belongs to, as it named itself.
RecordOrigin recordOrigin(const AppState& state, const WindowIdentity& window);

}  // namespace rx41
