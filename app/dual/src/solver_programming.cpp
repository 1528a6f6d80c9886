#include "rx41/dual/solver_programming.h"

#include "rx41/core/device_calls.h"
#include "rx41/core/verified_store.h"
#include "rx41/core/wait_form.h"
#include "rx41/rules/device_texts.h"

namespace rx41 {
namespace {

bool isConfiguredMode(std::int16_t mode) { return mode >= 2 && mode <= 4; }

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

SolverProgramming::SolverProgramming(PartModes& modes, DualSettings& settings, TargetPointRules& rules,
                                     const DualVariant& variant, QWidget* owner)
    : modes_(modes), settings_(settings), rules_(rules), variant_(variant), owner_(owner) {}

DeviceCalls& SolverProgramming::calls() { return modes_.machine().calls(); }

void SolverProgramming::message(const QString& text) { calls().operatorInterface().message(text, owner_); }

void SolverProgramming::btnconfigsolver_Click(PartSet parts) {
  if (!modes_.EnsureOwiMode(parts)) {
    message(QLatin1String(device_text::kNotInOwiMode));
    return;
  }
  if (!prepareAll(parts)) return;
  for (const std::int16_t part : parts.parts()) {
    const auto mode = configsolver(part);
    if (!mode || !ConfigureSolver(parts, part, *mode)) return;
  }
  WaitNotice wait(owner_, qText(variant_.programmingText));
  ProgramEeprom(parts, rx041::records::EepromContents::Configured);
}

void SolverProgramming::newdevice_Click(PartSet parts) {
  if (variant_.newDeviceSkipsLockedParts && modes_.machine().anyCommLocked(parts)) return;
  if (!modes_.EnsureOwiMode(parts)) {
    message(QLatin1String(device_text::kOwiModeRequired));
    return;
  }
  WaitNotice wait(owner_, QLatin1String(device_text::kWaitClearing));
  if (!ClearSolver(parts) || !ProgramEeprom(parts, rx041::records::EepromContents::Cleared)) return;
  wait.change(QLatin1String(device_text::kWaitSelfCorrecting));
  calls().CalibrateDac(parts);
}

std::optional<GraphModes> SolverProgramming::configureForGraph(PartSet parts) {
  if (!prepareAll(parts)) return std::nullopt;
  // Every part goes through its rules, so each refusal is shown.
  GraphModes modes{};
  bool allConfigured = true;
  for (const std::int16_t part : parts.parts()) {
    const auto mode = configsolver(part);
    if (!mode) return std::nullopt;
    allConfigured = allConfigured && isConfiguredMode(*mode);
    // Judged on the points as configured: a clockwise exchange may move point A out of range.
    const bool slope = rules_.usesSlope(part);
    modes[static_cast<std::size_t>(part)] = static_cast<std::int16_t>(slope ? *mode + kPointAOnlyMode : *mode);
  }
  if (!allConfigured) return std::nullopt;
  return modes;
}

bool SolverProgramming::prepareAll(PartSet parts) {
  bool prepared = true;
  for (const std::int16_t part : parts.parts())
    prepared = rules_.PrepareSettings(part, settings_.entries(part), variant_.clampOrderPrefix) && prepared;
  return prepared;
}

std::optional<std::int16_t> SolverProgramming::configsolver(std::int16_t part) {
  const PartEntries entries = settings_.entries(part);
  const Configuration configuration = rules_.configsolver(part, entries);
  if (configuration.emptyLevelB) settings_.emptyLevel(part, 1);
  if (!isConfiguredMode(configuration.mode)) return configuration.mode;
  // The record names the slope the points were placed by.
  calls().notes().slopeInUse(part,
                             rules_.usesSlope(part) ? std::optional(rules_.targets(part).PointSlope) : std::nullopt);
  const std::int32_t offsetFlag = solverOffsetFlag(settings_.outputMode(part).outMode);
  if (!calls().StoreInSolver(part, rules_.solverSettings(part, entries.values), offsetFlag)) return std::nullopt;
  return configuration.mode;
}

bool SolverProgramming::ConfigureSolver(PartSet parts, std::int16_t part, std::int16_t mode) {
  if (!modes_.EnsureOwiMode(parts)) {
    message(QLatin1String(device_text::kNotInOwiMode));
    return false;
  }
  if (!isConfiguredMode(mode)) {
    message(QStringLiteral("Error Config Solver in programee_click"));
    return false;
  }
  WaitNotice wait(owner_, qText(expandPattern(variant_.configuringText, part, 0, std::nullopt)));
  if (rules_.switchGiven(part) && !StoreSwitchSettings(part)) return false;
  const auto copied = calls().CopySolverSettingsToParameters(part);
  if (!copied) return false;
  if (*copied != 0) {
    if (const std::string text = device_text::solverCopyMessage(*copied); !text.empty())
      message(QString::fromStdString(text));
    return false;
  }
  const OutputMode output = settings_.outputMode(part);
  const auto pwm = calls().PWM_mode(part, output.outMode, output.pwmFreq, output.pwmPolarity);
  if (!pwm) return false;
  // A chip whose output mode was not set is not stored.
  if (*pwm != 0) {
    message(QStringLiteral("Failed to set output mode"));
    return false;
  }
  return true;
}

bool SolverProgramming::StoreSwitchSettings(std::int16_t part) {
  return calls().StoreInSolver(part, rules_.switchSettings(part), solverOffsetFlag(settings_.outputMode(part).outMode));
}

bool SolverProgramming::ProgramEeprom(PartSet parts, rx041::records::EepromContents contents) {
  if (!modes_.EnsureOwiMode(parts)) {
    message(QLatin1String(device_text::kNotInOwiMode));
    return true;
  }
  return mayGoOn(storeAndReenterOwi(modes_.machine(), parts, contents));
}

bool SolverProgramming::ClearSolver(PartSet parts) {
  if (!modes_.EnsureOwiMode(parts)) {
    message(QLatin1String(device_text::kNotInOwiMode));
    return true;
  }
  bool failed = false;
  for (const std::int16_t part : parts.parts()) {
    const auto cleared = calls().ClearSolverSettings(part);
    if (!cleared) return false;
    failed = failed || *cleared != 0;
  }
  if (failed) message(qText(variant_.clearFailed));
  return true;
}

}  // namespace rx41
