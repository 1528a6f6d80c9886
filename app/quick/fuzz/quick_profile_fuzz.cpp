// Any file loaded as a quick profile, nine lines and eighteen, with the
// checks every profile loader keeps (profile_load_checks.h); the part index
// and the direction are a list and a check box.
#include <cstdint>

#include "profile_load_checks.h"
#include "rx41/quick/quick_profile_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace rx41;
  static const std::vector<fuzzing::FuzzedLine> nineLines = fuzzing::fuzzedLines(quickProfileLines());
  static const std::vector<fuzzing::FuzzedLine> eighteenLines = fuzzing::fuzzedLines(pairQuickProfileLines());
  const std::string_view file(reinterpret_cast<const char*>(bytes), size);
  fuzzing::loadAndCheck(file, nineLines);
  fuzzing::loadAndCheck(file, eighteenLines);
  return 0;
}
