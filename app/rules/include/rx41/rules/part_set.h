#pragma once
// Which parts a call or a flow covers: Part#1, Part#2 or both. Pair flows run
// each phase over every part of the set before the next phase.
#include <cstdint>
#include <string>
#include <vector>

namespace rx41 {

// Part index: 0 = Part#1, 1 = Part#2; the state machine also takes both at once.
inline constexpr std::int16_t kBothParts = 2;
// The device object's ChipIndex for both parts.
inline constexpr std::int32_t kBothChips = 3;

// "Part#1" for part 0, "Part#2" for part 1.
inline std::string partName(std::int16_t part) { return "Part#" + std::to_string(part + 1); }

class PartSet {
 public:
  static constexpr PartSet part(std::int16_t part) { return PartSet(part == 0 ? kFirst : kSecond); }
  static constexpr PartSet both() { return PartSet(kFirst | kSecond); }

  constexpr bool isPair() const { return bits_ == (kFirst | kSecond); }
  constexpr bool contains(std::int16_t part) const { return (bits_ & bit(part)) != 0; }
  // The one part of a single set; Part#1 for the pair.
  constexpr std::int16_t first() const { return (bits_ & kFirst) != 0 ? 0 : 1; }
  // The part index the state machine takes: 0, 1, or 2 for both.
  constexpr std::int16_t stateMachinePart() const { return isPair() ? kBothParts : first(); }
  // The ChipIndex the device takes where an operation covers both parts at once: 0, 1, or 3.
  constexpr std::int32_t chipIndex() const { return isPair() ? kBothChips : first(); }
  // The parts in order, Part#1 first.
  std::vector<std::int16_t> parts() const {
    std::vector<std::int16_t> list;
    for (std::int16_t p = 0; p < 2; ++p)
      if (contains(p)) list.push_back(p);
    return list;
  }

  constexpr bool operator==(const PartSet&) const = default;

 private:
  static constexpr unsigned kFirst = 1, kSecond = 2;
  static constexpr unsigned bit(std::int16_t part) { return part == 0 ? kFirst : part == 1 ? kSecond : 0u; }
  explicit constexpr PartSet(unsigned bits) : bits_(bits) {}
  unsigned bits_;
};

}  // namespace rx41
