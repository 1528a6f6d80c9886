#pragma once
// A window of any kind on the virtual bench, through the real device and
// channel libraries: the bench behind COMn of a private port map, trace and
// record directories of its own, the scripted operator, and the window driven
// by design names. Without a working window, the state machine is the
// calling window's side.
#include "rx041/bench/bench.h"
#include "rx41/core/state_machine.h"
#include "window_bench.h"

namespace rx041::test {

class BenchWindow : public WindowDriver {
 public:
  // The bench behind COMn; no window yet (set window) and nothing connected.
  explicit BenchWindow(int com);
  // The window goes first: it holds the operator and the state.
  ~BenchWindow() { window.reset(); }

  const int com;
  TempDir dir;
  ScopedEnv portMap{"RX041_PORTS", dir.path().c_str()};
  ScopedEnv traceDir{"RX041_TRACE_DIR", dir.path().c_str()};
  ScopedEnv recordDir{"RX041_RECORD_DIR", dir.path().c_str()};
  bench::Bench bench;
  ScriptedOperator op;
  rx41::AppState state;
  rx41::StateMachine machine{state, op};

  // The working window of the row, on the bench's operator and state.
  void open(const rx41::WorkingWindowEntry& entry);
  // Answers the next port window with the bench's COM number.
  void pickBenchPortNext();
  // Presses the window's "connect" with the bench's port picked.
  void connect();
  // Connects as a calling window would have before opening a display window:
  // the device object on the bench's port, both parts off.
  void connectDevice();
  // Both parts' magnets at the angle.
  void turnMagnets(double degrees);
};

}  // namespace rx041::test
