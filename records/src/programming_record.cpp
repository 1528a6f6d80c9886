#include "rx041/records/programming_record.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "rx041/records/record_time.h"

namespace rx041::records {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kPointNames[4] = {"A", "B", "C", "D"};

// A single-precision value as the number it reads as (0.2777778, not
// 0.277777791023...): through its shortest decimal text.
double asDecimal(float value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text - 1, value).ptr;
  *end = '\0';
  return std::strtod(text, nullptr);
}

template <class T>
Json optionalValue(const std::optional<T>& value) {
  if (!value) return nullptr;
  if constexpr (std::is_same_v<T, float>)
    return asDecimal(*value);
  else
    return *value;
}

const char* resultName(VerificationResult result) {
  switch (result) {
    case VerificationResult::Passed: return "passed";
    case VerificationResult::Failed: return "failed";
    case VerificationResult::Skipped: break;
  }
  return "skipped";
}

Json verificationJson(const Verification& v) {
  Json json{{"result", resultName(v.result)}, {"reads", v.reads}};
  if (v.mismatch) {
    json["register"] = hexByte(v.mismatch->address);
    json["wrote"] = hexByte(v.mismatch->wrote);
    json["read"] = v.mismatch->read ? Json(hexByte(*v.mismatch->read)) : Json(nullptr);
  }
  if (!v.reason.empty()) json["reason"] = v.reason;
  return json;
}

Json checkJson(const OutputCheck& check) {
  const CheckedCurveSettings& c = check.curve;
  Json points = Json::object();
  for (std::size_t i = 0; i < c.points.size(); ++i)
    points[kPointNames[i]] = {{"angle", c.points[i][0]}, {"level", c.points[i][1]}};
  Json measured = Json::array();
  for (const CheckedPoint& p : check.points) {
    measured.push_back({{"angle_before", asDecimal(p.angleBefore)},
                        {"angle_after", asDecimal(p.angleAfter)},
                        {"angle", asDecimal(p.angle)},
                        {"output", asDecimal(p.output)},
                        {"expected", optionalValue(p.expected)},
                        {"error", p.expected ? Json(outputError(p.output, *p.expected)) : Json(nullptr)},
                        {"verdict", p.verdict}});
  }
  return {{"curve",
           {{"mode", c.mode},
            {"points", points},
            {"dp", c.dp},
            {"clamp_high", c.clampHigh},
            {"clamp_low", c.clampLow},
            {"direction", c.clockwise ? "cw" : "ccw"}}},
          {"tolerance", asDecimal(check.tolerance)},
          {"minimum_points", check.minimumPoints},
          {"points", measured},
          {"verdict", check.verdict},
          {"verdict_text", check.verdictText}};
}

Json settingsJson(const SolverSettingsSent& s) {
  Json points = Json::object();
  for (std::size_t i = 0; i < s.points.size(); ++i)
    points[kPointNames[i]] = {{"angle", optionalValue(s.points[i].angle)}, {"level", optionalValue(s.points[i].level)}};
  return {{"clamp_low", optionalValue(s.clampLow)},
          {"clamp_high", optionalValue(s.clampHigh)},
          {"dp", optionalValue(s.dp)},
          {"points", points},
          {"slope", optionalValue(s.slope)},
          {"op", optionalValue(s.op)},
          {"hys", optionalValue(s.hys)},
          {"switch_polarity", optionalValue(s.switchPolarity)},
          {"output_mode", optionalValue(s.outputMode)},
          {"pwm_frequency", optionalValue(s.pwmFrequency)},
          {"pwm_polarity", optionalValue(s.pwmPolarity)},
          {"dac_correction", optionalValue(s.dacCorrection)}};
}

// Reading: a field that is there must have its type; the essentials must be there.
struct BadRecord : std::runtime_error {
  using std::runtime_error::runtime_error;
};

const Json* field(const Json& object, const char* name) {
  const auto found = object.find(name);
  return found == object.end() || found->is_null() ? nullptr : &*found;
}

const Json& required(const Json& object, const char* name) {
  const Json* value = field(object, name);
  if (!value) throw BadRecord(std::string("'") + name + "' is missing");
  return *value;
}

std::string text(const Json& value, const char* name) {
  if (!value.is_string()) throw BadRecord(std::string("'") + name + "' is not a text");
  return value.get<std::string>();
}

std::string optionalText(const Json& object, const char* name) {
  const Json* value = field(object, name);
  return value ? text(*value, name) : std::string();
}

std::optional<float> optionalFloat(const Json& object, const char* name) {
  const Json* value = field(object, name);
  if (!value) return std::nullopt;
  if (!value->is_number()) throw BadRecord(std::string("'") + name + "' is not a number");
  // Beyond a float's range the conversion is undefined; no record holds such a value.
  const double number = value->get<double>();
  if (!std::isfinite(number) || std::fabs(number) > std::numeric_limits<float>::max())
    throw BadRecord(std::string("'") + name + "' is out of range");
  return static_cast<float>(number);
}

// A whole number that does not fit is corrupt, not cut to its low bits (4294967297 is no Part#1).
std::optional<std::int32_t> optionalInteger(const Json& object, const char* name) {
  const Json* value = field(object, name);
  if (!value) return std::nullopt;
  if (!value->is_number_integer()) throw BadRecord(std::string("'") + name + "' is not a whole number");
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  const bool fits = value->is_number_unsigned() ? value->get<std::uint64_t>() <= static_cast<std::uint64_t>(kMax)
                                                : value->get<std::int64_t>() >= kMin;
  if (!fits) throw BadRecord(std::string("'") + name + "' is out of range");
  return static_cast<std::int32_t>(value->get<std::int64_t>());
}

const Json* optionalObject(const Json& object, const char* name) {
  const Json* value = field(object, name);
  if (value && !value->is_object()) throw BadRecord(std::string("'") + name + "' is not an object");
  return value;
}

std::int32_t hexValue(const std::string& text, const char* name) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const bool prefixed = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const auto parsed = std::from_chars(text.data() + (prefixed ? 2 : 0), end, value, 16);
  if (!prefixed || parsed.ec != std::errc() || parsed.ptr != end || value < 0 || value > 0xFF)
    throw BadRecord(std::string("'") + name + "' holds " + text + ", not a byte like 0x0B");
  return value;
}

Verification verificationFrom(const Json& json) {
  Verification v;
  const std::string result = text(required(json, "result"), "result");
  if (result == "passed")
    v.result = VerificationResult::Passed;
  else if (result == "failed")
    v.result = VerificationResult::Failed;
  else if (result == "skipped")
    v.result = VerificationResult::Skipped;
  else
    throw BadRecord("verification result '" + result + "' is unknown");
  v.reads = optionalInteger(json, "reads").value_or(0);
  if (const Json* address = field(json, "register")) {
    RegisterMismatch mismatch;
    mismatch.address = hexValue(text(*address, "register"), "register");
    mismatch.wrote = hexValue(text(required(json, "wrote"), "wrote"), "wrote");
    if (const Json* read = field(json, "read")) mismatch.read = hexValue(text(*read, "read"), "read");
    v.mismatch = mismatch;
  }
  v.reason = optionalText(json, "reason");
  return v;
}

SolverSettingsSent settingsFrom(const Json& json) {
  SolverSettingsSent s;
  s.clampLow = optionalFloat(json, "clamp_low");
  s.clampHigh = optionalFloat(json, "clamp_high");
  s.dp = optionalFloat(json, "dp");
  if (const Json* points = optionalObject(json, "points")) {
    for (std::size_t i = 0; i < s.points.size(); ++i) {
      if (const Json* point = optionalObject(*points, kPointNames[i])) {
        s.points[i].angle = optionalFloat(*point, "angle");
        s.points[i].level = optionalFloat(*point, "level");
      }
    }
  }
  s.slope = optionalFloat(json, "slope");
  s.op = optionalFloat(json, "op");
  s.hys = optionalFloat(json, "hys");
  s.switchPolarity = optionalInteger(json, "switch_polarity");
  s.outputMode = optionalInteger(json, "output_mode");
  s.pwmFrequency = optionalInteger(json, "pwm_frequency");
  s.pwmPolarity = optionalInteger(json, "pwm_polarity");
  if (const Json* correction = field(json, "dac_correction")) {
    if (!correction->is_boolean()) throw BadRecord("'dac_correction' is not true or false");
    s.dacCorrection = correction->get<bool>();
  }
  return s;
}

std::int32_t requiredInteger(const Json& object, const char* name) {
  const auto value = optionalInteger(object, name);
  if (!value) throw BadRecord(std::string("'") + name + "' is missing");
  return *value;
}

float requiredFloat(const Json& object, const char* name) {
  const auto value = optionalFloat(object, name);
  if (!value) throw BadRecord(std::string("'") + name + "' is missing");
  return *value;
}

const Json& requiredObject(const Json& object, const char* name) {
  const Json& value = required(object, name);
  if (!value.is_object()) throw BadRecord(std::string("'") + name + "' is not an object");
  return value;
}

OutputCheck checkFrom(const Json& json) {
  OutputCheck check;
  const Json& curve = requiredObject(json, "curve");
  check.curve.mode = requiredInteger(curve, "mode");
  const Json& points = requiredObject(curve, "points");
  for (std::size_t i = 0; i < check.curve.points.size(); ++i) {
    const Json& point = requiredObject(points, kPointNames[i]);
    check.curve.points[i] = {requiredInteger(point, "angle"), requiredInteger(point, "level")};
  }
  check.curve.dp = requiredInteger(curve, "dp");
  check.curve.clampHigh = requiredInteger(curve, "clamp_high");
  check.curve.clampLow = requiredInteger(curve, "clamp_low");
  const std::string direction = text(required(curve, "direction"), "direction");
  if (direction != "cw" && direction != "ccw") throw BadRecord("direction '" + direction + "' is not cw or ccw");
  check.curve.clockwise = direction == "cw";
  check.tolerance = requiredFloat(json, "tolerance");
  check.minimumPoints = requiredInteger(json, "minimum_points");
  const Json& measured = required(json, "points");
  if (!measured.is_array()) throw BadRecord("'points' is not a list");
  for (const Json& point : measured) {
    if (!point.is_object()) throw BadRecord("a measured point is not an object");
    CheckedPoint p;
    p.angleBefore = requiredFloat(point, "angle_before");
    p.angleAfter = requiredFloat(point, "angle_after");
    p.angle = requiredFloat(point, "angle");
    p.output = requiredFloat(point, "output");
    p.expected = optionalFloat(point, "expected");
    p.verdict = text(required(point, "verdict"), "verdict");
    check.points.push_back(std::move(p));
  }
  check.verdict = text(required(json, "verdict"), "verdict");
  check.verdictText = optionalText(json, "verdict_text");
  return check;
}

ProgrammingRecord recordFrom(const Json& json) {
  if (!json.is_object()) throw BadRecord("not a JSON object");
  ProgrammingRecord r;
  // Records from before there were kinds have none: they are store records.
  const std::string kind = optionalText(json, "kind");
  if (kind == kindName(RecordKind::OutputCheck))
    r.kind = RecordKind::OutputCheck;
  else if (!kind.empty() && kind != kindName(RecordKind::Store))
    throw BadRecord("kind '" + kind + "' is unknown");
  r.time = text(required(json, "time"), "time");
  // A time that is no instant would pass or fail every time filter unseen.
  if (const auto when = parseIsoTime(r.time); !when || when->dateOnly)
    throw BadRecord("'time' holds " + r.time + ", not a time like 2026-05-12T14:03:07.250+02:00");
  r.host = optionalText(json, "host");
  r.mode = optionalText(json, "mode");
  r.window = optionalText(json, "window");
  r.port = optionalText(json, "port");
  r.device = optionalText(json, "device");
  const auto part = optionalInteger(json, "part");
  if (!part || (*part != 1 && *part != 2)) throw BadRecord("'part' is not 1 or 2");
  r.part = *part;
  r.chipId = optionalInteger(json, "chip_id");
  if (r.kind == RecordKind::OutputCheck) {
    r.outputCheck = checkFrom(requiredObject(json, "check"));
    r.outcome = text(required(json, "outcome"), "outcome");
    return r;
  }
  r.vdd = optionalFloat(json, "vdd");
  if (const Json* dac = optionalObject(json, "dac")) {
    r.dacK = optionalFloat(*dac, "k").value_or(0.0f);
    r.dacB = optionalFloat(*dac, "b").value_or(0.0f);
  }
  const std::string contents = optionalText(json, "contents");
  r.contents = EepromContents::Configured;
  for (const EepromContents known : {EepromContents::Cleared, EepromContents::CommLock})
    if (contents == contentsName(known)) r.contents = known;
  if (const Json* settings = optionalObject(json, "settings")) r.settings = settingsFrom(*settings);
  if (const Json* registers = optionalObject(json, "registers")) {
    for (const auto& [address, value] : registers->items())
      r.registers[hexValue(address, "registers")] = hexValue(text(value, "registers"), "registers");
  }
  if (const Json* verification = optionalObject(json, "verification")) r.verification = verificationFrom(*verification);
  r.programResult = optionalInteger(json, "program_result");
  r.outcome = text(required(json, "outcome"), "outcome");
  return r;
}

}  // namespace

double outputError(float output, float expected) {
  constexpr double kSteps = 1e4;
  return std::round((asDecimal(output) - asDecimal(expected)) * kSteps) / kSteps;
}

std::string_view kindName(RecordKind kind) { return kind == RecordKind::OutputCheck ? "output_check" : "store"; }

std::string_view contentsName(EepromContents contents) {
  switch (contents) {
    case EepromContents::Cleared: return "cleared";
    case EepromContents::CommLock: return "comm_lock";
    case EepromContents::Configured: break;
  }
  return "configured";
}

std::string hexByte(std::int32_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(value & 0xFF));
  return text;
}

std::string recordLine(const ProgrammingRecord& r) {
  const bool check = r.kind == RecordKind::OutputCheck;
  Json json{{"time", r.time}};
  // A store record's line is as it was before there were kinds: without one.
  if (check) json["kind"] = kindName(r.kind);
  json.update(Json{{"host", r.host},
                   {"mode", r.mode},
                   {"window", r.window},
                   {"port", r.port},
                   {"device", r.device},
                   {"part", r.part},
                   {"chip_id", optionalValue(r.chipId)}});
  if (check) {
    json["check"] = r.outputCheck ? checkJson(*r.outputCheck) : Json(nullptr);
  } else {
    Json registers = Json::object();
    for (const auto& [address, value] : r.registers) registers[hexByte(address)] = hexByte(value);
    json.update(Json{{"vdd", optionalValue(r.vdd)},
                     {"dac", {{"k", asDecimal(r.dacK)}, {"b", asDecimal(r.dacB)}}},
                     {"contents", contentsName(r.contents)},
                     {"settings", r.settings ? settingsJson(*r.settings) : Json(nullptr)},
                     {"registers", registers},
                     {"verification", verificationJson(r.verification)},
                     {"program_result", optionalValue(r.programResult)}});
  }
  json["outcome"] = r.outcome;
  // A name that is not UTF-8 (a host name, a device path) must not cost the record.
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::variant<ProgrammingRecord, std::string> parseRecord(std::string_view line) {
  try {
    return recordFrom(Json::parse(line));
  } catch (const Json::parse_error&) {
    return std::string("not JSON");
  } catch (const BadRecord& bad) {
    return std::string(bad.what());
  } catch (const Json::exception& e) {
    return std::string(e.what());
  }
}

}  // namespace rx041::records
