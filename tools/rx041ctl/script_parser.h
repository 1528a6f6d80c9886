#pragma once
// Reading operations from a script or the command line. Everything is parsed
// before anything runs.
#include <chrono>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "operation_catalog.h"
#include "rx041/component/variant.h"

namespace rx041::ctl {

struct Step {
  int line = 0;                          // 1-based line of the script
  const Operation* operation = nullptr;  // null for a pause and a measured point
  std::vector<com::Variant> inputs;      // in-parameter values in the member's order
  std::chrono::milliseconds pause{0};
  bool measuresPoint = false;  // MeasurePoint ChipIndex (point_measurement.h)

  // The operation's name: the member's, "MeasurePoint" or "sleep".
  std::string_view name() const;
};

struct ParseError {
  int line = 0;
  std::string message;
};

using ParseResult = std::variant<Step, ParseError>;
using ScriptResult = std::variant<std::vector<Step>, ParseError>;

// One operation: its member name followed by its in-parameters, or
// "sleep MS", or "MeasurePoint ChipIndex" (0 or 1). Integers are decimal or
// 0x-hexadecimal, single-precision values decimal.
ParseResult parseStep(std::string_view text, int line, const OperationCatalog& catalog);

// One operation per line; blank lines and lines starting with '#' are skipped.
ScriptResult parseScript(std::string_view script, const OperationCatalog& catalog);

}  // namespace rx041::ctl
