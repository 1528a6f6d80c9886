#pragma once
// Assembly of the programmer's reply lines from the polled channel text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "reply_channel.h"

namespace rx041::zq3902 {

// The N characters before a reply line's line feed, as the judging rules see
// them. Empty after a time-out. Bytes are kept as received, zero bytes included.
class ReplyWindow {
 public:
  ReplyWindow() = default;
  explicit ReplyWindow(std::string bytes) : bytes_(std::move(bytes)) {}

  // Exactly `length` characters arrived and none of them is a zero byte.
  bool holds(std::size_t length) const;
  // Whether `word` occurs in the text (up to the first zero byte) at or after `from`.
  bool contains(std::string_view word, std::size_t from = 0) const;
  // Offset of `word` in the text, or npos.
  std::size_t find(std::string_view word) const;
  // The character at `offset`, or '\0' beyond the window.
  char at(std::size_t offset) const;
  const std::string& bytes() const { return bytes_; }

 private:
  std::string_view text() const;
  std::string bytes_;
};

class ReplyReader {
 public:
  static constexpr std::size_t kLineCapacity = 100;

  ReplyReader(ReplyChannel& channel, MillisecondClock clock) : channel_(channel), clock_(std::move(clock)) {}

  // Waits for a line of at least `length` characters before its line feed
  // and returns the last `length` of them; shorter lines are dropped. Gives
  // an empty window once more than `limitMs` have passed, or as soon as the
  // line is dead. Both readers judge what arrived before giving up.
  ReplyWindow readReplyLine(std::int64_t limitMs, std::size_t length);

  // The ADC reply: the first line must end in "0D" or "2D" and carries the
  // code in its hex digits 8, 7, 5 and 4 places before the line feed. A first
  // line that does not match stays and blocks until the limit: 65536 then.
  std::int32_t readAdcCode(std::int64_t limitMs);

  // Whether the last read ended because its limit passed (not because the
  // line died): the board may still answer it.
  bool gaveUp() const { return gaveUp_; }
  // What arrived and was not consumed by the last read: text after the
  // accepted line, or everything collected when it gave up.
  std::string unconsumed() const;

 private:
  void pollAppend();
  std::size_t firstLineFeed() const;
  void dropThrough(std::size_t lineFeed);
  void clearState();
  // After a poll: the line died, or the limit passed (noted as a give-up).
  bool ended(std::int64_t start, std::int64_t limitMs);

  ReplyChannel& channel_;
  MillisecondClock clock_;
  std::string line_;  // received and not yet consumed, at most kLineCapacity bytes
  std::size_t consumed_ = 0;
  bool gaveUp_ = false;
};

inline constexpr std::int32_t kAdcTimeout = 65536;

}  // namespace rx041::zq3902
