#pragma once
// Turning the settings of a button's unit into chip registers and EEPROM:
// Program (the target point rules, the switch output, the solver's
// conversion, the output mode, the EEPROM store), New Device (solver
// cleared, EEPROM stored, DAC calibrated) and the linear graph's preparation.
// A pair runs each phase over both parts before the next, and nothing is
// stored unless every part got through.
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "rx041/records/programming_record.h"
#include "rx41/dual/dual_settings.h"
#include "rx41/dual/dual_variant.h"
#include "rx41/dual/part_modes.h"
#include "rx41/dual/target_point_rules.h"

namespace rx41 {

class DeviceCalls;

// The curve modes of Part#1 and Part#2 as the linear graph takes them: the
// number of points, plus 16 for one point and slope.
using GraphModes = std::array<std::int16_t, 2>;

class SolverProgramming {
 public:
  // Messages and the wait windows appear over the owner.
  SolverProgramming(PartModes& modes, DualSettings& settings, TargetPointRules& rules, const DualVariant& variant,
                    QWidget* owner);

  void btnconfigsolver_Click(PartSet parts);
  void newdevice_Click(PartSet parts);
  // The settings of each part through the rules and into the solver; none
  // when a part was refused (reported).
  std::optional<GraphModes> configureForGraph(PartSet parts);

 private:
  bool prepareAll(PartSet parts);
  // The rules' mode for the part (0 when refused), its settings sent to the
  // solver; none when a call failed outright.
  std::optional<std::int16_t> configsolver(std::int16_t part);
  // The switch output, the conversion into registers and the output mode.
  bool ConfigureSolver(PartSet parts, std::int16_t part, std::int16_t mode);
  bool StoreSwitchSettings(std::int16_t part);
  // storeAndReenterOwi for parts in OWI mode; parts that cannot reach it are
  // told about and stop nothing.
  bool ProgramEeprom(PartSet parts, rx041::records::EepromContents contents);
  // False when a call failed outright.
  bool ClearSolver(PartSet parts);
  void message(const QString& text);
  DeviceCalls& calls();

  PartModes& modes_;
  DualSettings& settings_;
  TargetPointRules& rules_;
  const DualVariant& variant_;
  QWidget* owner_;
};

}  // namespace rx41
