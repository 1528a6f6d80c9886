#include "command_layer.h"

#include <utility>

#include "hex_text.h"
#include "rx041/component/clock.h"

namespace rx041::zq3902 {
namespace {

bool isByte(std::int32_t value) { return value >= 0 && value <= 0xFF; }

std::int32_t judgedByLength(const ReplyWindow& reply, std::size_t length) {
  return reply.holds(length) ? kCommandOk : kCommandFailed;
}

std::int32_t decimalDigit(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

}  // namespace

CommandLayer::CommandLayer(std::unique_ptr<ReplyChannel> channel, MillisecondClock clock, LineClearingNotice onClearing)
    : channel_(std::move(channel)), clock_(std::move(clock)), onClearing_(std::move(onClearing)) {}

void CommandLayer::sendOnClearLine(const std::string& frame) {
  LineClearing clearing{frame, std::exchange(leftOver_, {}) + channel_->drain()};
  if (gaveUpAt_) {
    const std::int64_t start = clock_();
    while (clock_() - *gaveUpAt_ < kQuietAfterGiveUpMs && !channel_->lineDead()) clearing.discarded += channel_->poll();
    clearing.discarded += channel_->drain();
    clearing.quietMs = clock_() - start;
    gaveUpAt_.reset();
  }
  if (onClearing_ && (!clearing.discarded.empty() || clearing.quietMs > 0)) onClearing_(clearing);
  channel_->send(frame);
}

void CommandLayer::afterReply(const ReplyReader& reader) {
  leftOver_ = reader.unconsumed();
  if (reader.gaveUp()) gaveUpAt_ = clock_();
}

ReplyWindow CommandLayer::exchange(const CommandFrame& frame, std::int64_t limitMs, std::size_t length) {
  if (!canReachBoard()) return {};
  sendOnClearLine(frame.text());
  ReplyReader reader(*channel_, clock_);
  ReplyWindow reply = reader.readReplyLine(com::replyLimitMs(limitMs), length);
  afterReply(reader);
  return reply;
}

std::int32_t CommandLayer::relayCommand(char operation, char access, std::int32_t chipIndex, std::size_t length) {
  return judgedByLength(exchange({'R', operation, access, partField(chipIndex)}, kRelayLimitMs, length), length);
}

std::int32_t CommandLayer::CmdPowerOn(std::int32_t chipIndex) { return relayCommand('P', 'O', chipIndex, 21); }
std::int32_t CommandLayer::CmdPowerOff(std::int32_t chipIndex) { return relayCommand('P', 'F', chipIndex, 22); }
std::int32_t CommandLayer::CmdRelayVdd(std::int32_t chipIndex) { return relayCommand('M', 'V', chipIndex, 19); }
std::int32_t CommandLayer::CmdRelayAnalog(std::int32_t chipIndex) { return relayCommand('M', 'A', chipIndex, 19); }
std::int32_t CommandLayer::CmdSetOwiMode(std::int32_t chipIndex) { return relayCommand('D', 'O', chipIndex, 15); }
std::int32_t CommandLayer::CmdSetAdcMode(std::int32_t chipIndex) { return relayCommand('D', 'A', chipIndex, 15); }

std::int32_t CommandLayer::CmdReadByteAddr(std::int32_t chipIndex, std::int32_t address) {
  if (!isByte(address)) return kReadFailed;
  constexpr std::size_t length = 18;
  const ReplyWindow reply = exchange({'C', 'O', 'R', partField(chipIndex), address}, kOwiLimitMs, length);
  if (!reply.contains("OWI Read")) return kReadFailed;
  return hexDigitValue(reply.at(16)) << 4 | hexDigitValue(reply.at(17));
}

std::int32_t CommandLayer::CmdWriteByteAddr(std::int32_t chipIndex, std::int32_t address, std::int32_t data) {
  if (!isByte(address) || !isByte(data)) return kCommandFailed;
  constexpr std::size_t length = 19;
  const ReplyWindow reply = exchange({'C', 'O', 'W', partField(chipIndex), address, data}, kOwiLimitMs, length);
  if (!reply.holds(length)) return kCommandFailed;
  if (reply.bytes().compare(13, 6, " fail!") == 0) return kWriteRefused;
  const std::int32_t echoed = hexDigitValue(reply.at(14)) << 4 | hexDigitValue(reply.at(15));
  return echoed == address ? kCommandOk : kCommandFailed;
}

std::int32_t CommandLayer::CmdEnterOwi(std::int32_t chipIndex) {
  const bool both = chipIndex == kBothParts;
  const std::size_t length = both ? 12 : 13;
  const char part = both ? kBoardPart : partField(chipIndex);
  return judgedByLength(exchange({'M', 'E', 'W', part, 0x1F, 0x55}, kOwiLimitMs, length), length);
}

std::int32_t CommandLayer::CmdExitOwi(std::int32_t chipIndex) {
  constexpr std::size_t length = 21;
  return judgedByLength(exchange({'M', 'e', 'W', partField(chipIndex), 0x1F, 0x55}, kOwiLimitMs, length), length);
}

std::int32_t CommandLayer::CmdErase(std::int32_t chipIndex) {
  constexpr std::size_t length = 22;
  const ReplyWindow reply = exchange({'M', 'A', 'W', partField(chipIndex), 0x52}, kOwiLimitMs, length);
  return reply.holds(length) && reply.contains("OWI Erase", 4) ? kCommandOk : kCommandFailed;
}

std::int32_t CommandLayer::CmdStore(std::int32_t chipIndex) {
  constexpr std::size_t length = 17;
  const ReplyWindow reply = exchange({'M', 'S', 'W', partField(chipIndex), 0x50}, kOwiLimitMs, length);
  return reply.holds(length) && reply.contains("OWI Store") ? kCommandOk : kCommandFailed;
}

std::int32_t CommandLayer::CmdReadProgrammerADCvalue() {
  if (!canReachBoard()) return kAdcTimeout;
  sendOnClearLine(CommandFrame{'M', 'T', 'W', kBoardPart}.text());
  ReplyReader reader(*channel_, clock_);
  const std::int32_t code = reader.readAdcCode(com::replyLimitMs(kOwiLimitMs));
  afterReply(reader);
  return code;
}

VersionReply CommandLayer::CmdReadVersion() {
  constexpr std::size_t length = 28;
  const ReplyWindow reply = exchange({'V', 'V', 'R', kBoardPart}, kOwiLimitMs, length);
  const std::size_t k = reply.find("RX041 V");
  if (k == std::string::npos) return {};
  return {decimalDigit(reply.at(k + 7)), decimalDigit(reply.at(k + 9)), decimalDigit(reply.at(k + 11)), kCommandOk};
}

}  // namespace rx041::zq3902
