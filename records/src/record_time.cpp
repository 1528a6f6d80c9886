#include "rx041/records/record_time.h"

#include <cstdio>
#include <ctime>

namespace rx041::records {
namespace {

// Reads `count` digits at `pos` into value; false when they are not all digits.
bool digits(std::string_view text, std::size_t pos, std::size_t count, int& value) {
  if (pos + count > text.size()) return false;
  value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Every zone of the world's clocks lies within 14 hours of UTC.
constexpr int kLargestZoneOffsetMinutes = 14 * 60;

}  // namespace

std::string isoTimestamp(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  const long offsetMinutes = local.tm_gmtoff / 60;
  const long magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
  char text[64];
  std::snprintf(text, sizeof text, "%s.%03d%c%02ld:%02ld", date, static_cast<int>(milliseconds),
                offsetMinutes < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
  return text;
}

std::optional<ParsedTime> parseIsoTime(std::string_view text) {
  std::tm fields{};
  int year = 0, month = 0, day = 0;
  if (!digits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' || !digits(text, 5, 2, month) || text[7] != '-' ||
      !digits(text, 8, 2, day) || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
    return std::nullopt;
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_isdst = -1;
  if (text.size() == 10) {
    const std::time_t local = std::mktime(&fields);
    if (local == -1) return std::nullopt;
    return ParsedTime{static_cast<std::int64_t>(local) * 1000, true};
  }

  std::size_t pos = 10;
  int hour = 0, minute = 0, second = 0, milliseconds = 0;
  if ((text[pos] != 'T' && text[pos] != ' ') || !digits(text, pos + 1, 2, hour) || text.size() < pos + 6 ||
      text[pos + 3] != ':' || !digits(text, pos + 4, 2, minute) || hour > 23 || minute > 59)
    return std::nullopt;
  pos += 6;
  if (pos < text.size() && text[pos] == ':') {
    if (!digits(text, pos + 1, 2, second) || second > 60) return std::nullopt;
    pos += 3;
    if (pos < text.size() && text[pos] == '.') {
      std::size_t end = pos + 1;
      int scale = 100;
      while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        milliseconds += (text[end] - '0') * scale;
        scale /= 10;
        ++end;
      }
      if (end == pos + 1) return std::nullopt;
      pos = end;
    }
  }
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_sec = second;

  std::time_t instant = 0;
  if (pos == text.size()) {
    instant = std::mktime(&fields);
    if (instant == -1) return std::nullopt;
  } else if (text.substr(pos) == "Z") {
    instant = timegm(&fields);
  } else {
    int zoneHours = 0, zoneMinutes = 0;
    const char sign = text[pos];
    if ((sign != '+' && sign != '-') || text.size() != pos + 6 || !digits(text, pos + 1, 2, zoneHours) ||
        text[pos + 3] != ':' || !digits(text, pos + 4, 2, zoneMinutes) || zoneMinutes > 59 ||
        zoneHours * 60 + zoneMinutes > kLargestZoneOffsetMinutes)
      return std::nullopt;
    const long offset = (zoneHours * 60L + zoneMinutes) * 60L;
    instant = timegm(&fields) - (sign == '+' ? offset : -offset);
  }
  return ParsedTime{static_cast<std::int64_t>(instant) * 1000 + milliseconds, false};
}

}  // namespace rx041::records
