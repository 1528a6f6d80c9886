// Reply line assembly from whatever the line delivers: a reply window is
// empty or exactly as long as asked, holds no line feed, and (while nothing
// overflowed the 100-byte line buffer) is text that arrived right before a
// line feed; an ADC code is a 16-bit value from a line ending in 0D or 2D, or
// the time-out value.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzzed_channel.h"
#include "reply_reader.h"

namespace rx041::zq3902::fuzzing {
namespace {

constexpr std::int64_t kLimitMs = 5000;

void readOneReply(FuzzedDataProvider& input) {
  const bool adc = input.ConsumeBool();
  const auto length = input.ConsumeIntegralInRange<std::size_t>(0, 40);
  FuzzedChannel channel(input);
  ReplyReader reader(channel, channel.clock());
  if (adc) {
    const std::int32_t code = reader.readAdcCode(kLimitMs);
    expect(code >= 0 && code <= kAdcTimeout);
    if (code != kAdcTimeout)
      expect(channel.delivered().find("0D\n") != std::string::npos ||
             channel.delivered().find("2D\n") != std::string::npos);
    return;
  }
  const ReplyWindow window = reader.readReplyLine(kLimitMs, length);
  const std::string& bytes = window.bytes();
  if (bytes.empty()) return;
  expect(bytes.size() == length);
  expect(bytes.find('\n') == std::string::npos);
  if (channel.delivered().size() <= ReplyReader::kLineCapacity)
    expect(channel.delivered().find(bytes + "\n") != std::string::npos);
}

}  // namespace
}  // namespace rx041::zq3902::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider input(bytes, size);
  rx041::zq3902::fuzzing::readOneReply(input);
  return 0;
}
