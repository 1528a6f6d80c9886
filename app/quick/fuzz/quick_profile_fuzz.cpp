// Any file loaded as a quick profile, nine lines and eighteen: loading never
// crashes, ends with a value for every line or one of the loaders' error
// numbers, and what it takes is bounded text that ends its line (no line
// end, no control character, no wider than a line may be); the part index
// and direction lines are either refused or one of their two choices.
#include <cstdint>
#include <string_view>

#include "rx41/profile_text.h"
#include "rx41/quick/quick_profile_format.h"

namespace {

using namespace rx41;

void expect(bool holds) {
  if (!holds) __builtin_trap();
}

bool knownError(int errorNumber) {
  switch (errorNumber) {
    case profile_error::kFileTooLarge:
    case profile_error::kLineTooLong:
    case profile_error::kInputPastEnd:
    case profile_error::kNotText: return true;
    default: return false;
  }
}

bool plainValue(std::string_view value) {
  for (const char c : value)
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) return false;
  return value.size() <= kProfileMaxLineBytes;
}

void load(std::string_view file, const std::vector<QuickProfileLine>& lines) {
  std::vector<std::size_t> columns;
  for (const QuickProfileLine& line : lines) columns.push_back(line.label.size() + 1);
  const ProfileText text = parseProfileText(file, columns);
  expect(text.errorNumber == 0 ? text.values.size() == lines.size() : knownError(text.errorNumber));
  expect(text.values.size() <= lines.size());
  for (std::size_t i = 0; i < text.values.size(); ++i) {
    const std::string& value = text.values[i];
    expect(plainValue(value));
    if (file.find('\r') == std::string_view::npos) expect(file.find(value) != std::string_view::npos);
    const QuickProfileEntry entry = lines[i].entry;
    if (entry != QuickProfileEntry::PartIndex && entry != QuickProfileEntry::Direction) continue;
    const int error = profileChoiceError(value, 2);
    expect(error == profile_error::kTypeMismatch || error == profile_error::kInvalidValue ||
           (error == 0 && (*profileInteger(value) == 0 || *profileInteger(value) == 1)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static const std::vector<QuickProfileLine> nineLines = quickProfileLines();
  static const std::vector<QuickProfileLine> eighteenLines = dualQuickProfileLines();
  const std::string_view file(reinterpret_cast<const char*>(bytes), size);
  load(file, nineLines);
  load(file, eighteenLines);
  return 0;
}
