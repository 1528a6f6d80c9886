#include "rx041/component/clock.h"

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

}  // namespace rx041::com
