#pragma once
// The programmer's commands: one frame out, one reply line in, judged into a
// small result. Commands are strictly sequential on the caller's thread.
#include <cstdint>
#include <memory>

#include "command_frame.h"
#include "reply_reader.h"

namespace rx041::zq3902 {

inline constexpr std::int64_t kRelayLimitMs = 500;  // relay and mode commands
inline constexpr std::int64_t kOwiLimitMs = 5000;   // OWI, EEPROM, ADC and version commands

inline constexpr std::int32_t kCommandOk = 0;
inline constexpr std::int32_t kCommandFailed = 1;
inline constexpr std::int32_t kWriteRefused = 2;
inline constexpr std::int32_t kReadFailed = 511;

// ChipIndex 3 addresses both parts where a command allows it.
inline constexpr std::int32_t kBothParts = 3;

struct VersionReply {
  std::int32_t major = 0;
  std::int32_t minor = 0;
  std::int32_t build = 0;
  std::int32_t result = kCommandFailed;
};

class CommandLayer {
 public:
  // Without a channel (the channel library could not be created), or while
  // its line is dead, every command fails at once: there is nothing to wait for.
  CommandLayer(std::unique_ptr<ReplyChannel> channel, MillisecondClock clock);

  // Whether a command could be answered at all.
  bool canReachBoard() const { return channel_ && !channel_->lineDead(); }

  std::int32_t CmdPowerOn(std::int32_t chipIndex);
  std::int32_t CmdPowerOff(std::int32_t chipIndex);
  std::int32_t CmdRelayVdd(std::int32_t chipIndex);
  std::int32_t CmdRelayAnalog(std::int32_t chipIndex);
  std::int32_t CmdSetOwiMode(std::int32_t chipIndex);
  std::int32_t CmdSetAdcMode(std::int32_t chipIndex);
  // The byte read, or 511. Addresses outside 0..255 are not sent.
  std::int32_t CmdReadByteAddr(std::int32_t chipIndex, std::int32_t address);
  // 0 written, 1 failed or wrong echo, 2 refused. Values outside 0..255 are not sent.
  std::int32_t CmdWriteByteAddr(std::int32_t chipIndex, std::int32_t address, std::int32_t data);
  // ChipIndex 3 enters OWI on both parts with one frame.
  std::int32_t CmdEnterOwi(std::int32_t chipIndex);
  std::int32_t CmdExitOwi(std::int32_t chipIndex);
  std::int32_t CmdErase(std::int32_t chipIndex);
  std::int32_t CmdStore(std::int32_t chipIndex);
  // The 16-bit ADC code, or 65536 on time-out.
  std::int32_t CmdReadProgrammerADCvalue();
  VersionReply CmdReadVersion();

 private:
  ReplyWindow exchange(const CommandFrame& frame, std::int64_t limitMs, std::size_t length);
  std::int32_t relayCommand(char operation, char access, std::int32_t chipIndex, std::size_t length);

  std::unique_ptr<ReplyChannel> channel_;
  MillisecondClock clock_;
};

}  // namespace rx041::zq3902
