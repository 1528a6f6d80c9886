#include "rx041/component/shown_text.h"

#include <cstdio>

namespace rx041 {
namespace {

// The length of the UTF-8 sequence at text[pos] and its code point; 0 when it is none.
std::size_t utf8Sequence(std::string_view text, std::size_t pos, char32_t& codePoint) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (byte(pos + i) & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  return codePoint < minimum || codePoint > 0x10FFFF || surrogate ? 0 : length;
}

bool isControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

std::string escaped(char32_t c, EscapeStyle style) {
  if (style == EscapeStyle::C) {
    if (c == '\t') return "\\t";
    if (c == '\n') return "\\n";
    if (c == '\r') return "\\r";
  }
  char text[16];
  if (style == EscapeStyle::C && c < 0x80)
    std::snprintf(text, sizeof text, "\\x%02X", static_cast<unsigned>(c));
  else
    std::snprintf(text, sizeof text, "\\u%04X", static_cast<unsigned>(c));
  return text;
}

}  // namespace

std::string shownText(std::string_view text, EscapeStyle style) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t codePoint = 0;
    const std::size_t length = utf8Sequence(text, pos, codePoint);
    if (length == 0) {
      // A byte that is no UTF-8; JSON text has none, so its style says "not a character".
      char byte[8];
      std::snprintf(byte, sizeof byte, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(text[pos])));
      shown += style == EscapeStyle::C ? std::string(byte) : std::string("\\uFFFD");
      ++pos;
      continue;
    }
    if (isControl(codePoint))
      shown += escaped(codePoint, style);
    else
      shown.append(text, pos, length);
    pos += length;
  }
  return shown;
}

}  // namespace rx041
