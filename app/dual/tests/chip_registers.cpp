#include "chip_registers.h"

#include <algorithm>
#include <cmath>

namespace dual_test {

ChipTargets sentPoints(std::array<double, 4> angle, std::array<double, 4> level) {
  ChipTargets targets;
  std::copy(angle.begin(), angle.end(), targets.angle);
  std::copy(level.begin(), level.end(), targets.level);
  return targets;
}

RegisterBits expectedRegisters(const ChipTargets& t, double k, double b) {
  const bool analog = t.outMode == 0;
  const auto percentCode = [&](double percent) {
    const double x = std::clamp(analog ? (percent - b) / (k * 3.6) : percent, 0.02, 99.98);
    return static_cast<int>(std::trunc(x * 40.96 + 0.5));
  };
  const auto angleCode = [](double degrees) { return static_cast<int>(std::trunc(degrees * 16 + 0.5)); };
  RegisterBits r;
  int level[4];
  for (int i = 0; i < 4; ++i) {
    const int angle = angleCode(t.angle[i]);
    level[i] = percentCode(t.level[i]);
    r[1 + i] = {(angle >> 8) & 0x1F, 0x1F};
    r[7 + i] = {angle & 0xFF, 0xFF};
    r[11 + i] = {level[i] & 0xFF, 0xFF};
  }
  r[1].first |= ((t.pwmFreq << 1 | t.pwmPolarity) << 5) & 0xE0;
  r[1].second = 0xFF;
  r[2].first |= (t.outMode << 6) | (t.switchOutput ? 0x20 : 0);
  r[2].second = 0xFF;
  r[5] = {((level[0] >> 8) << 4) | (level[1] >> 8), 0xFF};
  r[6] = {((level[2] >> 8) << 4) | (level[3] >> 8), 0xFF};
  const int high = percentCode(t.clampHigh), low = percentCode(t.clampLow);
  r[15] = {high & 0xFF, 0xFF};
  r[16] = {low & 0xFF, 0xFF};
  r[17] = {((high >> 8) << 4) | (low >> 8), 0xFF};
  const int dp = static_cast<int>(std::trunc(t.dp * 8 + 0.5));
  r[18] = {dp & 0xFF, 0xFF};
  r[20] = {(dp >> 8) << 4, 0xF0};
  if (const auto& s = t.switchOutput) {
    const double whole = std::trunc(s->op);
    const int op = static_cast<int>(whole) * 8 + static_cast<int>(std::trunc((s->op - whole) * 8 + 0.5));
    r[19] = {op & 0xFF, 0xFF};
    r[20] = {r[20].first | ((op >> 8) & 0x0F), 0xFF};
    const double hysWhole = std::trunc(s->hys);
    const double quarters = (s->hys - hysWhole) * 4;
    const int quarter = quarters < 0.5 ? 0 : quarters < 1.5 ? 1 : quarters < 2.5 ? 2 : 3;
    r[21] = {(static_cast<int>(hysWhole) * 4 & 0xFF) | quarter, 0x3F};
    r[22] = {s->polarity << 7, 0x80};
  }
  return r;
}

}  // namespace dual_test
