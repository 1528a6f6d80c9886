#pragma once
#include "rx41/core/window_catalogue.h"

namespace rx41 {

// The dual-part windows, under their class names.
void registerDualWindows(WindowCatalogue& catalogue);

}  // namespace rx41
