#include "rx041/records/record_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

namespace rx041::records {
namespace {

constexpr const char* kFileName = "programming-records.jsonl";

// How long an append waits for another program's append to finish: each holds
// the file only for one write and its sync.
constexpr auto kLockWait = std::chrono::seconds(2);

std::string failure(const std::filesystem::path& file, const std::string& reason) {
  return file.string() + ": " + reason;
}

std::string errorText(int error) { return std::strerror(error); }

// Writes all of text; 0, or the errno of the write that failed. A write cut
// short by a full disk or a file size limit reports its cause on the retry.
int writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return ENOSPC;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// Every program appending takes this lock, so that a failed append can be taken
// back without cutting another's record. A program that holds it too long
// (stopped, or on a hung network drive) does not stop the record: it is then
// appended without the lock, which O_APPEND still keeps whole against others.
bool lockForAppend(int fd) {
  const auto deadline = std::chrono::steady_clock::now() + kLockWait;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return true;
}

// Whether the file's last byte ends a line (an empty file does): a crash or an
// older program may have left a record cut short.
bool endsWithLine(int fd, off_t size) {
  char last = '\n';
  return size == 0 || ::pread(fd, &last, 1, size - 1) != 1 || last == '\n';
}

// A FIFO or device in the file's place would block the program or swallow the
// records; the folder in its place gives its own reason.
std::optional<std::string> notARegularFile(const std::filesystem::path& file) {
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0 || S_ISREG(status.st_mode)) return std::nullopt;
  return failure(file, "not a regular file (a FIFO, device or folder is in its place)");
}

}  // namespace

std::filesystem::path recordDirectory() {
  if (const char* env = std::getenv("RX041_RECORD_DIR"); env && *env) return env;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return std::filesystem::path(data) / "rx041";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "share" / "rx041";
}

std::filesystem::path recordFilePath() { return recordDirectory() / kFileName; }

std::optional<std::string> appendLine(const std::filesystem::path& file, std::string_view line) {
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (error) return failure(file.parent_path(), error.message());
  // O_NONBLOCK: opening a FIFO for writing would otherwise wait for a reader.
  const int fd = ::open(file.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644);
  if (fd < 0) {
    const int openError = errno;
    if (auto refused = notARegularFile(file)) return refused;
    return failure(file, errorText(openError));
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return failure(file, "not a regular file (a FIFO, device or folder is in its place)");
  }

  const bool locked = lockForAppend(fd);
  const off_t before = ::lseek(fd, 0, SEEK_END);
  std::string whole;
  if (before > 0 && !endsWithLine(fd, before)) whole += '\n';
  whole += line;
  whole += '\n';

  std::optional<std::string> problem;
  if (const int writeError = writeAll(fd, whole)) {
    problem = failure(file, errorText(writeError));
  } else if (::fsync(fd) != 0) {
    problem = failure(file, errorText(errno));
  }
  // Take the record back whole: a cut line would swallow the next record too.
  // Without the lock another program's record may follow it, so it stays and
  // the next append starts on a line of its own.
  if (problem && locked && before >= 0) {
    if (::ftruncate(fd, before) != 0 || ::fsync(fd) != 0)
      *problem += "; the part written could not be taken back: " + errorText(errno);
  } else if (problem) {
    *problem += "; the part written (if any) stays as a line that is no record";
  }
  if (::close(fd) != 0 && !problem) problem = failure(file, errorText(errno));
  return problem;
}

RecordFileContents readRecords(std::istream& in) {
  RecordFileContents contents;
  // One line at a time within the bound: a longer one is passed over, never held whole.
  std::vector<char> buffer(kLongestRecordLine + 1);
  for (std::size_t number = 1;; ++number) {
    in.getline(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const auto taken = static_cast<std::size_t>(in.gcount());
    if (in.bad()) break;
    if (in.fail() && !in.eof() && taken == kLongestRecordLine) {
      in.clear();
      in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
      contents.problems.push_back({number, "longer than " + std::to_string(kLongestRecordLine) + " bytes"});
      continue;
    }
    if (taken == 0 && in.fail()) break;  // the end, or a read that failed (the caller sees in.bad())
    // getline stops at the end of the stream without a line end: the last write was cut short.
    const bool cutShort = in.eof();
    const std::string_view text(buffer.data(), cutShort ? taken : taken - 1);
    if (text.find_first_not_of(" \t\r") == std::string_view::npos) {
      if (cutShort) break;
      continue;
    }
    auto parsed = parseRecord(text);
    if (auto* record = std::get_if<ProgrammingRecord>(&parsed)) {
      contents.records.push_back({number, std::move(*record)});
    } else {
      contents.problems.push_back(
          {number, cutShort ? "cut short (no line end)" : "not a record: " + std::get<std::string>(parsed)});
    }
    if (cutShort) break;
  }
  return contents;
}

}  // namespace rx041::records
