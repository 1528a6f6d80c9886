#pragma once
// The virtual bench: an emulated RX041 programmer board with two ZQ3902 chip
// positions, served on a pseudo-terminal of its own. Tests and demonstrations
// open devicePath() (or the COM link) as they would a real board's port and
// steer the physics (magnet angle, supply, chip errors, faults) through this
// object or its control socket. All members are thread-safe.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace rx041::bench {

struct BenchOptions {
  std::optional<int> comNumber{};         // put the bench behind COMn of the port map
  std::filesystem::path controlSocket{};  // serve the control commands on this Unix socket
  std::filesystem::path transcript{};     // log every received frame with a timestamp
  bool lineRate = false;                  // pace replies at the true 115200-baud rate
};

class Bench {
 public:
  // Opens the pseudo-terminal and serves on its own thread; throws
  // std::runtime_error on failure.
  explicit Bench(BenchOptions options = {});
  // Stops and joins the threads, removes the COM link and the control socket.
  ~Bench();
  Bench(const Bench&) = delete;
  Bench& operator=(const Bench&) = delete;

  // The slave device path. A "hangup" fault replaces the line by a new one.
  std::filesystem::path devicePath() const;

  // One control command, as on the control socket; returns its reply line
  // ("ok ..." or "error ...") without a line end.
  std::string control(const std::string& commandLine);

  // Parts are 0 (Part#1) and 1 (Part#2); other values throw std::invalid_argument.
  void setAngle(int part, double degrees);
  void setVdd(int part, double volts);
  void setPresent(int part, bool present);
  void setDac(int part, double gain, double offsetPercent);
  void setId(int part, int value);
  int ram(int part, int address) const;
  int eeprom(int part, int address) const;
  // The chip's output in % of VDD as the ADC sees it on the analog relay:
  // 0 unless the part is powered and in ADC mode.
  double output(int part) const;
  // Every frame received so far, in order (a bench running for days keeps
  // the most recent million).
  std::vector<std::string> frames() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace rx041::bench
