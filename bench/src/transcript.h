#pragma once
// A log of every frame received: one line each, the process clock in
// milliseconds, a space, the frame (bytes outside printable ASCII as \xHH).
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace rx041::bench {

class Transcript {
 public:
  explicit Transcript(const std::filesystem::path& path);  // throws std::runtime_error
  ~Transcript();
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;

  void record(std::string_view frame);

 private:
  std::FILE* file_;
};

}  // namespace rx041::bench
