// Hexadecimal entries of the memory window: the width rule (16-bit signed up
// to four digits, 32-bit from five to eight), what is no number, and the
// display form.
#include "rx41/display/hex_entry.h"

#include <gtest/gtest.h>

namespace {

struct Entry {
  const char* text;
  std::optional<std::int32_t> value;
};

TEST(HexEntry, ValueFollowsTheDigitCount) {
  const Entry entries[] = {
      {"0", 0},
      {"48", 0x48},
      {"ff", 0xFF},
      {"1FF", 0x1FF},
      {"7FFF", 0x7FFF},
      {"8000", -32768},
      {"FFFF", -1},
      {"0FFFF", 0xFFFF},
      {"10000", 0x10000},
      {"7FFFFFFF", 0x7FFFFFFF},
      {"80000000", -2147483647 - 1},
      {"FFFFFFFF", -1},
      {"00000001", 1},
      {"", std::nullopt},
      {"100000000", std::nullopt},
      {"XYZ", std::nullopt},
      {"1G", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"-1", std::nullopt},
      {"+1", std::nullopt},
      {"0x10", std::nullopt},
      {"&H10", std::nullopt},
  };
  for (const Entry& entry : entries)
    EXPECT_EQ(rx41::hexEntryValue(entry.text), entry.value) << '"' << entry.text << '"';
}

TEST(HexEntry, ShownInUpperCaseWithoutLeadingZeros) {
  const std::pair<std::int32_t, const char*> shown[] = {{0, "0"},       {0x0A, "A"},          {0x31, "31"},
                                                        {0x1FF, "1FF"}, {0xABCDEF, "ABCDEF"}, {-1, "FFFFFFFF"}};
  for (const auto& [value, text] : shown) EXPECT_EQ(rx41::hexText(value), text) << value;
}

}  // namespace
