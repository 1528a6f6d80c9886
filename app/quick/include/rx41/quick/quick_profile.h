#pragma once
// The nine-line profile of the single-part quick windows: the part index, the
// direction, DP, the clamps and the two points.
#include <QStringList>

#include "rx41/quick/profile_file.h"

class QComboBox;

namespace rx41 {

class PartSettingsPanel;

const ProfileLayout& quickProfileLayout();

// The current texts (not the validated values), in line order.
QStringList quickProfileValues(const QComboBox& partSel, const PartSettingsPanel& panel);

// Fills the part list and the fields from the values in line order, up to the
// first value its control cannot take; returns that value's error number, or 0.
int applyQuickProfile(const QStringList& values, QComboBox& partSel, PartSettingsPanel& panel);

}  // namespace rx41
