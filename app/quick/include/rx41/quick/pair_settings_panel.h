#pragma once
// The settings fields of the quick pair window: one frame per part side by
// side ("Part#1", "Part#2"), each with the part's clamps, DP, direction and
// its points A and B.
#include "rx41/quick/quick_settings_panel.h"

namespace rx41 {

class PairSettingsPanel final : public QuickSettingsPanel {
 public:
  explicit PairSettingsPanel(OperatorInterface& operatorInterface, QWidget* parent = nullptr);
};

}  // namespace rx41
