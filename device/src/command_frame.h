#pragma once
// The programmer's 15-character command frames: "$G,O,A,P,B1,B2#".
#include <cstdint>
#include <string>

namespace rx041::zq3902 {

// The part field of a frame: '1' for Part#1 (ChipIndex 0), '2' for any other index.
char partField(std::int32_t chipIndex);

inline constexpr char kBoardPart = '0';  // both parts, or the board itself
inline constexpr int kUnusedByte = 0xFF;

struct CommandFrame {
  char group;      // 'R' relay, 'C' OWI byte access, 'M' OWI mode and memory, 'V' version
  char operation;  // case matters: 'E' enter, 'e' exit
  char access;
  char part;
  int firstByte = kUnusedByte;   // 0..255
  int secondByte = kUnusedByte;  // 0..255

  std::string text() const;
};

}  // namespace rx041::zq3902
