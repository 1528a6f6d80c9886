#pragma once
// The out-values by which an operation reports that it failed, as the device
// library's interfaces document them: --stop-on-failure stops at the first.
#include <optional>
#include <string>

#include "operation_runner.h"
#include "script_parser.h"

namespace rx041::ctl {

// "pVal 2" when the step's outcome holds one of its operation's failure
// values (MeasurePoint: an angle or output reading that failed); nullopt when
// it holds none, or the operation documents none (MemWrite, Destroy, sleep).
std::optional<std::string> documentedFailure(const Step& step, const StepOutcome& outcome);

}  // namespace rx041::ctl
