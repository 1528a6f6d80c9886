#include "transcript.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "rx041/component/clock.h"

namespace rx041::bench {

Transcript::Transcript(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "w")) {
  if (!file_) throw std::runtime_error("cannot write the transcript " + path.string() + ": " + std::strerror(errno));
}

Transcript::~Transcript() { std::fclose(file_); }

void Transcript::record(std::string_view frame) {
  std::string text;
  for (const char byte : frame) {
    const auto c = static_cast<unsigned char>(byte);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      text += static_cast<char>(c);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      text += escaped;
    }
  }
  std::fprintf(file_, "%lld %s\n", static_cast<long long>(com::processMilliseconds()), text.c_str());
  std::fflush(file_);
}

}  // namespace rx041::bench
