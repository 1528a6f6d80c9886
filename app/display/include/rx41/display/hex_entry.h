#pragma once
// Register addresses and data as the memory window reads and shows them:
// hexadecimal digits without prefix. Plain C++, so it can be exercised
// without a window.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rx41 {

// The value of the digits read as a hexadecimal literal, either case: up to
// four digits are a 16-bit signed number (8000..FFFF are negative), five to
// eight a 32-bit signed one. None for an empty text, more than eight digits
// or any other character, spaces included.
std::optional<std::int32_t> hexEntryValue(std::string_view text);

// Upper case, without prefix and leading zeros; a negative value shows its
// 32-bit two's complement.
std::string hexText(std::int32_t value);

}  // namespace rx41
