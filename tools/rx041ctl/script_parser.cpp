#include "script_parser.h"

#include <limits>
#include <sstream>

#include "value_text.h"

namespace rx041::ctl {
namespace {

std::vector<std::string> words(std::string_view text) {
  std::istringstream stream{std::string(text)};
  std::vector<std::string> result;
  for (std::string word; stream >> word;) result.push_back(word);
  return result;
}

// Untyped parameters take what the member expects: the setting value is a
// single-precision number, except for the integer setting (the switch
// polarity, 14), which is a long; any other untyped parameter is an integer.
com::VarType untypedParameterType(const com::MemberInfo& member, const std::vector<com::Variant>& earlier) {
  constexpr std::int32_t kIntegerSetting = 14;
  if (member.name != "SetSolverSetting") return com::VarType::I4;
  for (std::size_t i = 0; i < earlier.size(); ++i) {
    if (member.params[i].name == "settingID" && earlier[i].toInt32() == kIntegerSetting) return com::VarType::I4;
  }
  return com::VarType::R4;
}

template <class Int>
std::optional<Int> integerIn(const std::string& word) {
  const auto value = parseInteger(word);
  if (!value || *value < std::numeric_limits<Int>::min() || *value > std::numeric_limits<Int>::max())
    return std::nullopt;
  return static_cast<Int>(*value);
}

std::optional<com::Variant> parseValue(const std::string& word, com::VarType type) {
  std::optional<com::Variant> parsed;
  switch (type) {
    case com::VarType::I2:
      if (const auto value = integerIn<std::int16_t>(word)) parsed.emplace(*value);
      break;
    case com::VarType::I4:
      if (const auto value = integerIn<std::int32_t>(word)) parsed.emplace(*value);
      break;
    case com::VarType::Bool:
      // The flag is passed as given: only -1 counts as true for the device.
      if (const auto value = integerIn<std::int16_t>(word)) parsed.emplace(com::VariantBool{*value});
      break;
    case com::VarType::R4:
    case com::VarType::R8:
      if (const auto value = parseSingle(word)) parsed.emplace(*value);
      break;
    case com::VarType::String: parsed.emplace(word); break;
    default: break;
  }
  return parsed;
}

const char* typeDescription(com::VarType type) {
  switch (type) {
    case com::VarType::I2:
    case com::VarType::I4:
    case com::VarType::Bool: return "an integer";
    case com::VarType::R4:
    case com::VarType::R8: return "a decimal number";
    default: return "a value the console cannot give";
  }
}

ParseResult parsePause(const std::vector<std::string>& w, int line) {
  const auto ms = w.size() == 2 ? parseInteger(w[1]) : std::nullopt;
  if (!ms || *ms < 0) return ParseError{line, "sleep takes one argument: MS, a whole number of milliseconds"};
  Step step;
  step.line = line;
  step.pause = std::chrono::milliseconds(*ms);
  return step;
}

ParseResult parseMeasurePoint(const std::vector<std::string>& w, int line) {
  const auto chip = w.size() == 2 ? parseInteger(w[1]) : std::nullopt;
  if (!chip || (*chip != 0 && *chip != 1))
    return ParseError{line, "MeasurePoint takes one argument: ChipIndex, 0 (Part#1) or 1 (Part#2)"};
  Step step;
  step.line = line;
  step.measuresPoint = true;
  step.inputs.emplace_back(static_cast<std::int32_t>(*chip));
  return step;
}

}  // namespace

std::string_view Step::name() const {
  if (operation) return operation->member->name;
  return measuresPoint ? "MeasurePoint" : "sleep";
}

ParseResult parseStep(std::string_view text, int line, const OperationCatalog& catalog) {
  const std::vector<std::string> w = words(text);
  if (w.empty()) return ParseError{line, "no operation"};
  if (w[0] == "sleep") return parsePause(w, line);
  if (w[0] == "MeasurePoint") return parseMeasurePoint(w, line);

  const Operation* operation = catalog.find(w[0]);
  if (!operation) return ParseError{line, "unknown operation " + quoted(w[0])};
  const com::MemberInfo& member = *operation->member;

  std::vector<const com::ParamInfo*> inputs;
  std::string usage = w[0];
  for (const auto& param : member.params) {
    if (param.out) continue;
    inputs.push_back(&param);
    usage += " " + std::string(param.name);
  }
  if (w.size() - 1 != inputs.size())
    return ParseError{line, w[0] + " takes " + std::to_string(inputs.size()) + " argument(s): " + usage};

  Step step;
  step.line = line;
  step.operation = operation;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const com::VarType type =
        inputs[i]->type == com::VarType::Any ? untypedParameterType(member, step.inputs) : inputs[i]->type;
    auto value = parseValue(w[i + 1], type);
    if (!value)
      return ParseError{line, w[0] + ": " + std::string(inputs[i]->name) + " must be " + typeDescription(type) +
                                  ", not " + quoted(w[i + 1])};
    step.inputs.push_back(std::move(*value));
  }
  return step;
}

ScriptResult parseScript(std::string_view script, const OperationCatalog& catalog) {
  std::vector<Step> steps;
  int line = 0;
  std::size_t start = 0;
  while (start < script.size()) {
    std::size_t end = script.find('\n', start);
    if (end == std::string_view::npos) end = script.size();
    const std::string_view text = script.substr(start, end - start);
    start = end + 1;
    ++line;
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos || text[first] == '#') continue;
    ParseResult parsed = parseStep(text, line, catalog);
    if (auto* error = std::get_if<ParseError>(&parsed)) return *error;
    steps.push_back(std::get<Step>(std::move(parsed)));
  }
  return steps;
}

}  // namespace rx041::ctl
