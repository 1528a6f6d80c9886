#pragma once
// What the command layer needs from a serial channel: send one frame, and
// collect whatever text has arrived since the last poll.
#include <cstdint>
#include <functional>
#include <string>

namespace rx041::zq3902 {

class ReplyChannel {
 public:
  virtual ~ReplyChannel() = default;
  virtual void send(const std::string& frame) = 0;
  // The text received since the previous poll; waits a short while (the
  // channel's own limit, about 250 ms) for the first byte and may return "".
  virtual std::string poll() = 0;
  // Whatever has arrived and not been polled yet, taken at once without
  // waiting. A channel that cannot hand it out may just throw it away.
  virtual std::string drain() { return {}; }
  // True while the channel is connected but has no working line (the port
  // could not be opened, or it hung up): nothing sent can be answered.
  virtual bool lineDead() const { return false; }
};

// Milliseconds of a monotonic clock; the time limits are measured with it.
using MillisecondClock = std::function<std::int64_t()>;

}  // namespace rx041::zq3902
