#include "rx41/rules/device_texts.h"

#include "rx41/rules/number_entry.h"

namespace rx41::device_text {

std::string methodFailed(std::string_view object, std::string_view member) {
  return "Method '" + std::string(member) + "' of object '" + std::string(object) + "' failed";
}

std::string solverCopyMessage(std::int32_t result) {
  switch (result) {
    case 1: return "Chip Index Error!";
    case 2: return "Error in WriteBufferToDevice!";
    case 3: return "Die1: Clamp High <= Clamp Low!";
    case 4: return "Die2: Clamp High <= Clamp Low!";
    default: return {};
  }
}

std::string notAnswering(PartSet parts) {
  if (parts.isPair()) return "Part#1 and Part#2 do not answer: check that the chips are in their sockets";
  return partName(parts.first()) + " does not answer: check that the chip is in its socket";
}

std::string invalidOffsets(std::int16_t part, float k, float b) {
  const std::string index = std::to_string(part);
  return "Offset Parameters of " + partName(part) + " are invalid! K" + index + ": " + shortestText(k) + " B" + index +
         ": " + shortestText(b);
}

}  // namespace rx41::device_text
