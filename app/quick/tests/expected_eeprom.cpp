#include "expected_eeprom.h"

#include <cmath>

namespace quick_test {

std::map<int, int> expectedRegisters(const TaughtSettings& s, double k, double b) {
  const auto percentCode = [&](double percent) {
    double x = (percent - b) / (k * 3.6);
    x = x > 99.98 ? 99.98 : x < 0.02 ? 0.02 : x;
    return static_cast<int>(std::trunc(x * 40.96 + 0.5));
  };
  const auto angleCode = [](double degrees) { return static_cast<int>(std::trunc(degrees * 16 + 0.5)); };
  // Points C and D sit on B's angle with level 0.
  const int level[4] = {percentCode(s.level[0]), percentCode(s.level[1]), percentCode(0), percentCode(0)};
  const int angle[4] = {angleCode(s.angle[0]), angleCode(s.angle[1]), angleCode(s.angle[1]), angleCode(s.angle[1])};
  const int high = percentCode(s.clampHigh), low = percentCode(s.clampLow);
  const int dp = static_cast<int>(std::trunc(s.dp * 8 + 0.5));
  std::map<int, int> r;
  for (int i = 0; i < 4; ++i) {
    r[1 + i] = (angle[i] >> 8) & 0x1F;
    r[7 + i] = angle[i] & 0xFF;
    r[11 + i] = level[i] & 0xFF;
  }
  r[5] = ((level[0] >> 8) << 4) | (level[1] >> 8);
  r[6] = ((level[2] >> 8) << 4) | (level[3] >> 8);
  r[15] = high & 0xFF;
  r[16] = low & 0xFF;
  r[17] = ((high >> 8) << 4) | (low >> 8);
  r[18] = dp & 0xFF;
  r[20] = (dp >> 8) << 4;
  return r;
}

bool eepromHolds(const rx041::bench::Bench& bench, int part, const TaughtSettings& settings, double k, double b) {
  for (const auto& [address, value] : expectedRegisters(settings, k, b))
    if (bench.eeprom(part, address) != value) return false;
  return true;
}

}  // namespace quick_test
