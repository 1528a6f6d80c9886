#pragma once
// The background reader of a channel: hands every chunk of at most kChunkSize
// bytes that arrives on the port to a sink. Without a port it only waits to be
// stopped. stop() wakes the thread through a descriptor of its own and joins
// it, so the port may be closed as soon as stop() has returned, never while the
// thread could still be blocked on it.
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

  // portFd: the open port, or -1. Discards what is waiting in the port's input
  // before returning, so that nothing sent after the start is lost. Null when
  // the thread or its wake descriptor cannot be created.
  static std::unique_ptr<PortReader> start(int portFd, Sink sink);

  ~PortReader();
  PortReader(const PortReader&) = delete;
  PortReader& operator=(const PortReader&) = delete;

  void stop();

 private:
  PortReader(int portFd, int wakeFd, Sink sink);
  void run();
  // Waits a little after a hang-up or a read error; true when asked to stop.
  bool pauseAfterFailure();

  int portFd_;
  int wakeFd_;
  Sink sink_;
  std::thread thread_;
};

}  // namespace rx041::chanlink
