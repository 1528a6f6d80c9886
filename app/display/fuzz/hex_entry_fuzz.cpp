// Any text typed as an address or data in the memory window: a value comes
// exactly from one to eight hexadecimal digits, it is what the digits say
// (16-bit signed up to four digits, 32-bit from five), and its display form
// reads back as the same value.
#include <cstdint>
#include <optional>
#include <string_view>

#include "rx41/display/hex_entry.h"

namespace {

void expect(bool holds) {
  if (!holds) __builtin_trap();
}

// The digits' value by hand, or none for anything that is no digit.
std::optional<std::uint32_t> digitsValue(std::string_view text) {
  std::uint32_t value = 0;
  for (const char c : text) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') {
      digit = static_cast<std::uint32_t>((c | 0x20) - 'a' + 10);
    } else {
      return std::nullopt;
    }
    value = value << 4 | digit;
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  const std::optional<std::int32_t> value = rx41::hexEntryValue(text);
  const std::optional<std::uint32_t> digits = text.empty() || text.size() > 8 ? std::nullopt : digitsValue(text);
  expect(value.has_value() == digits.has_value());
  if (!value) return 0;
  if (text.size() <= 4)
    expect(*value == static_cast<std::int16_t>(static_cast<std::uint16_t>(*digits)));
  else
    expect(static_cast<std::uint32_t>(*value) == *digits);
  const std::string shown = rx41::hexText(*value);
  expect(shown.size() >= 1 && shown.size() <= 8);
  const std::optional<std::int32_t> again = rx41::hexEntryValue(shown);
  // A positive value of 8000..FFFF shows in four digits, which read back as 16-bit.
  const bool sixteenBitWrap = *value >= 0x8000 && *value <= 0xFFFF;
  expect(again.has_value() && (sixteenBitWrap ? *again == *value - 0x10000 : *again == *value));
  return 0;
}
