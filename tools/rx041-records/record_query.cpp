#include "record_query.h"

#include <algorithm>
#include <cctype>

#include "rx041/records/record_time.h"

namespace rx041::records {

std::optional<std::int64_t> sinceBound(const std::string& text) {
  const auto parsed = parseIsoTime(text);
  if (!parsed) return std::nullopt;
  return parsed->epochMilliseconds;
}

std::optional<std::int64_t> untilBound(const std::string& text) {
  const auto parsed = parseIsoTime(text);
  if (!parsed) return std::nullopt;
  if (!parsed->dateOnly) return parsed->epochMilliseconds + 1;
  // The day's last millisecond on the local clock: a day with a change of summer time is not 24 hours.
  return parseIsoTime(text + "T23:59:59.999")->epochMilliseconds + 1;
}

std::string portName(const std::string& text) {
  std::string digits = text;
  if (text.size() > 3 && (text.compare(0, 3, "COM") == 0 || text.compare(0, 3, "com") == 0)) digits = text.substr(3);
  const bool number = !digits.empty() && digits.size() <= 2 &&
                      std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); });
  return number ? "COM" + std::to_string(std::stoi(digits)) : text;
}

bool matches(const ProgrammingRecord& record, const RecordFilter& filter) {
  if (filter.part && record.part != *filter.part) return false;
  if (!filter.port.empty() && record.port != filter.port && record.device != filter.port) return false;
  if (filter.kind && record.kind != *filter.kind) return false;
  if (filter.outcome != OutcomeFilter::Any && record.kind != RecordKind::Store) return false;
  if (filter.outcome == OutcomeFilter::Stored && !record.stored()) return false;
  if (filter.outcome == OutcomeFilter::Failed && record.stored()) return false;
  if (!filter.verdict.empty() && (!record.outputCheck || record.outputCheck->verdict != filter.verdict)) return false;
  if (!filter.byTime()) return true;
  const auto time = parseIsoTime(record.time);
  if (!time) return false;
  if (filter.since && time->epochMilliseconds < *filter.since) return false;
  return !filter.until || time->epochMilliseconds < *filter.until;
}

}  // namespace rx041::records
