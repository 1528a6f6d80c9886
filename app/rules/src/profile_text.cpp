#include "rx41/rules/profile_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "rx41/rules/curve_math.h"
#include "rx41/rules/number_entry.h"

namespace rx41 {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isControl(unsigned char byte) {
  return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7F;
}

// The length of the UTF-8 sequence that starts at text[at], or 0 when none
// does (stray continuation, overlong form, surrogate, beyond U+10FFFF, cut off).
std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

bool isText(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    if (isControl(static_cast<unsigned char>(text[at]))) return false;
    const std::size_t length = utf8SequenceLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

// The line from its character at column on (1-based); empty when shorter.
std::string valueFrom(std::string_view line, std::size_t column) {
  std::size_t at = 0;
  for (std::size_t skipped = 1; skipped < column && at < line.size(); ++skipped) at += utf8SequenceLength(line, at);
  return std::string(line.substr(std::min(at, line.size())));
}

ProfileText failure(int errorNumber) { return {{}, errorNumber}; }

}  // namespace

ProfileText parseProfileText(std::string_view bytes, const std::vector<std::size_t>& valueColumns) {
  if (bytes.size() > kProfileMaxBytes) return failure(profile_error::kFileTooLarge);
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  if (!isText(bytes)) return failure(profile_error::kNotText);

  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes)
    if (c != '\r') text += c;

  std::vector<std::string_view> lines;
  for (std::string_view rest = text; !rest.empty();) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    if (end > kProfileMaxLineBytes) return failure(profile_error::kLineTooLong);
    lines.push_back(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }

  ProfileText contents;
  for (std::size_t i = 0; i < valueColumns.size(); ++i) {
    if (i == lines.size()) {
      contents.errorNumber = profile_error::kInputPastEnd;
      break;
    }
    contents.values.push_back(valueFrom(lines[i], valueColumns[i]));
  }
  return contents;
}

ProfileText readProfileText(const std::filesystem::path& path, const std::vector<std::size_t>& valueColumns) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0)
    return failure(errno == ENOENT || errno == ENOTDIR ? profile_error::kFileNotFound : profile_error::kFileAccess);
  struct stat status {};
  std::string bytes;
  int errorNumber = 0;
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    errorNumber = profile_error::kFileAccess;
  } else if (static_cast<std::uintmax_t>(status.st_size) > kProfileMaxBytes) {
    errorNumber = profile_error::kFileTooLarge;
  } else {
    // One byte more than allowed tells a file that grew since fstat.
    bytes.resize(kProfileMaxBytes + 1);
    std::size_t filled = 0;
    while (filled < bytes.size()) {
      const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) errorNumber = profile_error::kFileAccess;
      if (got <= 0) break;
      filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
  }
  ::close(fd);
  if (errorNumber) return failure(errorNumber);
  return parseProfileText(bytes, valueColumns);
}

std::optional<int> profileInteger(std::string_view value) {
  const auto number = parseNumber(value);
  if (!number || *number < -32768.5 || *number > 32767.5) return std::nullopt;
  return roundToInt16(*number);
}

int profileChoiceError(std::string_view value, int count) {
  const auto number = profileInteger(value);
  if (!number) return profile_error::kTypeMismatch;
  return *number >= 0 && *number < count ? 0 : profile_error::kInvalidValue;
}

}  // namespace rx41
