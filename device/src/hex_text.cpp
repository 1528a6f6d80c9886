#include "hex_text.h"

namespace rx041::zq3902 {

std::string hexByte(int value) {
  static constexpr char digits[] = "0123456789ABCDEF";
  return {digits[(value >> 4) & 0x0F], digits[value & 0x0F]};
}

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

}  // namespace rx041::zq3902
