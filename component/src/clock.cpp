#include "rx041/component/clock.h"

#include <chrono>

namespace rx041::com {
namespace {

// Initialised when this library loads, which is before main of every program
// that links it: the process start as far as the clock is concerned.
const auto processStart = std::chrono::steady_clock::now();

}  // namespace

std::int64_t processMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - processStart).count();
}

}  // namespace rx041::com
