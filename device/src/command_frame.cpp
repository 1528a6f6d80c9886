#include "command_frame.h"

#include "hex_text.h"

namespace rx041::zq3902 {

char partField(std::int32_t chipIndex) { return chipIndex == 0 ? '1' : '2'; }

std::string CommandFrame::text() const {
  std::string frame = "$";
  frame += group;
  frame += ',';
  frame += operation;
  frame += ',';
  frame += access;
  frame += ',';
  frame += part;
  frame += ',';
  frame += hexByte(firstByte);
  frame += ',';
  frame += hexByte(secondByte);
  frame += '#';
  return frame;
}

}  // namespace rx041::zq3902
