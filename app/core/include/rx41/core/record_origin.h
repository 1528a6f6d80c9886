#pragma once
// Where a record comes from: the host, the working window (its start-up
// argument and class), the COM port the device object was connected through
// and the device the port map puts behind it.
#include <string>

#include "rx41/core/app_state.h"

class QWidget;

namespace rx41 {

struct RecordOrigin {
  std::string host;
  std::string mode;    // "/2"; empty outside a working window
  std::string window;  // "MainForm2PointsProgramming"
  std::string port;    // "COM3"; empty without a connection
  std::string device;  // the path behind the port; empty when not known
};

// The window is the working window the owner belongs to, also from within a
// dialog it opened; outside one, the owner's window class alone.
RecordOrigin recordOrigin(const AppState& state, const QWidget* owner);

}  // namespace rx41
