#pragma once
// MeasurePoint ChipIndex: one point of a part's output check, as the Output
// Check window of the application measures it. The part must be powered;
// the chip's angle is read in OWI mode (GetAngle), its output in ADC mode
// with the ADC on the output after 300 ms (Measure, % of VDD), and the angle
// once more; the part is left in ADC mode with its output on the ADC. The
// line holds "angleBefore output angleAfter"; with an expectation (--expect)
// also the expected level, the error and the verdict ("pass", "fail",
// "near_jump", "off_curve", "moved" when the angle readings lie more than 0.5
// degree apart), "-" where there is none.
#include <optional>

#include "operation_catalog.h"
#include "operation_runner.h"
#include "profile_expectation.h"
#include "script_parser.h"

namespace rx041::ctl {

inline constexpr std::string_view kMeasurePoint = "MeasurePoint";

class PointMeasurement {
 public:
  PointMeasurement(const OperationCatalog& catalog, std::optional<ProfileExpectation> expectation, double tolerance);

  // Null when the part has settings to be checked against (or no
  // expectation was asked for); otherwise why not.
  std::optional<std::string> missingExpectation(std::int32_t chip) const;

  StepOutcome run(OperationRunner& runner, const Step& step) const;

 private:
  const OperationCatalog& catalog_;
  std::optional<ProfileExpectation> expectation_;
  double tolerance_;
};

}  // namespace rx041::ctl
