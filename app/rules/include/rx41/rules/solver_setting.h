#pragma once
// One entry for the solver settings table of the device, as the rules build
// it and DeviceCalls::SetSolverSetting sends it. Plain C++.
#include "rx041/device/device_interfaces.h"

namespace rx41 {

// The value in the kind (single or integer) the entry is sent as.
struct SolverSetting {
  rx041::zq3902::SolverSettingCodes code;
  rx041::com::Variant value;
};

}  // namespace rx41
