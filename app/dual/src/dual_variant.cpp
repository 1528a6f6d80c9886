#include "rx41/dual/dual_variant.h"

#include "rx41/device_texts.h"

namespace rx41 {

const DualVariant& dualVariant(Sources) {
  static const DualFieldTable kDualSourcesFields = dualFieldTable(kDualClampHighRule, kDualClampLowRule);
  static const DualVariant kDualSources{
      .className = "MainForm2Parts2Src",
      .pairedParts = false,
      .fields = &kDualSourcesFields,
      .clampOrderPrefix = "",
      .programmingText = device_text::kWaitProgramming,
      .configuringText = device_text::kWaitConfiguring,
      .commlockFailed = "Errors in Commlock!",
      .clearFailed = device_text::kClearFailed,
  };
  return kDualSources;
}

}  // namespace rx41
