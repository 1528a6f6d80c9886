#include "host_rules.h"

namespace rx041::bench::test {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

int decimalDigit(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

}  // namespace

std::optional<std::string> lastChars(const std::string& line, std::size_t n) {
  if (line.size() < n) return std::nullopt;
  return line.substr(line.size() - n);
}

int judgeRead(const std::string& line) {
  const auto tail = lastChars(line, 18);
  if (!tail || tail->find("OWI Read") == std::string::npos) return 511;
  return hexDigit((*tail)[16]) * 16 + hexDigit((*tail)[17]);
}

int judgeWrite(const std::string& line, int address) {
  const auto tail = lastChars(line, 19);
  if (!tail) return 1;
  if (tail->substr(13, 6) == " fail!") return 2;
  return hexDigit((*tail)[14]) * 16 + hexDigit((*tail)[15]) == address ? 0 : 1;
}

bool judgeErase(const std::string& line) {
  const auto tail = lastChars(line, 22);
  if (!tail) return false;
  const auto at = tail->find("OWI Erase");
  return at != std::string::npos && at >= 4;
}

bool judgeStore(const std::string& line) {
  const auto tail = lastChars(line, 17);
  return tail && tail->find("OWI Store") != std::string::npos;
}

JudgedVersion judgeVersion(const std::string& line) {
  const auto tail = lastChars(line, 28);
  if (!tail) return {};
  const auto k = tail->find("RX041 V");
  if (k == std::string::npos || k + 11 >= tail->size()) return {};
  return {0, decimalDigit((*tail)[k + 7]), decimalDigit((*tail)[k + 9]), decimalDigit((*tail)[k + 11])};
}

std::optional<int> judgeAdc(const std::string& line) {
  // c(i): the character i positions before the line feed.
  const std::size_t lf = line.size();
  if (lf < 8) return std::nullopt;
  auto c = [&](std::size_t i) { return line[lf - i]; };
  if ((c(2) != '0' && c(2) != '2') || c(1) != 'D') return std::nullopt;
  return (hexDigit(c(8)) << 12) | (hexDigit(c(7)) << 8) | (hexDigit(c(5)) << 4) | hexDigit(c(4));
}

}  // namespace rx041::bench::test
