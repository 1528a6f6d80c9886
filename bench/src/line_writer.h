#pragma once
// Puts a reply on the line as a delivery plan says: an optional delay, then
// the pieces with gaps between them, optionally paced at 115200 baud. Every
// wait ends early when the stop descriptor becomes readable.
#include <chrono>
#include <string_view>

#include "faults.h"

namespace rx041::bench {

class LineWriter {
 public:
  LineWriter(int stopFd, bool lineRate) : stopFd_(stopFd), lineRate_(lineRate) {}

  // false when the bench is stopping.
  bool send(int fd, const Delivery& delivery) const;
  // Waits for the time or the stop; false on stop.
  bool pause(std::chrono::nanoseconds duration) const;

 private:
  bool writePiece(int fd, std::string_view piece) const;
  void writeBytes(int fd, std::string_view bytes) const;

  int stopFd_;
  bool lineRate_;
};

}  // namespace rx041::bench
