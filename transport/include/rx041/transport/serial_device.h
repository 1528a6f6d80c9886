#pragma once
// Opening a terminal device as the programmer board needs it: raw bytes,
// 115200 baud, 8 data bits, no parity, 1 stop bit, no hardware or software
// flow control, non-blocking reads (callers wait with poll). The device is held
// exclusively: TIOCEXCL keeps other opens out, and an advisory lock (flock)
// marks it busy for every other user of this module, root included.
#include <filesystem>

namespace rx041::transport {

struct SerialOpenResult {
  int fd = -1;    // open descriptor, or -1
  int error = 0;  // errno of the failure; EBUSY when another program holds the device
  explicit operator bool() const { return fd >= 0; }
};

SerialOpenResult openSerialDevice(const std::filesystem::path& device);

// Closes a descriptor from openSerialDevice. The exclusive mode belongs to the
// terminal, not the descriptor, and outlives the close while anyone else still
// holds the device (a virtual bench keeps its line open): it is lifted first so
// that the next open, by this program or another, is not refused.
void closeSerialDevice(int fd);

// Puts an open terminal into the line settings above; false if the device
// refuses them (it is then not a terminal).
bool configureSerialLine(int fd);

}  // namespace rx041::transport
