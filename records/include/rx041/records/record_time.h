#pragma once
// Time stamps of programming records: ISO 8601 in local time with the zone
// offset, so that a record read months later says when on the bench's clock
// it was written and which instant that was.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rx041::records {

// "2026-05-14T10:22:31.123+02:00"
std::string isoTimestamp(std::chrono::system_clock::time_point when);

struct ParsedTime {
  std::int64_t epochMilliseconds = 0;
  bool dateOnly = false;  // "2026-05-14": the start of that local day
};

// "YYYY-MM-DD", or "YYYY-MM-DDTHH:MM[:SS[.fff]]" followed by "Z", "+HH:MM",
// "-HH:MM" or nothing (local time); a blank may stand for the "T". None for
// anything else, and for a day or time that does not exist (2026-02-30, 24:00)
// or a zone offset beyond 14 hours.
std::optional<ParsedTime> parseIsoTime(std::string_view text);

}  // namespace rx041::records
