#pragma once
// The programming record file: one record a line (JSON Lines), appended to by
// every RX41 on the PC and never rewritten. It lives in $RX041_RECORD_DIR when
// set, else in $XDG_DATA_HOME/rx041 (normally ~/.local/share/rx041), as
// programming-records.jsonl.
#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rx041/records/programming_record.h"

namespace rx041::records {

std::filesystem::path recordDirectory();
std::filesystem::path recordFilePath();

// Appends the line and its line feed to the file opened for appending, then
// syncs the file to disk, so that programs appending at the same time never
// interleave or lose lines; they take turns under an advisory lock on the file.
// A line the file holds without its line end (a crash) is ended first. An
// append that fails (a full disk) is taken back: the file is left as it was.
// Makes the folder and the file when they are missing; refuses, without
// waiting, anything in the file's place that is no regular file (a FIFO, a
// device). Returns why the line could not be written, or none.
std::optional<std::string> appendLine(const std::filesystem::path& file, std::string_view line);

struct NumberedRecord {
  std::size_t line = 0;  // from 1
  ProgrammingRecord record;
};

struct RecordLineProblem {
  std::size_t line = 0;
  std::string reason;
};

struct RecordFileContents {
  std::vector<NumberedRecord> records;  // in file order, which is the order they were written
  std::vector<RecordLineProblem> problems;
};

// No record comes near this; a longer line is no record and is not read whole.
inline constexpr std::size_t kLongestRecordLine = 1024 * 1024;

// Every record of the stream; a line that holds none (corrupt, cut short by a
// write that failed, or longer than kLongestRecordLine) is a problem with its
// line number and is skipped. Blank lines are skipped silently. A read that
// fails ends the records early; the stream's bad() tells.
RecordFileContents readRecords(std::istream& in);

}  // namespace rx041::records
