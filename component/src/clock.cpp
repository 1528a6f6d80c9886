#include "rx041/component/clock.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <utility>

namespace rx041::com {
namespace {

// Initialised when this library loads, which is before main of every program
// that links it: the process start as far as the clock is concerned.
const auto processStart = std::chrono::steady_clock::now();

struct Waiter {
  std::mutex mutex;
  FixedWaiter waiter;
};

Waiter& current() {
  static Waiter instance;
  return instance;
}

std::atomic<std::int64_t> replyLimitCapMs{0};

}  // namespace

std::int64_t processMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - processStart).count();
}

void fixedWait(std::chrono::milliseconds duration) {
  FixedWaiter waiter;
  {
    std::lock_guard lock(current().mutex);
    waiter = current().waiter;
  }
  if (waiter)
    waiter(duration);
  else
    std::this_thread::sleep_for(duration);
}

bool fixedWaitsAreReal() {
  std::lock_guard lock(current().mutex);
  return !current().waiter;
}

FixedWaiter setFixedWaiter(FixedWaiter waiter) {
  std::lock_guard lock(current().mutex);
  return std::exchange(current().waiter, std::move(waiter));
}

std::int64_t replyLimitMs(std::int64_t limitMs) {
  const std::int64_t cap = replyLimitCapMs.load();
  return cap > 0 ? std::min(limitMs, cap) : limitMs;
}

std::chrono::milliseconds setReplyLimitCap(std::chrono::milliseconds cap) {
  return std::chrono::milliseconds(replyLimitCapMs.exchange(cap.count()));
}

}  // namespace rx041::com
