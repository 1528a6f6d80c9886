#include "rx41/rules/number_entry.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace rx41 {
namespace {

// The code points a blank around a number may be: ASCII white space and the
// Unicode space characters (no-break space included), as UTF-8.
constexpr std::array<std::string_view, 25> kBlanks = {" ",
                                                      "\t",
                                                      "\n",
                                                      "\v",
                                                      "\f",
                                                      "\r",
                                                      "\xC2\x85",
                                                      "\xC2\xA0",
                                                      "\xE1\x9A\x80",
                                                      "\xE2\x80\x80",
                                                      "\xE2\x80\x81",
                                                      "\xE2\x80\x82",
                                                      "\xE2\x80\x83",
                                                      "\xE2\x80\x84",
                                                      "\xE2\x80\x85",
                                                      "\xE2\x80\x86",
                                                      "\xE2\x80\x87",
                                                      "\xE2\x80\x88",
                                                      "\xE2\x80\x89",
                                                      "\xE2\x80\x8A",
                                                      "\xE2\x80\xA8",
                                                      "\xE2\x80\xA9",
                                                      "\xE2\x80\xAF",
                                                      "\xE2\x81\x9F",
                                                      "\xE3\x80\x80"};

std::size_t blankAtStart(std::string_view text) {
  for (const std::string_view blank : kBlanks)
    if (text.starts_with(blank)) return blank.size();
  return 0;
}

std::size_t blankAtEnd(std::string_view text) {
  for (const std::string_view blank : kBlanks)
    if (text.ends_with(blank)) return blank.size();
  return 0;
}

std::string_view withoutBlanks(std::string_view text) {
  while (const std::size_t n = blankAtStart(text)) text.remove_prefix(n);
  while (const std::size_t n = blankAtEnd(text)) text.remove_suffix(n);
  return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// [+-]? (digits [. digits?] | . digits) (E [+-]? digits)?
bool isDecimal(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissaDigits = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissaDigits += digits();
  }
  if (mantissaDigits == 0) return false;
  if (i < text.size() && text[i] == 'E') {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == text.size();
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
  std::string_view number = withoutBlanks(text);
  if (!isDecimal(number)) return std::nullopt;
  if (number.front() == '+') number.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string fixedText(double value, int decimals) {
  // The exact decimal expansion of a double ends within 1074 decimals;
  // rounding is done on it, so only an exact half rounds away from zero.
  constexpr int kExactDecimals = 1080;
  std::array<char, 2 + 309 + 1 + kExactDecimals> buffer{};
  const double magnitude = std::fabs(value);
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::fixed, kExactDecimals);
  std::string digits(buffer.data(), result.ptr);
  const std::size_t point = digits.find('.');
  const bool roundUp = digits[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
  digits.resize(decimals > 0 ? point + 1 + static_cast<std::size_t>(decimals) : point);
  if (roundUp) {
    std::size_t i = digits.size();
    while (i > 0) {
      --i;
      if (digits[i] == '.') continue;
      if (digits[i] == '9') {
        digits[i] = '0';
        continue;
      }
      ++digits[i];
      break;
    }
    if (i == 0 && digits[0] == '0') digits.insert(digits.begin(), '1');
  }
  const bool allZero = digits.find_first_not_of("0.") == std::string::npos;
  return (std::signbit(value) && !allZero ? "-" : "") + digits;
}

std::string shortestText(float value) {
  if (value == 0.0f) return "0";  // also for -0
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.7G", static_cast<double>(value));
  return text.data();
}

}  // namespace rx41
