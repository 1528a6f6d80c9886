#include "rx041/test_support/instant_waits.h"

namespace rx041::test {

InstantWaits::InstantWaits()
    : before_(com::setFixedWaiter([this](std::chrono::milliseconds duration) {
        std::lock_guard lock(mutex_);
        asked_.push_back(duration);
      })) {}

InstantWaits::~InstantWaits() { com::setFixedWaiter(std::move(before_)); }

std::vector<std::chrono::milliseconds> InstantWaits::asked() const {
  std::lock_guard lock(mutex_);
  return asked_;
}

}  // namespace rx041::test
