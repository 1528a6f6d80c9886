#pragma once
// The settings fields of the single-part quick windows ("/2", "/4"): the
// part configuration and points A and B, with their rules and profile lines.
#include <array>

#include "rx41/field_spec.h"

namespace rx41 {

// clamplow, clamphigh, DP, then Angle and Level (one field per point).
const std::array<FieldSpec, 5>& quickFieldTable();

}  // namespace rx41
