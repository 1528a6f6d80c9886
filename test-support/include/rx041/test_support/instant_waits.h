#pragma once
// Makes the process's fixed waits (the libraries' pauses and settling times)
// instant while the object lives, and keeps what was asked for, so that a
// test whose point is not the wait runs at once and one whose point is the
// wait checks it without waiting.
#include <chrono>
#include <mutex>
#include <vector>

#include "rx041/component/clock.h"

namespace rx041::test {

class InstantWaits {
 public:
  InstantWaits();
  ~InstantWaits();
  InstantWaits(const InstantWaits&) = delete;
  InstantWaits& operator=(const InstantWaits&) = delete;

  // The waits asked for so far, in order.
  std::vector<std::chrono::milliseconds> asked() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::chrono::milliseconds> asked_;
  com::FixedWaiter before_;
};

}  // namespace rx041::test
