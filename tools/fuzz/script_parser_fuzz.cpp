// rx041ctl scripts as anyone may write them: parsing never crashes, a parsed
// step carries one value per in-parameter of its operation (MeasurePoint its
// part, a pause none), and an error names
// a line of the script in a short message of printable text.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "operation_catalog.h"
#include "script_parser.h"

namespace {

using namespace rx041::ctl;

constexpr std::size_t kLongestMessage = 400;

void expect(bool holds) {
  if (!holds) __builtin_trap();
}

std::size_t inParameters(const Operation& operation) {
  std::size_t count = 0;
  for (const auto& param : operation.member->params) count += param.out ? 0 : 1;
  return count;
}

bool printable(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static const OperationCatalog catalog;
  const std::string_view script(reinterpret_cast<const char*>(bytes), size);
  const auto lines = static_cast<int>(std::count(script.begin(), script.end(), '\n')) + 1;
  const ScriptResult result = parseScript(script, catalog);
  if (const auto* error = std::get_if<ParseError>(&result)) {
    expect(error->line >= 1 && error->line <= lines);
    expect(!error->message.empty() && error->message.size() <= kLongestMessage && printable(error->message));
    return 0;
  }
  int previousLine = 0;
  for (const Step& step : std::get<std::vector<Step>>(result)) {
    expect(step.line > previousLine && step.line <= lines);
    previousLine = step.line;
    const std::size_t inputs = step.operation ? inParameters(*step.operation) : step.measuresPoint ? 1 : 0;
    expect(step.inputs.size() == inputs);
  }
  return 0;
}
