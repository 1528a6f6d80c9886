#pragma once
// Caps the protocol's reply limits while the object lives, for tests whose
// point is what a lost or spoiled reply leads to, not how long it is waited
// for: a silent OWI command then costs a second instead of five.
#include <chrono>

#include "rx041/component/clock.h"

namespace rx041::test {

class ShortReplyLimits {
 public:
  static constexpr std::chrono::milliseconds kCap{1000};

  ShortReplyLimits() : before_(com::setReplyLimitCap(kCap)) {}
  ~ShortReplyLimits() { com::setReplyLimitCap(before_); }
  ShortReplyLimits(const ShortReplyLimits&) = delete;
  ShortReplyLimits& operator=(const ShortReplyLimits&) = delete;

 private:
  std::chrono::milliseconds before_;
};

}  // namespace rx041::test
