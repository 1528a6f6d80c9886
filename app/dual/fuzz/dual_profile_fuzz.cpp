// Any file loaded as a dual-part profile (42 lines), with the checks every
// profile loader keeps (profile_load_checks.h); each part's output mode, PWM
// frequency and PWM polarity are lists.
#include <cstdint>

#include "profile_load_checks.h"
#include "rx41/dual/dual_profile_format.h"
#include "rx41/dual/dual_variant.h"

namespace {

using namespace rx41;

// The entries of the window's lists: output mode (Analog, PWM), PWM
// frequency (1000 to 125 Hz), PWM polarity (high or low level valid).
int listEntries(ProfileEntry entry) {
  switch (entry) {
    case ProfileEntry::OutMode: return 2;
    case ProfileEntry::PWMFreq: return 4;
    case ProfileEntry::PWMPolarity: return 2;
    default: return 0;
  }
}

std::vector<fuzzing::FuzzedLine> fuzzedLines() {
  std::vector<fuzzing::FuzzedLine> fuzzed;
  for (std::int16_t part = 0; part < 2; ++part)
    for (const DualProfileLine& line : dualProfileBlock(*dualVariant(Sources::Dual).fields, part))
      fuzzed.push_back({line.label.size() + 1, listEntries(line.entry)});
  return fuzzed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static const std::vector<fuzzing::FuzzedLine> lines = fuzzedLines();
  fuzzing::loadAndCheck(std::string_view(reinterpret_cast<const char*>(bytes), size), lines);
  return 0;
}
