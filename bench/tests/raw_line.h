#pragma once
// A host on the bench's serial line that speaks nothing but bytes: it opens
// the device as a serial port, sends frames and collects reply lines.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace rx041::bench::test {

using namespace std::chrono_literals;

class RawLine {
 public:
  explicit RawLine(const std::filesystem::path& device);
  ~RawLine();
  RawLine(const RawLine&) = delete;
  RawLine& operator=(const RawLine&) = delete;

  void send(const std::string& bytes);
  // The next line (without its line feed), or nullopt when none completes in time.
  std::optional<std::string> readLine(std::chrono::milliseconds timeout = 500ms);
  // Whatever arrives within the time, including a partial line.
  std::string readFor(std::chrono::milliseconds duration);
  // Waits for the line to drop (a read reports hang-up or end of file).
  bool waitForHangup(std::chrono::milliseconds timeout);
  void close();

 private:
  // Reads once, waiting at most the time; false when nothing came.
  bool receive(std::chrono::milliseconds timeout);

  int fd_ = -1;
  std::string pending_;
};

}  // namespace rx041::bench::test
