#pragma once
// What a programmed chip's registers 1 to 22 hold for the settings sent to
// its solver, by the register map and the solver's conversion, with the
// part's DAC correction for the analog output.
#include <array>
#include <map>
#include <optional>

namespace dual_test {

struct SwitchOutput {
  double op = 0, hys = 0;
  int polarity = 0;
};

struct ChipTargets {
  double angle[4] = {};  // as sent: after the rules' exchanges
  double level[4] = {};
  double clampHigh = 95, clampLow = 5, dp = 260;
  int outMode = 0, pwmFreq = 0, pwmPolarity = 0;
  std::optional<SwitchOutput> switchOutput;
};

// The targets with points A to D as sent, the rest at the window's defaults.
ChipTargets sentPoints(std::array<double, 4> angle, std::array<double, 4> level);

// Register address to (value, mask of the bits the settings decide).
using RegisterBits = std::map<int, std::pair<int, int>>;

// k and b: the part's DAC gain and offset, applied for the analog output.
RegisterBits expectedRegisters(const ChipTargets& targets, double k, double b);

}  // namespace dual_test
