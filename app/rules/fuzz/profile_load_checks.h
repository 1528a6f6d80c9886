#pragma once
// What a profile loader keeps whatever file it is given: loading never
// crashes, ends with a value for every line or one of the loaders' error
// numbers, and what it takes is bounded text of one line; a line whose
// control is a list (or a check box) is either refused or an index it has.
#include <cstddef>
#include <string_view>
#include <vector>

#include "rx41/rules/profile_rows.h"
#include "rx41/rules/profile_text.h"

namespace rx41::fuzzing {

struct FuzzedLine {
  std::size_t valueColumn;
  int choices = 0;  // the entries of the line's list; 0 for a text
};

// The lines as the loader reads them: each value after its label, lists and
// ticks with their choices.
inline std::vector<FuzzedLine> fuzzedLines(const std::vector<ProfileRow>& rows) {
  std::vector<FuzzedLine> lines;
  for (const ProfileRow& row : rows) lines.push_back({row.label.size() + 1, profileChoices(row)});
  return lines;
}

inline void expect(bool holds) {
  if (!holds) __builtin_trap();
}

inline bool knownError(int errorNumber) {
  switch (errorNumber) {
    case profile_error::kFileTooLarge:
    case profile_error::kLineTooLong:
    case profile_error::kInputPastEnd:
    case profile_error::kNotText: return true;
    default: return false;
  }
}

inline bool plainValue(std::string_view value) {
  for (const char c : value)
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) return false;
  return value.size() <= kProfileMaxLineBytes;
}

inline void loadAndCheck(std::string_view file, const std::vector<FuzzedLine>& lines) {
  std::vector<std::size_t> columns;
  for (const FuzzedLine& line : lines) columns.push_back(line.valueColumn);
  const ProfileText text = parseProfileText(file, columns);
  expect(text.errorNumber == 0 ? text.values.size() == lines.size() : knownError(text.errorNumber));
  expect(text.values.size() <= lines.size());
  for (std::size_t i = 0; i < text.values.size(); ++i) {
    const std::string& value = text.values[i];
    expect(plainValue(value));
    // Without CRs to drop, a value is a piece of the file.
    if (file.find('\r') == std::string_view::npos) expect(file.find(value) != std::string_view::npos);
    const int choices = lines[i].choices;
    if (choices == 0) continue;
    const int error = profileChoiceError(value, choices);
    expect(error == profile_error::kTypeMismatch || error == profile_error::kInvalidValue ||
           (error == 0 && *profileInteger(value) >= 0 && *profileInteger(value) < choices));
  }
}

}  // namespace rx41::fuzzing
