#pragma once
// A display window on the recording device of the window bench, connected,
// with the scripted operator; shown off screen as the calling window would.
#include <memory>

#include "window_bench.h"

namespace rx041::test {

template <class Window>
class DialogBench : public WindowBench {
 public:
  DialogBench()
      : WindowBench([](rx41::OperatorInterface& windowOperator, rx41::AppState& appState, rx41::DeviceFactory) {
          return std::make_unique<Window>(windowOperator, appState);
        }) {
    state.Device = device;
    state.ProgrammerState = rx41::kConnected;
  }

  Window& form() { return static_cast<Window&>(*window); }
};

}  // namespace rx041::test
