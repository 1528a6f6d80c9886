#pragma once
// Everything the serving thread and the control commands share; guarded by
// the bench's mutex.
#include <string>
#include <vector>

#include "board.h"
#include "faults.h"

namespace rx041::bench {

struct BenchState {
  Board board;
  FaultSchedule faults;
  std::vector<std::string> frames;  // every frame received, in order
};

}  // namespace rx041::bench
