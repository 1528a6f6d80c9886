#include "program_process.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "rx041/test_support/temp_dir.h"

namespace rx041::test {
namespace {

std::string contents(const std::filesystem::path& file) {
  std::ifstream stream(file);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

}  // namespace

std::vector<std::string> ProcessResult::lines() const {
  std::vector<std::string> result;
  std::istringstream stream(out);
  for (std::string line; std::getline(stream, line);) result.push_back(line);
  return result;
}

ProcessResult runProgram(const std::string& program, const std::string& args, const std::string& stdinText) {
  TempDir dir;
  std::ofstream(dir / "stdin") << stdinText;
  const std::string command = program + " " + args + " < " + (dir / "stdin").string() + " > " +
                              (dir / "stdout").string() + " 2> " + (dir / "stderr").string();
  const int status = std::system(command.c_str());
  ProcessResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = contents(dir / "stdout");
  result.err = contents(dir / "stderr");
  return result;
}

}  // namespace rx041::test
