#pragma once
// Runs one of the tools and collects what it wrote and how it ended.
#include <string>
#include <vector>

namespace rx041::test {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
  std::vector<std::string> lines() const;  // standard output, line by line
};

// args are passed through the shell unquoted: keep them free of blanks and
// shell characters. stdinText feeds standard input.
ProcessResult runProgram(const std::string& program, const std::string& args, const std::string& stdinText = "");

}  // namespace rx041::test
