#include "rx041/test_support/temp_dir.h"

#include <cstdlib>
#include <stdexcept>

namespace rx041::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "rx041-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

ScopedEnv::ScopedEnv(std::string name, const char* value) : name_(std::move(name)) {
  if (const char* old = std::getenv(name_.c_str())) {
    hadValue_ = true;
    oldValue_ = old;
  }
  if (value)
    ::setenv(name_.c_str(), value, 1);
  else
    ::unsetenv(name_.c_str());
}

ScopedEnv::~ScopedEnv() {
  if (hadValue_)
    ::setenv(name_.c_str(), oldValue_.c_str(), 1);
  else
    ::unsetenv(name_.c_str());
}

}  // namespace rx041::test
