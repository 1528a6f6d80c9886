#pragma once
// A channel whose line delivers what the fuzzer made up, poll by poll, on a
// clock of its own: each poll takes a chunk of text and a step of time from
// the input; once the input is used up, polls come back empty after the
// channel's 250 ms, so every wait ends by its limit. The line dies after a
// number of polls taken from the input, or never.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "reply_channel.h"

namespace rx041::zq3902::fuzzing {

class FuzzedChannel final : public ReplyChannel {
 public:
  static constexpr std::int64_t kEmptyPollMs = 250;

  explicit FuzzedChannel(FuzzedDataProvider& input)
      : input_(input), diesAtPoll_(input.ConsumeIntegralInRange<int>(-1, 64)) {}

  void send(const std::string&) override {}
  std::string poll() override {
    ++polls_;
    if (input_.remaining_bytes() == 0) {
      now_ += kEmptyPollMs;
      return {};
    }
    now_ += input_.ConsumeIntegralInRange<std::int64_t>(0, 300);
    text_ = input_.ConsumeRandomLengthString(160);
    delivered_ += text_;
    return text_;
  }
  bool lineDead() const override { return diesAtPoll_ >= 0 && polls_ >= diesAtPoll_; }

  MillisecondClock clock() {
    return [this] { return now_; };
  }
  // Everything the line delivered so far.
  const std::string& delivered() const { return delivered_; }

 private:
  FuzzedDataProvider& input_;
  int diesAtPoll_;
  int polls_ = 0;
  std::int64_t now_ = 0;
  std::string text_;
  std::string delivered_;
};

// A property the code under test must keep; a broken one is a finding.
inline void expect(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace rx041::zq3902::fuzzing
