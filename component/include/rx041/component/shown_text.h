#pragma once
// Text from files and links that a program writes to a terminal: a control
// character in a record or a link target must not move the cursor, clear the
// screen or draw a line that is not there, so it is shown escaped.
#include <string>
#include <string_view>

namespace rx041 {

enum class EscapeStyle {
  C,     // \t, \n, \r, \x1B for bytes; \u009B for a code point
  Json,  // \u001B: for text inside the strings of a JSON document
};

// text with every control character escaped: C0 and DEL, the C1 controls
// U+0080..U+009F (which some terminals obey like ESC sequences), the bidirectional
// overrides and isolates (which reorder what is shown), and bytes that are no
// UTF-8. Everything else, other UTF-8 included, stays as it is.
std::string shownText(std::string_view text, EscapeStyle style = EscapeStyle::C);

}  // namespace rx041
