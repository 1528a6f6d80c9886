#include "rx41/record_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace rx41 {
namespace {

constexpr const char* kFileName = "programming-records.jsonl";

std::string failure(const std::filesystem::path& file, const std::string& reason) {
  return file.string() + ": " + reason;
}

std::string systemError() { return std::strerror(errno); }

// One write of the whole text: with O_APPEND the kernel puts it at the end in one piece.
bool writeWhole(int fd, std::string_view text, bool& partly) {
  ssize_t written = 0;
  do {
    written = ::write(fd, text.data(), text.size());
  } while (written < 0 && errno == EINTR);
  partly = written > 0 && static_cast<std::size_t>(written) < text.size();
  return written >= 0 && static_cast<std::size_t>(written) == text.size();
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
  const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return failure(file, systemError());
  std::string whole(line);
  whole += '\n';
  std::optional<std::string> problem;
  bool partly = false;
  if (!writeWhole(fd, whole, partly)) {
    problem = failure(file, partly ? "the disk took only part of the record" : systemError());
    // End the cut line, so that the next record starts on a line of its own.
    if (partly) writeWhole(fd, "\n", partly);
  }
  if (::fsync(fd) != 0 && !problem) problem = failure(file, systemError());
  if (::close(fd) != 0 && !problem) problem = failure(file, systemError());
  return problem;
}

RecordFileContents readRecords(std::istream& in) {
  RecordFileContents contents;
  std::string text;
  for (std::size_t number = 1; std::getline(in, text); ++number) {
    if (text.find_first_not_of(" \t\r") == std::string::npos) continue;
    auto parsed = parseRecord(text);
    if (auto* record = std::get_if<ProgrammingRecord>(&parsed)) {
      contents.records.push_back({number, std::move(*record)});
      continue;
    }
    // getline stops at the end of the stream without a line end: the last write was cut short.
    const bool cutShort = in.eof();
    contents.problems.push_back(
        {number, cutShort ? "cut short (no line end)" : "not a record: " + std::get<std::string>(parsed)});
  }
  return contents;
}

}  // namespace rx41
