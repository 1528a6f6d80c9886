#pragma once
// The programmer's commands: one frame out, one reply line in, judged into a
// small result. Commands are strictly sequential on the caller's thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

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

// A reply is judged only for the command that asked for it. Whatever the line
// holds when a frame is about to go out was sent for an earlier command: it is
// thrown away. A command that gave up on its reply may still be answered, by
// a board that was slow rather than deaf; so after a give-up the next frame
// waits until this long after the give-up, throwing away what arrives. A
// second covers a reply up to about 20 % past the 5 s limit (a relay reply
// up to three times its 500 ms limit), and costs little beside the limit the
// give-up has already waited out. Only a give-up brings it on: in-time
// replies keep their timing, and a command sent later than this after the
// give-up does not wait at all.
inline constexpr std::int64_t kQuietAfterGiveUpMs = 1000;

// What was cleared off the line before a frame went out, for the trace log.
struct LineClearing {
  std::string frame;         // the frame about to be sent
  std::string discarded;     // text sent for earlier commands, as received
  std::int64_t quietMs = 0;  // how long the frame was held back after a give-up
};
using LineClearingNotice = std::function<void(const LineClearing&)>;

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
  // onClearing hears of every frame before which text was thrown away or the
  // line was kept quiet.
  CommandLayer(std::unique_ptr<ReplyChannel> channel, MillisecondClock clock, LineClearingNotice onClearing = {});

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
  // Clears the line (after a give-up: keeps it quiet first) and sends the frame.
  void sendOnClearLine(const std::string& frame);
  // Notes what the reader left: its unconsumed text, and whether it gave up.
  void afterReply(const ReplyReader& reader);

  std::unique_ptr<ReplyChannel> channel_;
  MillisecondClock clock_;
  LineClearingNotice onClearing_;
  std::string leftOver_;                  // received for the last command and not consumed by it
  std::optional<std::int64_t> gaveUpAt_;  // when the last command gave up on its reply
};

}  // namespace rx041::zq3902
