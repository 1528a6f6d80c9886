#pragma once
// How a host judges the board's reply lines: it looks only at the last N
// characters before the line feed. Written here from the protocol's rules, so
// the bench's replies are checked against them rather than against itself.
#include <optional>
#include <string>

namespace rx041::bench::test {

// The last n characters of a line (given without its line feed), or nullopt
// when the line is shorter: the host then discards it.
std::optional<std::string> lastChars(const std::string& line, std::size_t n);

int judgeRead(const std::string& line);                // the byte, or 511
int judgeWrite(const std::string& line, int address);  // 0 done, 1 failed, 2 refused
bool judgeErase(const std::string& line);
bool judgeStore(const std::string& line);

struct JudgedVersion {
  int result = 1;
  int major = 0, minor = 0, build = 0;
};
JudgedVersion judgeVersion(const std::string& line);

std::optional<int> judgeAdc(const std::string& line);  // the 16-bit code

}  // namespace rx041::bench::test
