#pragma once
// Trace logs. A log is written only while the marker file "wispfly.txt" exists
// in the trace directory ($RX041_TRACE_DIR, else $XDG_STATE_HOME/rx041, else
// ~/.local/state/rx041). The marker is looked for before each line until the
// log is open; from then on every line goes to the log, flushed at once.
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>

namespace rx041::transport {

std::filesystem::path traceDirectory();

enum class TraceFailure {
  Create,  // the marker exists but the log cannot be created (a folder in its place, a read-only directory)
  Write,   // a line could not be written (a full disk)
};

// Tells the operator, once per process, that a library's trace log fails: the
// first failure shows its message, every later one stays silent. A log that
// cannot be created fails again on every line.
class TraceFailureNotice {
 public:
  TraceFailureNotice(std::string createFailed, std::string writeFailed);
  void report(TraceFailure failure);

 private:
  const std::string createFailed_;
  const std::string writeFailed_;
  std::atomic<bool> shown_{false};
};

class TraceLog {
 public:
  // fileName: "log.txt" or "KVTlog.txt". openMode: the fopen mode of the log
  // ("w", "wt+" ...). onFailure runs when the marker exists but the log cannot
  // be created (the line is dropped, the next line tries again), and when a
  // line cannot be written (the log is then closed and drops every later line).
  TraceLog(std::string fileName, std::string openMode, std::function<void(TraceFailure)> onFailure = {});
  ~TraceLog();
  TraceLog(const TraceLog&) = delete;
  TraceLog& operator=(const TraceLog&) = delete;

  // One printf-formatted line (the format carries its own line end).
  void write(const char* format, ...) __attribute__((format(printf, 2, 3)));
  bool isOpen() const;

 private:
  enum class OpenState { Open, Disabled, CreateFailed, WriteFailed };
  OpenState ensureOpen();
  // Writes one line; false (and the log closed for good) when it could not be written.
  bool writeLine(const char* format, va_list args);

  std::string fileName_;
  std::string openMode_;
  std::function<void(TraceFailure)> onFailure_;
  mutable std::mutex mutex_;  // the reader thread and the caller's thread both trace
  std::FILE* file_ = nullptr;
  bool writeFailed_ = false;
};

// Milliseconds for the first field of a trace line.
long traceClock();

}  // namespace rx041::transport
