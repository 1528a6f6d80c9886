#pragma once
// The nine-line profile of the single-part quick windows: the part index,
// then the part's block: the direction, DP, the clamps and the two points.
#include "rx41/profile_binding.h"

class QComboBox;

namespace rx41 {

class QuickSettingsPanel;

// Binds the lines to the part list and the panel; after loading, the panel's
// checks run.
void bindQuickProfile(ProfileBinding& binding, QComboBox& partSel, QuickSettingsPanel& panel);

}  // namespace rx41
