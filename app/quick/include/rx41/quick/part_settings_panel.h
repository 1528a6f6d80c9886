#pragma once
// The settings form of the single-part quick windows: the part list PartSel
// (placed by the window) and, for whichever part it selects, the part
// configuration frame (clamps, DP, direction) and the two points frame (angle
// and level of A and B). Validation messages name the selected part.
#include <cstdint>

#include "rx41/quick/quick_settings_panel.h"

class QComboBox;
class QGridLayout;

namespace rx41 {

class PartSettingsPanel final : public QuickSettingsPanel {
 public:
  explicit PartSettingsPanel(OperatorInterface& operatorInterface, QWidget* parent = nullptr);

  QComboBox& partSelection() const { return *PartSel_; }
  std::int16_t selectedPart() const;

  // The frames, for the window's buttons that belong with them.
  QGridLayout* partFrameLayout() const { return partLayout_; }
  QGridLayout* pointsFrameLayout() const { return pointsLayout_; }

 private:
  QComboBox* PartSel_;
  QGridLayout* partLayout_;
  QGridLayout* pointsLayout_;
};

}  // namespace rx41
