#pragma once
// A pseudo-terminal whose master end the test holds: the far end of a serial
// line. The slave path is what the code under test opens as its port.
#include <chrono>
#include <filesystem>
#include <string>

namespace rx041::test {

class PtyPair {
 public:
  PtyPair();
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  int masterFd() const { return master_; }
  const std::filesystem::path& slavePath() const { return slavePath_; }

  // Writes all bytes to the line.
  void write(const std::string& bytes);
  // Reads what arrives until `count` bytes came or the time passed.
  std::string read(std::size_t count, std::chrono::milliseconds timeout);
  // Reads whatever arrives within the time.
  std::string readFor(std::chrono::milliseconds duration);

 private:
  int master_ = -1;
  int slaveKeepAlive_ = -1;  // keeps the line up while the code under test reopens it
  std::filesystem::path slavePath_;
};

}  // namespace rx041::test
