#pragma once
// The dual-part profile file bound to the window's controls: both parts'
// blocks of 21 lines, and the field checks after a load.
#include "rx41/core/profile_binding.h"
#include "rx41/dual/dual_settings.h"

namespace rx41 {

void bindDualProfile(ProfileBinding& binding, DualSettings& settings);

}  // namespace rx41
