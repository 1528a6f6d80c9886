#pragma once
// A programmer board that knows only the command frames: it reads 15-character
// frames from the master side of a pseudo-terminal, records them, and answers
// each with a reply line that meets the board's reply rules, or with whatever
// a test scripted for it (long lines, split lines, stale lines, silence).
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "rx041/test_support/pty_pair.h"

namespace rx041::test {

// What the peer writes for one frame: the chunks in order, with a pause
// between them.
struct PeerReply {
  std::vector<std::string> chunks;
  std::chrono::milliseconds gap{30};

  static PeerReply silence() { return {}; }
  // One line (the line feed is added) in one chunk.
  static PeerReply line(const std::string& text) { return {{text + "\n"}}; }
  // One line written in two chunks, split before character `at`.
  static PeerReply split(const std::string& text, std::size_t at);
  // Several lines written together in one chunk.
  static PeerReply together(const std::vector<std::string>& lines);
  // A stale line, then after the gap the reply line.
  static PeerReply staleThen(const std::string& stale, const std::string& text);
};

class ScriptedBoardPeer {
 public:
  using Responder = std::function<std::optional<PeerReply>(const std::string& frame)>;

  ScriptedBoardPeer();
  ~ScriptedBoardPeer();
  ScriptedBoardPeer(const ScriptedBoardPeer&) = delete;
  ScriptedBoardPeer& operator=(const ScriptedBoardPeer&) = delete;

  // What the code under test opens as its port.
  const std::filesystem::path& slavePath() const { return pty_.slavePath(); }

  // Chip registers as the standard replies see them: reads answer with the
  // value, writes store it. part is 1 or 2 as in the frame. Unset registers read 0.
  void setRegister(int part, int address, int value);
  int registerValue(int part, int address) const;
  // The code every ADC frame is answered with (32768 = 0 V).
  void setAdcCode(int code);

  // The next frame that starts with framePrefix is answered with reply
  // instead of the standard line (queued in order per prefix).
  void scriptReply(const std::string& framePrefix, PeerReply reply);
  // Asked first for every frame; nullopt falls back to scripted and standard replies.
  void setResponder(Responder responder);

  std::vector<std::string> frames() const;
  void clearFrames();
  // Waits until at least count frames arrived.
  bool waitForFrames(std::size_t count, std::chrono::milliseconds timeout) const;

  // The standard reply texts (without line feed), for tests that build on them.
  static std::string powerOnLine(char part) { return std::string("Part#") + part + " Relay Power On"; }
  static std::string powerOffLine(char part) { return std::string("Part#") + part + " Relay Power Off"; }
  static std::string readLine(int address, int value);
  static std::string writeLine(int address, int data);
  static std::string refusedWriteLine(int address);
  static std::string adcLine(int code);
  static std::string eraseLine(char part) { return std::string("Part#") + part + " OWI Erase Done!"; }
  static std::string storeLine(char part) { return std::string("OWI Store Part#") + part + "!"; }

 private:
  void serve();
  PeerReply replyTo(const std::string& frame);
  PeerReply standardReply(const std::string& frame);  // with the mutex held

  PtyPair pty_;
  mutable std::mutex mutex_;
  mutable std::condition_variable framesArrived_;
  std::vector<std::string> frames_;
  std::map<std::pair<int, int>, int> registers_;
  int adcCode_ = 32768;
  std::vector<std::pair<std::string, std::deque<PeerReply>>> scripted_;
  Responder responder_;
  std::atomic<bool> stop_{false};
  std::thread server_;
};

}  // namespace rx041::test
