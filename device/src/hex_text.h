#pragma once
// Hex digits as the programmer board reads and writes them.
#include <cstdint>
#include <string>

namespace rx041::zq3902 {

// Two upper-case hex digits, high nibble first; the value must lie in 0..255.
std::string hexByte(int value);

// The value of one hex digit, either case; any other character counts as 0.
int hexDigitValue(char c);

}  // namespace rx041::zq3902
