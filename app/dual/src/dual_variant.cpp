#include "rx41/dual/dual_variant.h"

#include "rx41/rules/device_texts.h"

namespace rx41 {

const DualVariant &dualVariant(Sources sources) {
  static const DualFieldTable kDualSourcesFields = dualFieldTable(kDualClampHighRule, kDualClampLowRule);
  static const DualFieldTable kSingleSourceFields = dualFieldTable(kTwinClampHighRule, kTwinClampLowRule);
  static const DualVariant kDualSources{
      .pairedParts = false,
      .newDeviceSkipsLockedParts = false,
      .fields = &kDualSourcesFields,
      .clampOrderPrefix = "",
      .programmingText = device_text::kWaitProgramming,
      .configuringText = device_text::kWaitConfiguring,
      .commlockFailed = "Errors in Commlock!",
      .clearFailed = device_text::kClearFailed,
  };
  static const DualVariant kSingleSource{
      .pairedParts = true,
      .newDeviceSkipsLockedParts = true,
      .fields = &kSingleSourceFields,
      .clampOrderPrefix = "Part#{part}: ",
      .programmingText = "Programming Part#1 and Part#2 EEPROM...  Please Wait...",
      .configuringText = "Configuring Part#{part} Solver...  Please Wait...",
      .commlockFailed = "Errors in Commlock",
      .clearFailed = "Error in ClearSolverSettings",
  };
  return sources == Sources::Single ? kSingleSource : kDualSources;
}

}  // namespace rx41
