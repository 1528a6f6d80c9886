#pragma once
// What a chip's EEPROM holds after a quick window programmed taught settings:
// registers 1..18 and 20 by the register map and the solver's conversion with
// the part's DAC correction.
#include <map>

#include "rx041/bench/bench.h"

namespace quick_test {

struct TaughtSettings {
  double clampLow = 5, clampHigh = 95, dp = 220;
  double angle[2] = {40, 140}, level[2] = {10, 90};
};

// Register address to value, for the settings and the part's DAC gain K and offset B.
std::map<int, int> expectedRegisters(const TaughtSettings& settings, double k, double b);

// Whether the bench chip's EEPROM holds those registers.
bool eepromHolds(const rx041::bench::Bench& bench, int part, const TaughtSettings& settings, double k, double b);

}  // namespace quick_test
