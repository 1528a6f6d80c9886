#include "rx041/transport/trace_log.h"

#include <cstdarg>
#include <cstdlib>

#include "rx041/component/clock.h"

namespace rx041::transport {

std::filesystem::path traceDirectory() {
  if (const char* env = std::getenv("RX041_TRACE_DIR"); env && *env) return env;
  if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state) return std::filesystem::path(state) / "rx041";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "state" / "rx041";
}

long traceClock() { return static_cast<long>(com::processMilliseconds()); }

TraceLog::TraceLog(std::string fileName, std::string openMode, std::function<void()> onCreateFailure)
    : fileName_(std::move(fileName)), openMode_(std::move(openMode)), onCreateFailure_(std::move(onCreateFailure)) {}

TraceLog::~TraceLog() {
  if (file_) std::fclose(file_);
}

bool TraceLog::isOpen() const {
  std::lock_guard lock(mutex_);
  return file_ != nullptr;
}

TraceLog::OpenState TraceLog::ensureOpen() {
  if (file_) return OpenState::Open;
  const auto directory = traceDirectory();
  std::FILE* marker = std::fopen((directory / "wispfly.txt").c_str(), "rt");
  if (!marker) return OpenState::Disabled;
  std::fclose(marker);
  file_ = std::fopen((directory / fileName_).c_str(), openMode_.c_str());
  return file_ ? OpenState::Open : OpenState::CreateFailed;
}

void TraceLog::write(const char* format, ...) {
  OpenState state;
  {
    std::lock_guard lock(mutex_);
    state = ensureOpen();
    if (state == OpenState::Open) {
      va_list args;
      va_start(args, format);
      std::vfprintf(file_, format, args);
      va_end(args);
      std::fflush(file_);
    }
  }
  // Outside the lock: the handler may show a message and trace again.
  if (state == OpenState::CreateFailed && onCreateFailure_) onCreateFailure_();
}

}  // namespace rx041::transport
