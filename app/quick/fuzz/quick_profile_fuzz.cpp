// Any file loaded as a quick profile, nine lines and eighteen, with the
// checks every profile loader keeps (profile_load_checks.h); the part index
// and the direction are a list and a check box.
#include <cstdint>

#include "profile_load_checks.h"
#include "rx41/quick/quick_profile_format.h"

namespace {

using namespace rx41;

std::vector<fuzzing::FuzzedLine> fuzzedLines(const std::vector<QuickProfileLine>& lines) {
  std::vector<fuzzing::FuzzedLine> fuzzed;
  for (const QuickProfileLine& line : lines) {
    const bool choice = line.entry == QuickProfileEntry::PartIndex || line.entry == QuickProfileEntry::Direction;
    fuzzed.push_back({line.label.size() + 1, choice ? 2 : 0});
  }
  return fuzzed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static const std::vector<fuzzing::FuzzedLine> nineLines = fuzzedLines(quickProfileLines());
  static const std::vector<fuzzing::FuzzedLine> eighteenLines = fuzzedLines(pairQuickProfileLines());
  const std::string_view file(reinterpret_cast<const char*>(bytes), size);
  fuzzing::loadAndCheck(file, nineLines);
  fuzzing::loadAndCheck(file, eighteenLines);
  return 0;
}
