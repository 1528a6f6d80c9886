#pragma once
// A bench with a raw host attached, and the host-side steps the tests repeat:
// bringing a part into OWI, register access and output measurement, all as
// frames on the line.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "raw_line.h"
#include "rx041/bench/bench.h"
#include "rx041/test_support/temp_dir.h"

namespace rx041::bench::test {

// "$G,O,A,P,HH,HH#" with the byte fields in upper-case hex.
std::string frame(char group, char operation, char access, int partField, int first = 0xFF, int second = 0xFF);

class BenchTest : public ::testing::Test {
 protected:
  BenchTest();

  // Sends a frame and returns the reply line, or "" when none came in time.
  std::string exchange(const std::string& frameText, std::chrono::milliseconds timeout = 500ms);

  // Powers the part (0 or 1), switches it to OWI and enters OWI.
  void enterOwi(int part);
  void writeRegister(int part, int address, int value);
  int readRegister(int part, int address);
  // Switches the part to ADC mode and the ADC to its output; the output in %
  // of the given supply, from the ADC code.
  double measureOutputPercent(int part, double vdd = 5.0);
  void setAngle(int part, double degrees) { bench->setAngle(part, degrees); }

  rx041::test::TempDir dir;
  rx041::test::ScopedEnv ports{"RX041_PORTS", (dir / "ports").c_str()};
  std::unique_ptr<Bench> bench;
  std::unique_ptr<RawLine> host;
};

}  // namespace rx041::bench::test
