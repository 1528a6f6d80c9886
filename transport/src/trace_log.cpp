#include "rx041/transport/trace_log.h"

#include <cstdarg>
#include <cstdlib>

#include "rx041/component/clock.h"
#include "rx041/component/notify.h"

namespace rx041::transport {

std::filesystem::path traceDirectory() {
  if (const char* env = std::getenv("RX041_TRACE_DIR"); env && *env) return env;
  if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state) return std::filesystem::path(state) / "rx041";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "state" / "rx041";
}

long traceClock() { return static_cast<long>(com::processMilliseconds()); }

TraceFailureNotice::TraceFailureNotice(std::string createFailed, std::string writeFailed)
    : createFailed_(std::move(createFailed)), writeFailed_(std::move(writeFailed)) {}

void TraceFailureNotice::report(TraceFailure failure) {
  if (shown_.exchange(true)) return;
  com::notifyOperator(failure == TraceFailure::Create ? createFailed_ : writeFailed_);
}

TraceLog::TraceLog(std::string fileName, std::string openMode, std::function<void(TraceFailure)> onFailure)
    : fileName_(std::move(fileName)), openMode_(std::move(openMode)), onFailure_(std::move(onFailure)) {}

TraceLog::~TraceLog() {
  if (file_) std::fclose(file_);
}

bool TraceLog::isOpen() const {
  std::lock_guard lock(mutex_);
  return file_ != nullptr;
}

TraceLog::OpenState TraceLog::ensureOpen() {
  if (file_) return OpenState::Open;
  if (writeFailed_) return OpenState::Disabled;
  const auto directory = traceDirectory();
  std::FILE* marker = std::fopen((directory / "wispfly.txt").c_str(), "rt");
  if (!marker) return OpenState::Disabled;
  std::fclose(marker);
  file_ = std::fopen((directory / fileName_).c_str(), openMode_.c_str());
  return file_ ? OpenState::Open : OpenState::CreateFailed;
}

bool TraceLog::writeLine(const char* format, va_list args) {
  const bool written = std::vfprintf(file_, format, args) >= 0 && std::fflush(file_) == 0;
  if (written) return true;
  // A full disk: trying again on every line would only fail again.
  std::fclose(file_);
  file_ = nullptr;
  writeFailed_ = true;
  return false;
}

void TraceLog::write(const char* format, ...) {
  OpenState state;
  {
    std::lock_guard lock(mutex_);
    state = ensureOpen();
    if (state == OpenState::Open) {
      va_list args;
      va_start(args, format);
      if (!writeLine(format, args)) state = OpenState::WriteFailed;
      va_end(args);
    }
  }
  // Outside the lock: the handler may show a message and trace again.
  if (!onFailure_) return;
  if (state == OpenState::CreateFailed) onFailure_(TraceFailure::Create);
  if (state == OpenState::WriteFailed) onFailure_(TraceFailure::Write);
}

}  // namespace rx041::transport
