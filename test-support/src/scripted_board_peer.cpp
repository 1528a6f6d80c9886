#include "rx041/test_support/scripted_board_peer.h"

#include <cstdio>
#include <cstdlib>

namespace rx041::test {
namespace {

constexpr std::size_t kFrameLength = 15;

std::string hex2(int value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", value & 0xFF);
  return text;
}

// A malformed field reads as 0 rather than stopping the peer.
int hexValue(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 16)); }

int partIndex(char part) { return part == '1' ? 1 : 2; }

}  // namespace

PeerReply PeerReply::split(const std::string& text, std::size_t at) {
  return {{text.substr(0, at), text.substr(at) + "\n"}};
}

PeerReply PeerReply::together(const std::vector<std::string>& lines) {
  std::string chunk;
  for (const auto& line : lines) chunk += line + "\n";
  return {{chunk}};
}

PeerReply PeerReply::staleThen(const std::string& stale, const std::string& text) {
  return {{stale + "\n", text + "\n"}};
}

std::string ScriptedBoardPeer::readLine(int address, int value) {
  return "OWI Read @" + hex2(address) + ": 0x" + hex2(value);
}
std::string ScriptedBoardPeer::writeLine(int address, int data) {
  return "OWI Write " + hex2(data) + "->" + hex2(address) + " ok";
}
std::string ScriptedBoardPeer::refusedWriteLine(int address) { return "OWI Write " + hex2(address) + ": fail!"; }
std::string ScriptedBoardPeer::adcLine(int code) { return "ADC:" + hex2(code >> 8) + "," + hex2(code) + ",0D"; }

ScriptedBoardPeer::ScriptedBoardPeer() : server_([this] { serve(); }) {}

ScriptedBoardPeer::~ScriptedBoardPeer() {
  stop_ = true;
  server_.join();
}

void ScriptedBoardPeer::setRegister(int part, int address, int value) {
  std::lock_guard lock(mutex_);
  registers_[{part, address}] = value;
}

int ScriptedBoardPeer::registerValue(int part, int address) const {
  std::lock_guard lock(mutex_);
  const auto it = registers_.find({part, address});
  return it == registers_.end() ? 0 : it->second;
}

void ScriptedBoardPeer::setAdcCode(int code) {
  std::lock_guard lock(mutex_);
  adcCode_ = code;
}

void ScriptedBoardPeer::scriptReply(const std::string& framePrefix, PeerReply reply) {
  std::lock_guard lock(mutex_);
  for (auto& [prefix, queue] : scripted_) {
    if (prefix == framePrefix) {
      queue.push_back(std::move(reply));
      return;
    }
  }
  scripted_.push_back({framePrefix, {std::move(reply)}});
}

void ScriptedBoardPeer::setResponder(Responder responder) {
  std::lock_guard lock(mutex_);
  responder_ = std::move(responder);
}

std::vector<std::string> ScriptedBoardPeer::frames() const {
  std::lock_guard lock(mutex_);
  return frames_;
}

void ScriptedBoardPeer::clearFrames() {
  std::lock_guard lock(mutex_);
  frames_.clear();
}

bool ScriptedBoardPeer::waitForFrames(std::size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return framesArrived_.wait_for(lock, timeout, [&] { return frames_.size() >= count; });
}

void ScriptedBoardPeer::serve() {
  std::string pending;
  while (!stop_) {
    pending += pty_.read(kFrameLength - pending.size(), std::chrono::milliseconds(20));
    if (pending.size() < kFrameLength) continue;
    const std::string frame = pending;
    pending.clear();
    {
      std::lock_guard lock(mutex_);
      frames_.push_back(frame);
    }
    framesArrived_.notify_all();
    const PeerReply reply = replyTo(frame);
    for (std::size_t i = 0; i < reply.chunks.size() && !stop_; ++i) {
      if (i > 0) std::this_thread::sleep_for(reply.gap);
      pty_.write(reply.chunks[i]);
    }
  }
}

PeerReply ScriptedBoardPeer::replyTo(const std::string& frame) {
  // The responder runs unlocked: it may look at the peer's registers.
  Responder responder;
  {
    std::lock_guard lock(mutex_);
    responder = responder_;
  }
  if (responder) {
    if (auto reply = responder(frame)) return *reply;
  }
  std::lock_guard lock(mutex_);
  for (auto& [prefix, queue] : scripted_) {
    if (!queue.empty() && frame.compare(0, prefix.size(), prefix) == 0) {
      PeerReply reply = std::move(queue.front());
      queue.pop_front();
      return reply;
    }
  }
  return standardReply(frame);
}

PeerReply ScriptedBoardPeer::standardReply(const std::string& frame) {
  // "$G,O,A,P,B1,B2#"
  const std::string kind = frame.substr(1, 5);
  const char part = frame[7];
  const std::string p(1, part);
  if (kind == "R,P,O") return PeerReply::line(powerOnLine(part));
  if (kind == "R,P,F") return PeerReply::line(powerOffLine(part));
  if (kind == "R,M,V") return PeerReply::line("Part#" + p + " Relay To VDD");
  if (kind == "R,M,A") return PeerReply::line("Part#" + p + " Relay To OUT");
  if (kind == "R,D,O") return PeerReply::line("Part#" + p + " OWI Mode");
  if (kind == "R,D,A") return PeerReply::line("Part#" + p + " ADC Mode");
  if (kind == "M,E,W") return PeerReply::line("OWI Enter OK!");
  if (kind == "M,e,W") return PeerReply::line("OWI Exit Part#" + p + " Done!");
  if (kind == "M,A,W") return PeerReply::line(eraseLine(part));
  if (kind == "M,S,W") return PeerReply::line(storeLine(part));
  if (kind == "M,T,W") return PeerReply::line(adcLine(adcCode_));
  if (kind == "V,V,R") return PeerReply::line("Firmware version RX041 V1.2.3");
  if (kind == "C,O,R") {
    const int address = hexValue(frame.substr(9, 2));
    const auto it = registers_.find({partIndex(part), address});
    return PeerReply::line(readLine(address, it == registers_.end() ? 0 : it->second));
  }
  if (kind == "C,O,W") {
    const int address = hexValue(frame.substr(9, 2));
    const int data = hexValue(frame.substr(12, 2));
    registers_[{partIndex(part), address}] = data;
    return PeerReply::line(writeLine(address, data));
  }
  return PeerReply::silence();
}

}  // namespace rx041::test
