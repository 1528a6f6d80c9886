#pragma once
// Everything the serving thread and the control commands share; guarded by
// the bench's mutex.
#include <string>
#include <vector>

#include "board.h"
#include "faults.h"

namespace rx041::bench {

struct BenchState {
  // A bench left running for days keeps the most recent frames only.
  static constexpr std::size_t kKeptFrames = 1 << 20;

  void recordFrame(std::string frame) {
    if (frames.size() == kKeptFrames) frames.erase(frames.begin(), frames.begin() + kKeptFrames / 2);
    frames.push_back(std::move(frame));
    ++framesReceived;
  }

  Board board;
  FaultSchedule faults;
  std::vector<std::string> frames;  // the frames received, in order
  std::size_t framesReceived = 0;
};

}  // namespace rx041::bench
