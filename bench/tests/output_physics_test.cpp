// The chip's outputs as the board's ADC measures them: the solver curve from
// raw register writes, the DAC error and its calibration, PWM and the switch.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "bench_fixture.h"
#include "host_rules.h"

namespace rx041::bench::test {
namespace {

struct CurveSettings {
  std::array<double, 4> angles;  // A, B, C, D in degrees
  std::array<double, 4> levels;  // % of VDD
  double clampHigh;
  double clampLow;
  double dp;
};

int code(double value, double perUnit) { return static_cast<int>(std::trunc(value * perUnit + 0.5)); }

class OutputPhysicsTest : public BenchTest {
 protected:
  // The register image of the settings, written one register at a time.
  void writeCurve(int part, const CurveSettings& s) {
    std::array<int, 4> angle{}, level{};
    for (std::size_t i = 0; i < 4; ++i) {
      angle[i] = code(s.angles[i], 16);
      level[i] = code(s.levels[i], 40.96);
    }
    const int high = code(s.clampHigh, 40.96), low = code(s.clampLow, 40.96), dp = code(s.dp, 8);
    for (std::size_t i = 0; i < 4; ++i) {
      const int point = static_cast<int>(i);
      writeRegister(part, 1 + point, angle[i] >> 8);
      writeRegister(part, 7 + point, angle[i] & 0xFF);
      writeRegister(part, 11 + point, level[i] & 0xFF);
    }
    writeRegister(part, 5, ((level[0] >> 8) << 4) | (level[1] >> 8));
    writeRegister(part, 6, ((level[2] >> 8) << 4) | (level[3] >> 8));
    writeRegister(part, 15, high & 0xFF);
    writeRegister(part, 16, low & 0xFF);
    writeRegister(part, 17, ((high >> 8) << 4) | (low >> 8));
    writeRegister(part, 18, dp & 0xFF);
    writeRegister(part, 20, (dp >> 8) << 4);
  }

  double outputAt(int part, double degrees) {
    setAngle(part, degrees);
    return measureOutputPercent(part);
  }

  void expectCurve(int part, const std::vector<std::pair<double, double>>& angleAndLevel, double tolerance) {
    for (const auto& [angle, level] : angleAndLevel) {
      EXPECT_NEAR(outputAt(part, angle), level, tolerance) << "at " << angle << " degrees";
      EXPECT_NEAR(bench->output(part), level, tolerance) << "in-process view at " << angle << " degrees";
    }
  }
};

TEST_F(OutputPhysicsTest, TwoPointCurveFollowsTheWorkedExample) {
  enterOwi(0);
  // Two points reach the chip with C and D repeating B.
  writeCurve(0, {{100, 200, 200, 200}, {20, 80, 80, 80}, 95, 5, 30});
  expectCurve(0,
              {{50, 5},
               {100, 20},
               {150, 50},
               {200, 80},
               {300, 95},
               {10, 95},
               // before A the line runs down into clamp low, after B up into
               // clamp high; DP is where the two meet
               {90, 14},
               {80, 8},
               {210, 86},
               {29.9, 95},
               {30.2, 5}},
              0.03);
}

TEST_F(OutputPhysicsTest, FourPointCurveWrapsThroughZeroAndJumpsAtDp) {
  enterOwi(1);
  // A at 300, B past the wrap at 20, then C and D; DP at 250 lies between the
  // end of the curve and its start.
  writeCurve(1, {{300, 20, 100, 180}, {10, 40, 60, 90}, 95, 5, 250});
  expectCurve(1,
              {{270, 5},     // start level up from DP (the line would be below clamp low)
               {290, 6.25},  // extension of A-B before A: slope 30/80
               {300, 10},
               {340, 25},
               {20, 40},
               {60, 50},   // B-C: slope 20/80
               {140, 75},  // C-D: slope 30/80
               {180, 90},
               {190, 93.75},
               {200, 95},
               {249.5, 95},
               {250.5, 5}},
              0.03);
}

TEST_F(OutputPhysicsTest, ThreePointCurveIgnoresTheRepeatedAngle) {
  enterOwi(0);
  writeCurve(0, {{0, 90, 180, 180}, {30, 60, 40, 99}, 80, 10, 270});
  expectCurve(0, {{45, 45}, {135, 50}, {180, 40}, {225, 30}, {260, 22.2222}, {315, 15}, {269, 20.2222}, {271, 10}},
              0.03);
}

TEST_F(OutputPhysicsTest, DacTestCodesCarryTheChipsGainAndOffset) {
  bench->setDac(0, 0.98, 1.2);
  enterOwi(0);
  writeRegister(0, 34, 1);
  const std::pair<int, double> codes[] = {{0, 6.25}, {3, 25}, {7, 50}, {10, 68.75}, {14, 93.75}};
  for (const auto& [testCode, ideal] : codes) {
    enterOwi(0);
    writeRegister(0, 32, testCode);
    EXPECT_NEAR(measureOutputPercent(0), 0.98 * ideal + 1.2, 0.01) << "code " << testCode;
  }
  enterOwi(0);
  writeRegister(0, 34, 0);
  EXPECT_NEAR(measureOutputPercent(0), 0.98 * 0 + 1.2, 0.01) << "back to the solver (all-zero curve)";
}

TEST_F(OutputPhysicsTest, CalibratedSettingsReachTheirTargetsDespiteTheDacError) {
  const double gain = 0.965, offset = 1.7;
  bench->setDac(0, gain, offset);
  bench->setVdd(0, 4.9);
  exchange("$R,P,O,1,FF,FF#");
  exchange("$R,M,V,1,FF,FF#");
  const double vdd = (judgeAdc(exchange("$M,T,W,0,FF,FF#")).value_or(0) - 32768) * 0.000152587890625;
  ASSERT_NEAR(vdd, 4.9, 0.001);

  // The host's calibration: test codes 0, 7 and 14 measured as 315 and 180
  // degrees apart.
  std::array<double, 3> measured{};
  const int testCodes[] = {0, 7, 14};
  for (std::size_t i = 0; i < 3; ++i) {
    enterOwi(0);
    writeRegister(0, 32, testCodes[i]);
    writeRegister(0, 33, 0xFF);
    writeRegister(0, 34, 1);
    measured[i] = measureOutputPercent(0, vdd);
  }
  enterOwi(0);
  writeRegister(0, 34, 0);
  const double k = (measured[2] - measured[0]) / 315.0;
  const double b = measured[1] - k * 180.0;
  auto stored = [&](double target) { return (target - b) / (k * 3.6); };

  writeCurve(0, {{60, 240, 240, 240}, {stored(15), stored(85), stored(85), stored(85)}, stored(92), stored(8), 10});
  for (const auto& [angle, target] :
       std::vector<std::pair<double, double>>{{60, 15}, {150, 50}, {240, 85}, {5, 92}, {20, 8}}) {
    setAngle(0, angle);
    EXPECT_NEAR(measureOutputPercent(0, vdd), target, 0.2) << "at " << angle << " degrees";
  }
}

TEST_F(OutputPhysicsTest, PwmOutputIsTheDutyCycleWithoutTheDacError) {
  bench->setDac(0, 0.9, 3.0);
  enterOwi(0);
  writeCurve(0, {{100, 200, 200, 200}, {20, 80, 80, 80}, 95, 5, 30});
  writeRegister(0, 2, 0x40 | (code(200, 16) >> 8));  // output mode 1
  EXPECT_NEAR(outputAt(0, 150), 50, 0.02);
  EXPECT_NEAR(outputAt(0, 50), 5, 0.02);

  enterOwi(0);
  writeRegister(0, 1, 0x20 | (code(100, 16) >> 8));  // inverted polarity
  EXPECT_NEAR(outputAt(0, 50), 95, 0.02);

  enterOwi(0);
  writeRegister(0, 2, code(200, 16) >> 8);  // analog again
  EXPECT_NEAR(outputAt(0, 150), 0.9 * 50 + 3.0, 0.02);
}

TEST_F(OutputPhysicsTest, SwitchFollowsTheAngleWithHysteresisAndPolarity) {
  auto switchState = [&] {
    const std::string state = bench->control("state 0");
    const auto at = state.find("switch=") + 7;
    return state.substr(at, state.find(' ', at) - at);
  };
  enterOwi(0);
  EXPECT_EQ(switchState(), "disabled");
  // Operate point 45.25 degrees (code 362), hysteresis 2.5 degrees.
  writeRegister(0, 19, 362 & 0xFF);
  writeRegister(0, 20, 362 >> 8);
  writeRegister(0, 21, (2 << 2) | 2);
  writeRegister(0, 2, 0x20);
  setAngle(0, 40);
  EXPECT_EQ(switchState(), "off");
  setAngle(0, 45.3);
  EXPECT_EQ(switchState(), "on");
  setAngle(0, 43);
  EXPECT_EQ(switchState(), "on") << "inside the hysteresis";
  setAngle(0, 42.7);
  EXPECT_EQ(switchState(), "off");
  setAngle(0, 44);
  EXPECT_EQ(switchState(), "off") << "inside the hysteresis, coming from below";
  writeRegister(0, 22, 0x80);
  EXPECT_EQ(switchState(), "on") << "inverted polarity";
}

}  // namespace
}  // namespace rx041::bench::test
