#pragma once
// How the device object's serial line to the programmer stands, read beside
// the automation interface (it has no dispatch id):
//
//   if (const auto line = com::query<zq3902::IProgrammerLine>(device))
//     if (line->programmerLine() == zq3902::ProgrammerLine::Lost) ...
//
// Result codes cannot tell a programmer that went away from a chip that does
// not answer; this can. While the line is anything but Connected or
// NotConnected every operation reports its failure result at once instead of
// waiting out its time limits.
namespace rx041::zq3902 {

enum class ProgrammerLine {
  NotConnected,  // no ConnectChannel yet, Destroy(-1) since, or no channel library
  Connected,     // the port is open
  NoDevice,      // nothing is behind the COM number
  Busy,          // another program holds the port
  NotSerial,     // the COM number leads to something that is not a serial device
  NoAccess,      // the port may not be opened (permissions)
  // The line hung up or failed after it was opened (USB adapter unplugged,
  // board gone). Destroy(-1) and ConnectChannel with the same COM number
  // reconnect once the programmer is back.
  Lost,
};

class IProgrammerLine {
 public:
  virtual ~IProgrammerLine() = default;
  virtual ProgrammerLine programmerLine() const = 0;
};

}  // namespace rx041::zq3902
