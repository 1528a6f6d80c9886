#pragma once
// Command frames as the board receives them: exactly 15 characters
// "$G,O,A,P,HH,HH#" with no terminator. The assembler finds them in the byte
// stream, starting afresh at every "$" (bytes before a "$" are line noise).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rx041::bench {

inline constexpr std::size_t kFrameLength = 15;

struct Frame {
  char group = 0;      // R, C, M, V
  char operation = 0;  // case matters ("E" enter, "e" exit)
  char access = 0;
  char part = 0;   // '0', '1' or '2'
  int first = 0;   // first byte field, 0..255
  int second = 0;  // second byte field, 0..255

  bool is(char g, char o, char a) const { return group == g && operation == o && access == a; }
};

// nullopt when the text is not a well-formed frame (wrong length, separators,
// part field or hex digits). Hex digits are case-insensitive.
std::optional<Frame> parseFrame(std::string_view text);

class FrameAssembler {
 public:
  // Appends received bytes; returns the frames they complete, in order.
  std::vector<std::string> feed(std::string_view bytes);

 private:
  std::string pending_;  // a frame in progress: "$" and what followed it
};

}  // namespace rx041::bench
