#pragma once
// The profiles of the quick windows: nine lines for the single-part windows
// (the part index, then the part's block: direction, DP, the clamps and the
// two points), eighteen for the dual window (a heading and the block for
// each part). Neither loads into the other window.
#include "rx41/profile_binding.h"

class QComboBox;

namespace rx41 {

class QuickSettingsPanel;

// Binds the lines to the part list and the panel; after loading, the panel's
// checks run.
void bindQuickProfile(ProfileBinding& binding, QComboBox& partSel, QuickSettingsPanel& panel);
void bindDualQuickProfile(ProfileBinding& binding, QuickSettingsPanel& panel);

}  // namespace rx41
