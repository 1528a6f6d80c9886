#pragma once
// The numbers operators type into the settings fields, without Qt: when a
// text counts as a number, and how a number is shown with fixed decimals.
// Texts are UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace rx41 {

// A decimal number, optionally signed, with an optional upper-case exponent
// ("1E5"), blanks around it allowed. A lower-case "e" anywhere makes the text
// not a number, and so does a value beyond the double range ("1E999").
std::optional<double> parseNumber(std::string_view text);

// The value with that many decimals and at least one digit before the point
// ("0.00", "0.000", "0.0000" formats). Halves of the exact value round away
// from zero (0.125 shows as "0.13"); -0 shows as 0.
std::string fixedText(double value, int decimals);

// A single-precision value in its shortest general form, at most 7
// significant digits: 0.2777778, 0, -12.5, 1.234568E+07.
std::string shortestText(float value);

}  // namespace rx41
