#include "frame.h"

namespace rx041::bench {
namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int hexByte(std::string_view text) {
  const int high = hexValue(text[0]);
  const int low = hexValue(text[1]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

}  // namespace

std::optional<Frame> parseFrame(std::string_view text) {
  if (text.size() != kFrameLength || text[0] != '$' || text[14] != '#') return std::nullopt;
  for (std::size_t comma : {2u, 4u, 6u, 8u, 11u})
    if (text[comma] != ',') return std::nullopt;
  if (text[7] != '0' && text[7] != '1' && text[7] != '2') return std::nullopt;
  Frame frame{text[1], text[3], text[5], text[7], hexByte(text.substr(9, 2)), hexByte(text.substr(12, 2))};
  if (frame.first < 0 || frame.second < 0) return std::nullopt;
  return frame;
}

std::vector<std::string> FrameAssembler::feed(std::string_view bytes) {
  std::vector<std::string> frames;
  for (char c : bytes) {
    if (c == '$') {
      pending_.assign(1, c);
    } else if (!pending_.empty()) {
      pending_.push_back(c);
      if (pending_.size() == kFrameLength) {
        frames.push_back(std::move(pending_));
        pending_.clear();
      }
    }
  }
  return frames;
}

}  // namespace rx041::bench
