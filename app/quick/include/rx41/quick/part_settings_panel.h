#pragma once
// The settings fields of the single-part quick windows, for whichever part
// the window programs: the part configuration frame (clamps, DP, direction)
// and the two points frame (angle and level of A and B).
#include <cstdint>
#include <functional>

#include "rx41/quick/quick_settings_panel.h"

class QGridLayout;

namespace rx41 {

class PartSettingsPanel final : public QuickSettingsPanel {
 public:
  // selectedPart gives the part the validation messages name.
  PartSettingsPanel(OperatorInterface& operatorInterface, std::function<std::int16_t()> selectedPart,
                    QWidget* parent = nullptr);

  // The frames, for the window's buttons that belong with them.
  QGridLayout* partFrameLayout() const { return partLayout_; }
  QGridLayout* pointsFrameLayout() const { return pointsLayout_; }

 private:
  QGridLayout* partLayout_;
  QGridLayout* pointsLayout_;
};

}  // namespace rx41
