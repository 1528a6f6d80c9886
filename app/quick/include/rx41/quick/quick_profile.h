#pragma once
// The quick profiles (quick_profile_format.h) bound to the window's controls.
// Neither layout loads into the other window.
#include "rx41/core/profile_binding.h"

class QComboBox;

namespace rx41 {

class QuickSettingsPanel;

// Binds the lines to the part list and the panel; after loading, the panel's
// checks run.
void bindQuickProfile(ProfileBinding& binding, QComboBox& partSel, QuickSettingsPanel& panel);
void bindPairQuickProfile(ProfileBinding& binding, QuickSettingsPanel& panel);

}  // namespace rx41
