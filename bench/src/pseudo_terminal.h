#pragma once
// The board's end of the serial line: a pseudo-terminal whose master the
// bench reads and writes. The bench also holds the slave end open (and never
// reads it), so a client that closes and reopens the port never makes the
// master see a hang-up.
//
// Holding the slave keeps the terminal alive, and with it the exclusive mode
// (TIOCEXCL) a client sets: on a real port that ends with the client's close,
// here it would lock every later opener without privileges out. So the bench
// watches the device for closes and lifts the exclusive mode after each.
#include <filesystem>

namespace rx041::bench {

class PseudoTerminal {
 public:
  PseudoTerminal();  // throws std::runtime_error
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int master() const { return master_; }
  const std::filesystem::path& slavePath() const { return slavePath_; }

  // Readable when a client closed the device; then call clientClosed().
  int closeWatch() const { return closeWatch_; }
  void clientClosed();

 private:
  int master_ = -1;
  int slaveHold_ = -1;
  int closeWatch_ = -1;
  std::filesystem::path slavePath_;
};

}  // namespace rx041::bench
