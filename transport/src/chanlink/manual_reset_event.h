#pragma once
// A manual-reset event: once set it stays set, releasing every waiter, until
// it is reset.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace rx041::chanlink {

class ManualResetEvent {
 public:
  void set() {
    {
      std::lock_guard lock(mutex_);
      signalled_ = true;
    }
    changed_.notify_all();
  }

  void reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
  }

  // True when the event is set now or becomes set within the time.
  bool waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return signalled_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool signalled_ = false;
};

}  // namespace rx041::chanlink
