#pragma once
// The background reader of a channel: hands every chunk of at most kChunkSize
// bytes that arrives on the port to a sink. Without a port it only waits to be
// stopped. stop() wakes the thread through a descriptor of its own and joins
// it, so the port may be closed as soon as stop() has returned, never while the
// thread could still be blocked on it. When the line hangs up or fails, the
// thread reports it once and ends: a terminal that hung up never reads again,
// and a replugged adapter comes back as a new device that has to be opened anew.
#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>
#include <thread>

namespace rx041::chanlink {

class PortReader {
 public:
  static constexpr std::size_t kChunkSize = 100;
  // The thread's name as ps and /proc show it.
  static constexpr const char* kThreadName = "chanlink-reader";
  using Sink = std::function<void(std::string_view chunk)>;
  // Runs on the reader's thread, after which the thread touches the port no more.
  using LineLost = std::function<void()>;

  // portFd: the open port, or -1. Discards what is waiting in the port's input
  // before returning, so that nothing sent after the start is lost. Null when
  // the thread or its wake descriptor cannot be created.
  static std::unique_ptr<PortReader> start(int portFd, Sink sink, LineLost lineLost);

  ~PortReader();
  PortReader(const PortReader&) = delete;
  PortReader& operator=(const PortReader&) = delete;

  void stop();

 private:
  PortReader(int portFd, int wakeFd, Sink sink, LineLost lineLost);
  void run();
  // Waits a little after a failed wait; true when asked to stop.
  bool pauseAfterFailure();

  int portFd_;
  int wakeFd_;
  Sink sink_;
  LineLost lineLost_;
  std::thread thread_;
};

}  // namespace rx041::chanlink
