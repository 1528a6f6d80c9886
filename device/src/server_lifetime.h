#pragma once
#include "rx041/component/server.h"

namespace rx041::zq3902 {

// Live objects and locks of this library: it can be unloaded when both are zero.
com::ServerLifetime& serverLifetime();

}  // namespace rx041::zq3902
