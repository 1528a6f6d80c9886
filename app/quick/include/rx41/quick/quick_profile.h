#pragma once
// The nine-line profile of the single-part quick windows: the part index, the
// direction, DP, the clamps and the two points.
#include "rx41/profile_binding.h"

class QComboBox;

namespace rx41 {

class PartSettingsPanel;

// Binds the lines to the part list and the panel; after loading, the panel's
// checks run.
void bindQuickProfile(ProfileBinding& binding, QComboBox& partSel, PartSettingsPanel& panel);

}  // namespace rx41
