#include "rx41/quick/two_point_configuration.h"

#include "rx41/core/device_calls.h"
#include "rx41/core/operator_sink.h"
#include "rx41/core/wait_form.h"
#include "rx41/rules/device_texts.h"

namespace rx41 {
namespace {

constexpr std::int16_t kTwoPointsMode = 2;
constexpr std::int16_t kConfigured = 2;
constexpr std::int16_t kNotConfigured = 0;
// The solver settings carry levels and clamps through the DAC correction.
constexpr std::int32_t kApplyDacOffset = 1;

}  // namespace

TwoPointConfiguration::TwoPointConfiguration(TwoPointSettings& settings, TeachInDevice& device, DeviceCalls& calls,
                                             AppState& state, OperatorInterface& operatorInterface, QWidget* owner)
    : settings_(settings), device_(device), calls_(calls), state_(state), operator_(operatorInterface), owner_(owner) {}

void TwoPointConfiguration::ConfigureAndProgram(PartSet parts) {
  if (!device_.EnsureOwiMode(parts)) {
    operator_.message(QLatin1String(device_text::kNotInOwiMode), owner_);
    return;
  }
  bool checked = true;
  for (const std::int16_t part : parts.parts())
    checked = CheckAndCopySettings(settings_.values(part), part, targets_[part], state_, operator_, owner_) && checked;
  if (!checked) return;
  WaitNotice wait(owner_, QLatin1String(device_text::kWaitConfiguring));
  bool configured = true;
  for (const std::int16_t part : parts.parts()) configured = configsolver_2Points(part) == kConfigured && configured;
  if (!configured) {
    operator_.message(QStringLiteral("Error: Not 2 points Mode!"), owner_);
    return;
  }
  device_.copyAndProgram(parts, wait);
}

std::int16_t TwoPointConfiguration::configsolver_2Points(std::int16_t part) {
  const bool levelGiven[2] = {settings_.levelGiven(part, 0), settings_.levelGiven(part, 1)};
  switch (checkTwoPoints(targets_[part], state_, part, levelGiven, operator_, owner_)) {
    case TwoPointCheck::EqualLevels: settings_.emptyLevel(part, 1); return kNotConfigured;
    case TwoPointCheck::Refused: return kNotConfigured;
    case TwoPointCheck::Accepted: break;
  }
  applyDirection(settings_.clockwise(part), part, targets_[part], state_);
  calls_.StoreInSolver(part, twoPointSolverSettings(settings_.values(part), targets_[part]), kApplyDacOffset);
  return kConfigured;
}

void TwoPointConfiguration::buildCurves(PartSet parts) {
  for (auto& partCurve : state_.Curve)
    for (auto& row : partCurve) row[0] = row[1] = 0;
  for (const std::int16_t part : parts.parts())
    BuildCurves(state_, part, kTwoPointsMode, 0, 0, operatorSink(operator_, owner_));
}

}  // namespace rx41
