#include "record_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "rx041/component/shown_text.h"
#include "rx041/records/programming_record.h"

namespace rx041::records {
namespace {

// The registers a store makes permanent: the solver's (1..22), the lock
// register and the DAC test registers; one column each.
constexpr std::array<std::int32_t, 26> kRegisterColumns = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,   11,   12,   13,
                                                           14, 15, 16, 17, 18, 19, 20, 21, 22, 0x1C, 0x20, 0x21, 0x22};

std::string orDash(const std::string& text) { return text.empty() ? "-" : text; }

std::string number(float value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string decimal(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

template <class T>
std::string optionalNumber(const std::optional<T>& value) {
  if (!value) return {};
  if constexpr (std::is_same_v<T, float>)
    return number(*value);
  else
    return std::to_string(*value);
}

std::string verificationText(const Verification& v) {
  switch (v.result) {
    case VerificationResult::Passed: return "passed";
    case VerificationResult::Failed:
      if (!v.mismatch) return "failed: " + v.reason;
      return "failed at register " + hexByte(v.mismatch->address) + ": wrote " + hexByte(v.mismatch->wrote) +
             ", read " + (v.mismatch->read ? hexByte(*v.mismatch->read) : "failed");
    case VerificationResult::Skipped: break;
  }
  return "skipped: " + v.reason;
}

// A text field for a spreadsheet: control characters escaped, and a text that
// a spreadsheet would take for a formula (=, +, -, @ first) kept as text by a
// leading quote. Number columns do not pass here: "-101" stays a number.
std::string csvText(const std::string& text) {
  std::string shown = rx041::shownText(text);
  if (!shown.empty() && std::string_view("=+-@\t\r").find(shown.front()) != std::string_view::npos)
    shown.insert(0, 1, '\'');
  return shown;
}

// A field as CSV takes it: quoted when it holds a separator, a quote or a line end.
std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

void writeRow(std::ostream& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) out << (i ? "," : "") << csvField(fields[i]);
  out << "\n";
}

// The columns every kind of record starts with: where and on what it was made.
std::vector<std::string> identityHeader() {
  return {"line", "time", "host", "mode", "window", "port", "device", "part", "chip_id"};
}

std::vector<std::string> identityFields(const NumberedRecord& numbered) {
  const ProgrammingRecord& r = numbered.record;
  return {std::to_string(numbered.line),
          csvText(r.time),
          csvText(r.host),
          csvText(r.mode),
          csvText(r.window),
          csvText(r.port),
          csvText(r.device),
          std::to_string(r.part),
          r.chipId ? hexByte(*r.chipId) : std::string()};
}

std::vector<std::string> header() {
  std::vector<std::string> names = identityHeader();
  for (const char* name : {"vdd", "dac_k", "dac_b", "contents", "clamp_low", "clamp_high", "dp"}) names.push_back(name);
  for (const char point : {'a', 'b', 'c', 'd'}) {
    names.push_back(std::string("angle_") + point);
    names.push_back(std::string("level_") + point);
  }
  for (const char* name :
       {"slope", "op", "hys", "switch_polarity", "output_mode", "pwm_frequency", "pwm_polarity", "dac_correction"})
    names.push_back(name);
  for (const std::int32_t address : kRegisterColumns) names.push_back("reg_" + hexByte(address));
  for (const char* name : {"verification", "verification_reads", "program_result", "outcome"}) names.push_back(name);
  return names;
}

std::vector<std::string> row(const NumberedRecord& numbered) {
  const ProgrammingRecord& r = numbered.record;
  const SolverSettingsSent s = r.settings.value_or(SolverSettingsSent{});
  std::vector<std::string> fields = identityFields(numbered);
  for (std::string field :
       {optionalNumber(r.vdd), number(r.dacK), number(r.dacB), std::string(contentsName(r.contents)),
        optionalNumber(s.clampLow), optionalNumber(s.clampHigh), optionalNumber(s.dp)})
    fields.push_back(std::move(field));
  for (const auto& point : s.points) {
    fields.push_back(optionalNumber(point.angle));
    fields.push_back(optionalNumber(point.level));
  }
  for (const auto& value : {s.slope, s.op, s.hys}) fields.push_back(optionalNumber(value));
  for (const auto& value : {s.switchPolarity, s.outputMode, s.pwmFrequency, s.pwmPolarity})
    fields.push_back(optionalNumber(value));
  fields.push_back(s.dacCorrection ? (*s.dacCorrection ? "yes" : "no") : "");
  for (const std::int32_t address : kRegisterColumns) {
    const auto value = r.registers.find(address);
    fields.push_back(value != r.registers.end() ? hexByte(value->second) : std::string());
  }
  fields.push_back(csvText(verificationText(r.verification)));
  fields.push_back(std::to_string(r.verification.reads));
  fields.push_back(optionalNumber(r.programResult));
  fields.push_back(csvText(r.outcome));
  return fields;
}

std::vector<std::string> outputCheckHeader() {
  std::vector<std::string> names = identityHeader();
  names.push_back("curve_mode");
  for (const char point : {'a', 'b', 'c', 'd'}) {
    names.push_back(std::string("angle_") + point);
    names.push_back(std::string("level_") + point);
  }
  for (const char* name :
       {"dp", "clamp_high", "clamp_low", "direction", "tolerance", "minimum_points", "verdict", "point", "angle_before",
        "angle_after", "angle", "output", "expected", "error", "point_verdict"})
    names.push_back(name);
  return names;
}

// The record's fields, then those of the point (none: empty).
std::vector<std::string> outputCheckRow(const NumberedRecord& numbered, std::size_t index) {
  const ProgrammingRecord& r = numbered.record;
  const OutputCheck check = r.outputCheck.value_or(OutputCheck{});
  const CheckedCurveSettings& c = check.curve;
  std::vector<std::string> fields = identityFields(numbered);
  fields.push_back(std::to_string(c.mode));
  for (const auto& point : c.points) {
    fields.push_back(std::to_string(point[0]));
    fields.push_back(std::to_string(point[1]));
  }
  for (const std::int32_t value : {c.dp, c.clampHigh, c.clampLow}) fields.push_back(std::to_string(value));
  fields.push_back(c.clockwise ? "cw" : "ccw");
  fields.push_back(number(check.tolerance));
  fields.push_back(std::to_string(check.minimumPoints));
  fields.push_back(csvText(check.verdict));
  if (index >= check.points.size()) {
    fields.resize(outputCheckHeader().size());
    return fields;
  }
  const CheckedPoint& p = check.points[index];
  fields.push_back(std::to_string(index + 1));
  for (const float value : {p.angleBefore, p.angleAfter, p.angle, p.output}) fields.push_back(number(value));
  fields.push_back(optionalNumber(p.expected));
  fields.push_back(p.expected ? decimal(outputError(p.output, *p.expected)) : std::string());
  fields.push_back(csvText(p.verdict));
  return fields;
}

}  // namespace

std::string listLine(const NumberedRecord& numbered) {
  const ProgrammingRecord& r = numbered.record;
  const std::string outcome = r.kind == RecordKind::OutputCheck
                                  ? "output check: " + (r.outputCheck ? r.outputCheck->verdictText : std::string())
                                  : r.outcome;
  // Every text from the file escaped: a crafted record must not draw a line of its own.
  return std::to_string(numbered.line) + "  " + rx041::shownText(r.time) + "  " + rx041::shownText(orDash(r.port)) +
         "  Part#" + std::to_string(r.part) + "  " + (r.chipId ? hexByte(*r.chipId) : "-") + "  " +
         rx041::shownText(outcome);
}

void writeCsv(std::ostream& out, const std::vector<const NumberedRecord*>& records) {
  writeRow(out, header());
  for (const NumberedRecord* record : records) writeRow(out, row(*record));
}

void writeOutputCheckCsv(std::ostream& out, const std::vector<const NumberedRecord*>& records) {
  writeRow(out, outputCheckHeader());
  for (const NumberedRecord* record : records) {
    const std::size_t points = record->record.outputCheck ? record->record.outputCheck->points.size() : 0;
    for (std::size_t i = 0; i < std::max<std::size_t>(points, 1); ++i) writeRow(out, outputCheckRow(*record, i));
  }
}

}  // namespace rx041::records
