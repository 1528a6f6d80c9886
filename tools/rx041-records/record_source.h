#pragma once
// Opening the record file for reading: only a regular file is read (a FIFO or
// device would block or never end, a folder reads as nothing), without waiting
// on what is in its place, and a read that fails is told, not taken for the end.
#include <filesystem>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

namespace rx041::records {

// Reads a descriptor it owns; a failed read ends the stream and is kept in error().
class FileReader : public std::streambuf {
 public:
  explicit FileReader(int fd);
  ~FileReader() override;
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  int error() const { return error_; }  // errno of the read that failed, or 0

 protected:
  int_type underflow() override;

 private:
  int fd_;
  int error_ = 0;
  std::vector<char> buffer_;
};

struct OpenedRecordFile {
  std::unique_ptr<FileReader> reader;  // none when the file cannot be read
  std::string problem;                 // why not: "not a regular file", "Permission denied"
  bool missing = false;                // there is no such file (no records yet)
};

OpenedRecordFile openRecordFile(const std::filesystem::path& file);

}  // namespace rx041::records
