// The bench's frame reception from any byte stream: the assembler hands out
// 15-character candidates that start at their only "$", and a frame the
// parser accepts reads back as the text it came from.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "frame.h"

namespace {

using namespace rx041::bench;

void expect(bool holds) {
  if (!holds) __builtin_trap();
}

std::string hexByte(int value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

void checkFrame(const std::string& text) {
  const auto frame = parseFrame(text);
  if (!frame) return;
  expect(frame->first >= 0 && frame->first <= 0xFF && frame->second >= 0 && frame->second <= 0xFF);
  const std::string rendered = std::string("$") + frame->group + ',' + frame->operation + ',' + frame->access + ',' +
                               frame->part + ',' + hexByte(frame->first) + ',' + hexByte(frame->second) + '#';
  expect(upper(rendered) == upper(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider input(bytes, size);
  FrameAssembler assembler;
  while (input.remaining_bytes() > 0) {
    const std::string chunk = input.ConsumeRandomLengthString(64);
    checkFrame(chunk);
    for (const std::string& frame : assembler.feed(chunk)) {
      expect(frame.size() == kFrameLength && frame.find('$', 1) == std::string::npos && frame[0] == '$');
      checkFrame(frame);
    }
  }
  return 0;
}
