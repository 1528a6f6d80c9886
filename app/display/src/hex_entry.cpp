#include "rx41/display/hex_entry.h"

#include <charconv>

namespace rx41 {
namespace {

constexpr std::size_t kShortDigits = 4;  // the length of a 16-bit literal
constexpr std::size_t kLongDigits = 8;

}  // namespace

std::optional<std::int32_t> hexEntryValue(std::string_view text) {
  if (text.empty() || text.size() > kLongDigits) return std::nullopt;
  std::uint32_t digits = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, digits, 16);
  if (error != std::errc() || stop != end) return std::nullopt;
  if (text.size() <= kShortDigits) return static_cast<std::int16_t>(static_cast<std::uint16_t>(digits));
  return static_cast<std::int32_t>(digits);
}

std::string hexText(std::int32_t value) {
  char text[kLongDigits];
  const auto written = std::to_chars(text, text + sizeof text, static_cast<std::uint32_t>(value), 16);
  std::string shown(text, written.ptr);
  for (char& c : shown)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  return shown;
}

}  // namespace rx41
