#pragma once
// The settings fields of the single-part quick windows ("/2", "/4", "/6"):
// the part configuration and points A and B with their rules and profile
// lines, and the offsets of the 1-point window ("/6").
#include <array>

#include "rx41/field_spec.h"

namespace rx41 {

// clamplow, clamphigh, DP, then Angle and Level (one field per point).
const std::array<FieldSpec, 5>& quickFieldTable();

// OffsetDP and OffsetAngleB: kept as texts, never in the profile.
const std::array<FieldSpec, 2>& offsetFieldTable();

}  // namespace rx41
