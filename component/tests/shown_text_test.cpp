// What a terminal is given of untrusted text: no byte that it would obey.
#include "rx041/component/shown_text.h"

#include <gtest/gtest.h>

namespace rx041 {
namespace {

// Whether a terminal would take something in the text as a command.
bool obeyable(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) return true;
    if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F) return true;
    if (c == 0xE2 && text.compare(i, 2, "\xE2\x80") == 0 && i + 2 < text.size()) {
      const auto third = static_cast<unsigned char>(text[i + 2]);
      if (third == 0x8E || third == 0x8F || (third >= 0xAA && third <= 0xAE)) return true;
    }
  }
  return false;
}

TEST(ShownTextTest, EscapesWhatATerminalWouldObeyAndKeepsTheRest) {
  const struct {
    std::string raw;
    std::string c;
    std::string json;
  } cases[] = {
      {"COM3 /dev/ttyUSB0", "COM3 /dev/ttyUSB0", "COM3 /dev/ttyUSB0"},
      {"stored\r\x1B[2K fake", "stored\\r\\x1B[2K fake", "stored\\u000D\\u001B[2K fake"},
      {"a\tb\nc", "a\\tb\\nc", "a\\u0009b\\u000Ac"},
      {std::string("nul\0byte", 8), "nul\\x00byte", "nul\\u0000byte"},
      {"del\x7F", "del\\x7F", "del\\u007F"},
      {"csi\xC2\x9B"
       "2J",
       "csi\\u009B2J", "csi\\u009B2J"},
      {"rtl\xE2\x80\xAE"
       "txt",
       "rtl\\u202Etxt", "rtl\\u202Etxt"},
      {"Error\xE2\x80\xA6 \xC3\xA4", "Error\xE2\x80\xA6 \xC3\xA4", "Error\xE2\x80\xA6 \xC3\xA4"},
      {"latin1 \xE4 and cut \xE2\x80", "latin1 \\xE4 and cut \\xE2\\x80", "latin1 \\uFFFD and cut \\uFFFD\\uFFFD"},
      {"overlong \xC0\xAF", "overlong \\xC0\\xAF", "overlong \\uFFFD\\uFFFD"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(shownText(c.raw), c.c);
    EXPECT_EQ(shownText(c.raw, EscapeStyle::Json), c.json);
    EXPECT_FALSE(obeyable(shownText(c.raw))) << c.c;
  }
}

TEST(ShownTextTest, NoByteValueGetsThrough) {
  std::string every;
  for (int byte = 0; byte < 256; ++byte) every += static_cast<char>(byte);
  for (const auto style : {EscapeStyle::C, EscapeStyle::Json}) {
    const std::string shown = shownText(every, style);
    EXPECT_FALSE(obeyable(shown));
    for (const char c : shown) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "lone bytes are never passed on";
  }
}

}  // namespace
}  // namespace rx041
