#pragma once
// Injected line and board faults. A fault either lasts until it is replaced
// or cleared ("fault KIND"), or hits only the next command it can affect
// ("fault once KIND"): the next reply for silent, delay, split, garbage and
// hangup, the next OWI write for refuse. "at G,O,A" narrows a fault to the
// replies to one command ("at C,O,R": OWI reads), so that a test can hit a
// chosen step of a longer exchange.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frame.h"

namespace rx041::bench {

enum class FaultKind { None, Silent, Delay, Split, Garbage, Refuse, Hangup };

struct Fault {
  FaultKind kind = FaultKind::None;
  int argument = 0;  // milliseconds for delay, pieces for split
  bool once = false;
  std::string command;  // "C,O,R": group, operation, access; empty for every command
};

// Parses the words after "fault": "none", "[once] silent|garbage|refuse|hangup",
// "[once] delay MS", "[once] split N", each optionally followed by "at G,O,A".
// nullopt with a reason on error.
std::optional<Fault> parseFault(std::string_view words, std::string& reason);
std::string describeFault(const Fault& fault);

// How one reply goes out on the line.
struct Delivery {
  std::chrono::milliseconds delay{0};  // before the first byte; replies to later frames do not wait for it
  std::vector<std::string> pieces;     // written one after another
  std::chrono::microseconds gap{0};    // between pieces
  bool hangup = false;                 // drop the line instead of answering
};

class FaultSchedule {
 public:
  void set(const Fault& fault) { fault_ = fault; }
  const Fault& current() const { return fault_; }

  // Whether this frame, an OWI write, is to be refused.
  bool refuses(const Frame& frame);
  // How to deliver the reply to the frame. Without a fault the reply goes out in two or three
  // pieces with sub-millisecond gaps, as a board's UART and a USB adapter do.
  Delivery deliver(const Frame& frame, const std::string& reply);

 private:
  bool hits(const Frame& frame) const;
  void consumeOnce();

  Fault fault_;
  unsigned replies_ = 0;  // varies where the default pieces are cut
};

}  // namespace rx041::bench
