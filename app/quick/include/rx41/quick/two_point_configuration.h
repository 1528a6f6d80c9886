#pragma once
// Configuring parts from their settings fields with two target points: the
// checks, the solver settings, the conversion into chip registers and the
// EEPROM, then the expected output curve. A pair runs every check of both
// parts before anything is stored.
#include <QWidget>
#include <cstdint>

#include "rx41/core/app_state.h"
#include "rx41/quick/teach_in_device.h"
#include "rx41/quick/two_point_rules.h"
#include "rx41/rules/part_set.h"

namespace rx41 {

class DeviceCalls;
class OperatorInterface;

class TwoPointConfiguration {
 public:
  // Messages and the wait window appear over the owner.
  TwoPointConfiguration(TwoPointSettings& settings, TeachInDevice& device, DeviceCalls& calls, AppState& state,
                        OperatorInterface& operatorInterface, QWidget* owner);

  // The parts must be (or be brought) in OWI mode; stops at the first check
  // that fails, each reported.
  void ConfigureAndProgram(PartSet parts);
  // 2 when the part's settings passed the two-point rules and went to the solver, else 0.
  std::int16_t configsolver_2Points(std::int16_t part);
  // Clears the curves of both parts and builds those of the parts from their points.
  void buildCurves(PartSet parts);

 private:
  TwoPointSettings& settings_;
  TeachInDevice& device_;
  DeviceCalls& calls_;
  AppState& state_;
  OperatorInterface& operator_;
  QWidget* owner_;
  SolverTargets targets_[2];
};

}  // namespace rx41
