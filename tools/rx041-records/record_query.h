#pragma once
// Which records rx041-records shows: by time range, port, part, kind, a
// store's outcome and an output check's verdict.
#include <cstdint>
#include <optional>
#include <string>

#include "rx041/records/programming_record.h"

namespace rx041::records {

enum class OutcomeFilter { Any, Stored, Failed };

struct RecordFilter {
  std::optional<std::int64_t> since;           // epoch milliseconds, inclusive
  std::optional<std::int64_t> until;           // epoch milliseconds, exclusive
  std::string port;                            // "COM3", or a device path
  std::optional<std::int32_t> part;            // 1 or 2
  OutcomeFilter outcome = OutcomeFilter::Any;  // of store records; selects them alone
  std::optional<RecordKind> kind;
  std::string verdict;  // of output checks ("pass", "fail", "not_enough"); selects them alone

  bool byTime() const { return since || until; }
};

// The start of a range: a date is its local midnight.
std::optional<std::int64_t> sinceBound(const std::string& text);
// The end of a range, exclusive: a date takes in its whole local day.
std::optional<std::int64_t> untilBound(const std::string& text);
// "COM3", "com3" and "3" name COM3; anything else is a device path.
std::string portName(const std::string& text);

// Whether the record passes the filter; a record whose time is not ISO 8601
// never passes a time range.
bool matches(const ProgrammingRecord& record, const RecordFilter& filter);

}  // namespace rx041::records
