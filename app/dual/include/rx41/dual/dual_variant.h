#pragma once
// The two dual-part windows are one window with a parameter: the board feeds
// each part from its own source ("/1", MainForm2Parts2Src) or both parts from
// one ("/0", MainForm2Parts1Src). Everything in which the single-source twin
// differs is data here, but for its name and argument (its row in
// dual_windows.cpp); the window reads it and never asks which kind it is.
// Plain C++.
#include <string_view>

#include "rx41/dual/dual_fields.h"
#include "rx41/rules/part_set.h"

namespace rx41 {

enum class Sources { Dual, Single };

struct DualVariant {
  // One source powers, programs and locks both parts as one: the power,
  // programming, lock and display buttons exist once (index 0) and work on
  // the pair, every mode change covers both parts, and the parts have no
  // enable boxes.
  bool pairedParts;
  // New Device does nothing while a part of its set is comm-locked, instead
  // of failing on the way into OWI mode.
  bool newDeviceSkipsLockedParts;
  // The fields, with the window's clamp rules.
  const DualFieldTable* fields;
  // Put in front of message 114; "{part}" is the part number.
  std::string_view clampOrderPrefix;
  std::string_view programmingText;
  std::string_view configuringText;  // "{part}" is the part number
  std::string_view commlockFailed;
  std::string_view clearFailed;
};

const DualVariant& dualVariant(Sources sources);

// The parts a button of the part works on: the part alone, or the pair.
inline PartSet unitParts(const DualVariant& variant, std::int16_t part) {
  return variant.pairedParts ? PartSet::both() : PartSet::part(part);
}
// The button units of the window: one per part, or one for the pair.
inline int unitCount(const DualVariant& variant) { return variant.pairedParts ? 1 : 2; }

}  // namespace rx41
