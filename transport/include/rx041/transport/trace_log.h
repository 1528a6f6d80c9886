#pragma once
// Trace logs. A log is written only while the marker file "wispfly.txt" exists
// in the trace directory ($RX041_TRACE_DIR, else $XDG_STATE_HOME/rx041, else
// ~/.local/state/rx041). The marker is looked for before each line until the
// log is open; from then on every line goes to the log, flushed at once.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>

namespace rx041::transport {

std::filesystem::path traceDirectory();

class TraceLog {
 public:
  // fileName: "log.txt" or "KVTlog.txt". openMode: the fopen mode of the log
  // ("w", "wt+" ...). onCreateFailure runs when the marker exists but the log
  // cannot be created; the line is dropped either way.
  TraceLog(std::string fileName, std::string openMode, std::function<void()> onCreateFailure = {});
  ~TraceLog();
  TraceLog(const TraceLog&) = delete;
  TraceLog& operator=(const TraceLog&) = delete;

  // One printf-formatted line (the format carries its own line end).
  void write(const char* format, ...) __attribute__((format(printf, 2, 3)));
  bool isOpen() const;

 private:
  enum class OpenState { Open, Disabled, CreateFailed };
  OpenState ensureOpen();

  std::string fileName_;
  std::string openMode_;
  std::function<void()> onCreateFailure_;
  mutable std::mutex mutex_;  // the reader thread and the caller's thread both trace
  std::FILE* file_ = nullptr;
};

// Milliseconds for the first field of a trace line.
long traceClock();

}  // namespace rx041::transport
