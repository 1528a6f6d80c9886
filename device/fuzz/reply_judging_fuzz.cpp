// The command layer's judging of whatever a board may answer: each input picks
// commands and the text the line delivers for them. No reply may crash the
// layer, and every result stays within the values the command documents.
#include <fuzzer/FuzzedDataProvider.h>

#include "command_layer.h"
#include "fuzzed_channel.h"

namespace rx041::zq3902::fuzzing {
namespace {

bool okOrFailed(std::int32_t result) { return result == kCommandOk || result == kCommandFailed; }

void runOneCommand(CommandLayer& commands, FuzzedDataProvider& input) {
  const auto chip = input.ConsumeIntegralInRange<std::int32_t>(-1, 4);
  const auto address = input.ConsumeIntegralInRange<std::int32_t>(-2, 257);
  const auto data = input.ConsumeIntegralInRange<std::int32_t>(-2, 257);
  switch (input.ConsumeIntegralInRange(0, 12)) {
    case 0: expect(okOrFailed(commands.CmdPowerOn(chip))); break;
    case 1: expect(okOrFailed(commands.CmdPowerOff(chip))); break;
    case 2: expect(okOrFailed(commands.CmdRelayVdd(chip))); break;
    case 3: expect(okOrFailed(commands.CmdRelayAnalog(chip))); break;
    case 4: expect(okOrFailed(commands.CmdSetOwiMode(chip))); break;
    case 5: expect(okOrFailed(commands.CmdSetAdcMode(chip))); break;
    case 6: {
      const std::int32_t value = commands.CmdReadByteAddr(chip, address);
      expect((value >= 0 && value <= 0xFF) || value == kReadFailed);
      break;
    }
    case 7: {
      const std::int32_t result = commands.CmdWriteByteAddr(chip, address, data);
      expect(okOrFailed(result) || result == kWriteRefused);
      break;
    }
    case 8: expect(okOrFailed(commands.CmdEnterOwi(chip))); break;
    case 9: expect(okOrFailed(commands.CmdExitOwi(chip))); break;
    case 10: expect(okOrFailed(commands.CmdErase(chip)) && okOrFailed(commands.CmdStore(chip))); break;
    case 11: {
      const std::int32_t code = commands.CmdReadProgrammerADCvalue();
      expect(code >= 0 && code <= kAdcTimeout);
      break;
    }
    default: {
      const VersionReply version = commands.CmdReadVersion();
      for (const std::int32_t digit : {version.major, version.minor, version.build}) expect(digit >= 0 && digit <= 9);
      expect(version.result == kCommandOk || version.major + version.minor + version.build == 0);
      break;
    }
  }
}

}  // namespace
}  // namespace rx041::zq3902::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace rx041::zq3902;
  FuzzedDataProvider input(bytes, size);
  auto channel = std::make_unique<fuzzing::FuzzedChannel>(input);
  auto clock = channel->clock();
  CommandLayer commands(std::move(channel), std::move(clock));
  while (input.remaining_bytes() > 0) fuzzing::runOneCommand(commands, input);
  return 0;
}
