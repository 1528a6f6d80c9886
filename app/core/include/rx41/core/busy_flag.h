#pragma once
// Whether a flow holds the device. The flows let events run while they wait
// on it, so a second press, a timer tick or a close request can come in
// meanwhile; those look at the flag and keep away, since the device serves
// one request at a time. Working windows and display dialogs share this one
// guard.
#include <utility>

namespace rx41 {

class BusyFlag {
 public:
  bool busy() const { return busy_; }

  // Sets the flag for its own life; clears it at the end even when it was
  // set before.
  class [[nodiscard]] Hold {
   public:
    explicit Hold(BusyFlag& flag) : flag_(flag) { flag_.busy_ = true; }
    ~Hold() { flag_.busy_ = false; }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    BusyFlag& flag_;
  };

  // Runs the flow holding the flag, unless a flow holds it already; false then.
  template <class Flow>
  bool runUnlessBusy(Flow&& flow) {
    if (busy_) return false;
    const Hold hold(*this);
    std::forward<Flow>(flow)();
    return true;
  }

 private:
  bool busy_ = false;
};

}  // namespace rx41
