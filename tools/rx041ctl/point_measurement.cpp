#include "point_measurement.h"

#include <chrono>
#include <cmath>
#include <string>
#include <thread>

#include "value_text.h"

namespace rx041::ctl {
namespace {

constexpr std::chrono::milliseconds kOutputSettling{300};
constexpr float kNoReading = -100.0f;  // Measure: -101 ADC time-out
constexpr float kNoAngle = 360.0f;     // GetAngle: a failed register read

double fourDecimals(double value) { return std::round(value * 1e4) / 1e4; }

}  // namespace

PointMeasurement::PointMeasurement(const OperationCatalog& catalog, std::optional<ProfileExpectation> expectation,
                                   double tolerance)
    : catalog_(catalog), expectation_(std::move(expectation)), tolerance_(tolerance) {}

std::optional<std::string> PointMeasurement::missingExpectation(std::int32_t chip) const {
  if (!expectation_) return std::nullopt;
  const auto& part = expectation_->parts[chip == 1 ? 1 : 0];
  if (const auto* reason = std::get_if<std::string>(&part))
    return "the " + expectation_->layout + " profile has no settings for Part#" + std::to_string(chip + 1) + ": " +
           *reason;
  return std::nullopt;
}

StepOutcome PointMeasurement::run(OperationRunner& runner, const Step& step) const {
  const std::int32_t chipIndex = step.inputs.at(0).toInt32().value_or(0);
  const std::string chip = " " + std::to_string(chipIndex);
  StepOutcome outcome;
  // One call after the other; the first that fails outright ends the point.
  const auto call = [&](const std::string& text) -> std::optional<StepOutcome> {
    StepOutcome called = runner.run(std::get<Step>(parseStep(text, step.line, catalog_)));
    if (!com::succeeded(called.status)) {
      outcome.status = called.status;
      return std::nullopt;
    }
    return called;
  };
  const auto firstFloat = [](const std::optional<StepOutcome>& called) {
    return called->values.at(0).value.toFloat().value_or(0);
  };

  if (!call("Customized_EnterOWI" + chip)) return outcome;
  const auto before = call("GetAngle" + chip);
  if (!before) return outcome;
  // The chip runs normally only out of OWI mode, and the ADC must be on its output.
  for (const char* member : {"Customized_QuitOWI", "Customized_SetADCMode", "Customized_Mode0V"})
    if (!call(member + chip)) return outcome;
  std::this_thread::sleep_for(kOutputSettling);
  const auto measured = call("Measure" + chip + " 1");
  if (!measured) return outcome;
  if (!call("Customized_EnterOWI" + chip)) return outcome;
  const auto after = call("GetAngle" + chip);
  if (!after) return outcome;
  for (const char* member : {"Customized_QuitOWI", "Customized_SetADCMode", "Customized_Mode0V"})
    if (!call(member + chip)) return outcome;

  const float angleBefore = firstFloat(before), output = firstFloat(measured), angleAfter = firstFloat(after);
  outcome.values = {{"angleBefore", angleBefore}, {"output", output}, {"angleAfter", angleAfter}};
  if (expectation_) {
    const auto& settings = std::get<rx41::CurveSettings>(expectation_->parts[chipIndex == 1 ? 1 : 0]);
    const rx41::ExpectedCurve curve(settings, static_cast<std::int16_t>(chipIndex == 1 ? 1 : 0), {});
    com::Variant expected = std::string("-"), error = std::string("-"), verdict = std::string("-");
    const bool readings = angleBefore < kNoAngle && angleAfter < kNoAngle && output > kNoReading;
    if (readings && rx41::angleDistance(angleBefore, angleAfter) > rx41::kMagnetMovedLimit) {
      verdict = std::string("moved");
    } else if (readings) {
      const rx41::JudgedPoint point =
          rx41::judgePoint(curve, {rx41::meanAngle(angleBefore, angleAfter), output}, tolerance_);
      if (point.expected) {
        expected = fourDecimals(*point.expected);
        error = fourDecimals(point.error);
      }
      verdict = std::string(rx41::verdictName(point.verdict));
    }
    outcome.values.push_back({"expected", std::move(expected)});
    outcome.values.push_back({"error", std::move(error)});
    outcome.values.push_back({"verdict", std::move(verdict)});
  }
  for (std::size_t i = 0; i < outcome.values.size(); ++i)
    outcome.line += (i ? " " : "") + formatValue(outcome.values[i].value);
  return outcome;
}

}  // namespace rx041::ctl
