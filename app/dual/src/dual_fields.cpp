#include "rx41/dual/dual_fields.h"

#include <string_view>

namespace rx41 {
namespace {

constexpr std::string_view kOutModes[] = {"Analog", "PWM"};
constexpr std::string_view kPwmFrequencies[] = {"1000 Hz", "500 Hz", "250 Hz", "125 Hz"};
constexpr std::string_view kPwmPolarities[] = {"high level valid", "low level valid"};

}  // namespace

DualFieldTable dualFieldTable(const FieldRule& clampHigh, const FieldRule& clampLow) {
  // Every setting may be used only while its part is enabled and powered; the
  // direction and the output lists stay usable.
  constexpr auto inWork = EnableGroup::PartInWork;
  return {{
      {"VDD", IndexScheme::Part, "VDD (V)", &kVddRule, "", ValueSlot::None, "5.000", 2, "VDD is(V):", inWork},
      {"DP", IndexScheme::Part, "DP (deg)", &kDualDpRule, "Part#{part}: ", ValueSlot::Dp, "260.00", 4,
       "DP is(deg):", inWork},
      {"clamphigh", IndexScheme::Part, "Clamp High (%VDD)", &clampHigh, "Part#{part}: ", ValueSlot::ClampHigh, "95.00",
       5, "Clamp High is(%):", inWork},
      {"clamplow", IndexScheme::Part, "Clamp Low (%VDD)", &clampLow, "Part#{part}: ", ValueSlot::ClampLow, "5.00", 6,
       "Clamp Low is(%):", inWork},
      checkBoxRow("clockwise", IndexScheme::Part, "clockwise", 3, "Direction is:", TickWords{"CW", "CCW"}),
      {"Angle", IndexScheme::FourPointsPerPart, "Angle {point} (deg)", &kDualAngleRule, "Part#{part}: Angle {point} ",
       ValueSlot::Angle, "", 7, "Angle of Point {point} is(deg):", inWork},
      {"Level", IndexScheme::FourPointsPerPart, "Level {point} [%VDD]", &kLevelRule, "Part#{part}: Level {point} ",
       ValueSlot::Level, "", 8, "Level of Point {point} is(%):", inWork},
      {"KforA", IndexScheme::Part, "Slope", &kSlopeRule, "Part#{part}: Slope ", ValueSlot::Slope, "", 15,
       "Slope parameter is(%VDD/deg):", inWork},
      // Two blanks before the message.
      {"op", IndexScheme::Part, "OP (deg)", &kDualAngleRule, "Part#{part}: OP  ", ValueSlot::Op, "", 16,
       "OP parameter is(deg):", inWork},
      {"hys", IndexScheme::Part, "HYS (deg)", &kHysteresisRule, "Part#{part}: HYS  ", ValueSlot::Hys, "1.00", 17,
       "HYS parameter is(deg):", inWork},
      checkBoxRow("Kpolarity", IndexScheme::Part, "Polarity", 18, "Polarity parameter is:", TickWords{"1", "0"},
                  inWork),
      listRow("OutMode", IndexScheme::Part, "output mode", kOutModes, 19, "OutMode is:"),
      listRow("PWMFreq", IndexScheme::Part, "PWM frequency", kPwmFrequencies, 20,
              "PWMFreq is:", EnableGroup::PwmOutput),
      // No colon in the label.
      listRow("PWMPolarity", IndexScheme::Part, "PWM polarity", kPwmPolarities, 21, "PWMPolarity is",
              EnableGroup::PwmOutput),
      {"Rangle", IndexScheme::Part, "Angle (deg)", &kReadAngleRule, "", ValueSlot::None, "360.00", 0, "", inWork},
  }};
}

}  // namespace rx41
