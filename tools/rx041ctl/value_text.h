#pragma once
// Numbers as the console reads and prints them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rx041/component/variant.h"

namespace rx041::ctl {

// Decimal (optionally negative) or 0x-hexadecimal.
std::optional<std::int64_t> parseInteger(std::string_view text);
// A decimal number read as single precision.
std::optional<float> parseSingle(std::string_view text);

// One out-value: integers in decimal, floats in the shortest text that reads
// back to the same value, objects by their interface name.
std::string formatValue(const com::Variant& value);

// A word from the operator's input as a message quotes it: in single quotes,
// bytes outside printable ASCII as \xHH, cut short with "..." when long.
std::string quoted(std::string_view word);

}  // namespace rx041::ctl
