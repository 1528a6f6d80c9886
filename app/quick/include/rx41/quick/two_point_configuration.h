#pragma once
// Configuring one part from its settings fields with two target points:
// the checks, the solver settings, the conversion into chip registers and the
// EEPROM, then the expected output curve.
#include <QWidget>
#include <cstdint>

#include "rx41/app_state.h"
#include "rx41/quick/teach_in_device.h"
#include "rx41/quick/two_point_rules.h"

namespace rx41 {

class OperatorInterface;
class PartSettingsPanel;

class TwoPointConfiguration {
 public:
  // Messages and the wait window appear over the owner.
  TwoPointConfiguration(PartSettingsPanel& settings, TeachInDevice& device, AppState& state,
                        OperatorInterface& operatorInterface, QWidget* owner);

  // The part must be (or be brought) in OWI mode; stops at the first check
  // that fails, each reported.
  void ConfigureAndProgram(std::int16_t part);
  // 2 when the settings passed the two-point rules and went to the solver, else 0.
  std::int16_t configsolver_2Points(std::int16_t part);
  // Clears the curves of both parts and builds this part's from its points.
  void buildCurve(std::int16_t part);

 private:
  PartSettingsPanel& settings_;
  TeachInDevice& device_;
  AppState& state_;
  OperatorInterface& operator_;
  QWidget* owner_;
  SolverTargets targets_;
};

}  // namespace rx41
