#include "rx41/quick/two_point_configuration.h"

#include "rx41/operator_sink.h"
#include "rx41/quick/part_settings_panel.h"
#include "rx41/wait_form.h"

namespace rx41 {
namespace {

constexpr std::int16_t kTwoPointsMode = 2;
constexpr std::int16_t kConfigured = 2;
constexpr std::int16_t kNotConfigured = 0;

}  // namespace

TwoPointConfiguration::TwoPointConfiguration(PartSettingsPanel& settings, TeachInDevice& device, AppState& state,
                                             OperatorInterface& operatorInterface, QWidget* owner)
    : settings_(settings), device_(device), state_(state), operator_(operatorInterface), owner_(owner) {}

void TwoPointConfiguration::ConfigureAndProgram(std::int16_t part) {
  device_.EnsureOwiMode(part);
  if (!device_.inOwiMode(part)) {
    operator_.message(QStringLiteral("Error: Not in OWI mode"), owner_);
    return;
  }
  if (!CheckAndCopySettings(settings_.values(), part, targets_, state_, operator_, owner_)) return;
  WaitNotice wait(owner_, QStringLiteral("Configuring Solver...  Please Wait..."));
  if (configsolver_2Points(part) != kConfigured) {
    operator_.message(QStringLiteral("Error: Not 2 points Mode!"), owner_);
    return;
  }
  device_.copyAndProgram(part, wait);
}

std::int16_t TwoPointConfiguration::configsolver_2Points(std::int16_t part) {
  const bool levelGiven[2] = {settings_.levelGiven(0), settings_.levelGiven(1)};
  switch (checkTwoPoints(targets_, state_, part, levelGiven, operator_, owner_)) {
    case TwoPointCheck::EqualLevels: settings_.emptyLevel(1); return kNotConfigured;
    case TwoPointCheck::Refused: return kNotConfigured;
    case TwoPointCheck::Accepted: break;
  }
  applyDirection(settings_.clockwise(), part, targets_, state_);
  device_.StoreInSolver(part, twoPointSolverSettings(settings_.values(), targets_));
  return kConfigured;
}

void TwoPointConfiguration::buildCurve(std::int16_t part) {
  for (auto& partCurve : state_.Curve)
    for (auto& row : partCurve) row[0] = row[1] = 0;
  BuildCurves(state_, part, kTwoPointsMode, 0, 0, operatorSink(operator_, owner_));
}

}  // namespace rx41
