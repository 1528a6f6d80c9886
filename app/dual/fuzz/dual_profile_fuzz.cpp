// Any file loaded as a dual-part profile (42 lines), with the checks every
// profile loader keeps (profile_load_checks.h); each part's output mode, PWM
// frequency and PWM polarity are lists.
#include <cstdint>

#include "profile_load_checks.h"
#include "rx41/dual/dual_profile_format.h"
#include "rx41/dual/dual_variant.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace rx41;
  static const std::vector<fuzzing::FuzzedLine> lines =
      fuzzing::fuzzedLines(dualProfileLines(*dualVariant(Sources::Dual).fields));
  fuzzing::loadAndCheck(std::string_view(reinterpret_cast<const char*>(bytes), size), lines);
  return 0;
}
