#pragma once
// An in-process channel for the command layer: records the frames sent and
// hands out scripted text, one entry per poll, on a clock of its own. A poll
// with nothing scripted costs the channel's 250 ms wait. Text that is already
// waiting in the channel comes with the next poll or drain; answers are
// queued per frame sent and reach the script only once their frame went out. The line may be
// made to die after a number of polls.
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "reply_channel.h"

namespace rx041::zq3902::testing {

class ScriptedChannel final : public ReplyChannel {
 public:
  static constexpr std::int64_t kEmptyPollMs = 250;

  void send(const std::string& frame) override {
    sent.push_back(frame);
    if (answers.empty()) return;
    for (auto& text : answers.front()) script.push_back(std::move(text));
    answers.pop_front();
  }
  std::string poll() override {
    ++polls;
    if (!waiting.empty()) {
      now += 1;
      return std::exchange(waiting, {});
    }
    if (script.empty()) {
      now += kEmptyPollMs;
      return {};
    }
    std::string text = std::move(script.front());
    script.pop_front();
    now += 1;
    return text;
  }
  std::string drain() override {
    ++drains;
    return std::exchange(waiting, {});
  }
  bool lineDead() const override { return diesAtPoll >= 0 && polls >= diesAtPoll; }
  MillisecondClock clock() {
    return [this] { return now; };
  }

  std::vector<std::string> sent;
  std::deque<std::string> script;
  std::deque<std::vector<std::string>> answers;  // for each frame sent in turn: appended to the script
  std::string waiting;                           // arrived before the next drain
  std::int64_t now = 0;
  int polls = 0;
  int drains = 0;
  int diesAtPoll = -1;  // the line is dead from this poll on; never when negative
};

}  // namespace rx041::zq3902::testing
