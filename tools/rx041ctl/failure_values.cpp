#include "failure_values.h"

#include <string_view>

#include "value_text.h"

namespace rx041::ctl {
namespace {

bool nonZero(const com::Variant& value) { return value.toInt32().value_or(0) != 0; }
// A failed register read reports 511, outside the byte range.
bool readFailed(const com::Variant& value) { return value.toInt32() == 511; }
// -101 for an ADC time-out, -100 for an unknown measure type.
bool noReading(const com::Variant& value) { return value.toFloat().value_or(0) <= -100.0f; }
// A failed register read enters the angle as 511, far beyond a whole turn.
bool noAngle(const com::Variant& value) { return value.toFloat().value_or(0) >= 360.0f; }

struct FailureRule {
  std::string_view operation;
  std::string_view outValue;
  bool (*failed)(const com::Variant&);
};

constexpr FailureRule kRules[] = {
    {"ConnectChannel", "pVal", nonZero},
    {"ProgramDevice", "pVal", nonZero},
    {"Measure", "pVal", noReading},
    {"MeasureVdd", "pVal", noReading},
    {"GetAngle", "pfAngle", noAngle},
    {"Customized_EnterOWI", "pVal", nonZero},
    {"Customized_QuitOWI", "pVal", nonZero},
    {"Customized_PowerOn", "pVal", nonZero},
    {"Customized_Mode0V", "pVal", nonZero},
    {"Customized_PowerOff", "pVal", nonZero},
    {"Customized_SetADCMode", "pVal", nonZero},
    {"DAC_calibration", "pVal", nonZero},
    {"ProgrammerVersion", "pVal", nonZero},
    {"PWM_mode", "pVal", nonZero},
    {"MemRead", "pData", readFailed},
    {"SetSolverSetting", "pVal", nonZero},
    {"ChipVersion", "value", readFailed},
    {"Commlock", "pVal", nonZero},
    {"CopySolverSettingsToParameters", "pVal", nonZero},
    {"ClearSolverSettings", "pVal", nonZero},
    {"MeasurePoint", "angleBefore", noAngle},
    {"MeasurePoint", "output", noReading},
    {"MeasurePoint", "angleAfter", noAngle},
};

}  // namespace

std::optional<std::string> documentedFailure(const Step& step, const StepOutcome& outcome) {
  if (!step.operation && !step.measuresPoint) return std::nullopt;
  const std::string_view operation = step.name();
  for (const FailureRule& rule : kRules) {
    if (rule.operation != operation) continue;
    for (const OutValue& out : outcome.values) {
      if (out.name == rule.outValue && rule.failed(out.value))
        return std::string(out.name) + " " + formatValue(out.value);
    }
  }
  return std::nullopt;
}

}  // namespace rx041::ctl
