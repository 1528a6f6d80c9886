#include "record_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rx041::records {

FileReader::FileReader(int fd) : fd_(fd), buffer_(64 * 1024) {}

FileReader::~FileReader() { ::close(fd_); }

FileReader::int_type FileReader::underflow() {
  if (error_ != 0) return traits_type::eof();
  ssize_t got = 0;
  do {
    got = ::read(fd_, buffer_.data(), buffer_.size());
  } while (got < 0 && errno == EINTR);
  if (got <= 0) {
    if (got < 0) error_ = errno;
    return traits_type::eof();
  }
  setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
  return traits_type::to_int_type(buffer_[0]);
}

OpenedRecordFile openRecordFile(const std::filesystem::path& file) {
  OpenedRecordFile opened;
  // O_NONBLOCK: a FIFO in the file's place would otherwise wait for a writer.
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    opened.missing = errno == ENOENT;
    opened.problem = std::strerror(errno);
    return opened;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    opened.problem = "not a regular file";
    return opened;
  }
  opened.reader = std::make_unique<FileReader>(fd);
  return opened;
}

}  // namespace rx041::records
