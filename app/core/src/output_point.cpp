#include "rx41/core/output_point.h"

#include "rx41/core/event_pass.h"
#include "rx41/rules/output_check.h"

namespace rx41 {
namespace {

constexpr std::int32_t kIdentificationRegister = 0x48;
constexpr std::int32_t kHighestByte = 0xFF;
// Measure gives -101 for an ADC time-out and -100 for an unknown measure type.
constexpr float kNoReading = -100.0f;

std::optional<float> angleInOwiMode(StateMachine& machine, std::int16_t part) {
  if (!machine.ensureOwiMode(part)) return std::nullopt;
  return machine.calls().readAngle(part);
}

}  // namespace

void returnToMode(StateMachine& machine, std::int16_t part, std::int32_t mode) {
  const std::int32_t current = machine.state().ChipState[part];
  if (current == mode || machine.calls().programmerLost() || machine.state().ProgrammerState != kConnected) return;
  machine.ChipChangeToState(part, current, mode);
}

std::optional<OutputPointReading> measureOutputPoint(StateMachine& machine, std::int16_t part) {
  DeviceCalls& calls = machine.calls();
  calls.beginAction();
  const std::int32_t modeBefore = machine.state().ChipState[part];
  const auto refuse = [&] {
    returnToMode(machine, part, modeBefore);
    return std::optional<OutputPointReading>();
  };

  OutputPointReading reading;
  const auto before = angleInOwiMode(machine, part);
  if (!before) return refuse();
  reading.angleBefore = *before;
  const auto chipId = calls.MemRead(part, kIdentificationRegister);
  if (!chipId) return refuse();
  if (*chipId >= 0 && *chipId <= kHighestByte) reading.chipId = *chipId;

  // The chip runs normally only out of OWI mode, and the ADC must be on its output.
  if (!machine.ChipChangeToState(part, kOwiMode, kAdcMode)) return refuse();
  if (!calls.chipOperation(&DeviceCalls::Device::Customized_Mode0V, "Customized_Mode0V", part)) return refuse();
  waitLettingScreenPaint(kOutputSettling);
  const auto output = calls.Measure(part, rx041::zq3902::MeasPercentVDD);
  if (!output) return refuse();
  if (*output <= kNoReading) {
    calls.reportFailure(QStringLiteral("%1: the output could not be measured (ADC time-out)")
                            .arg(QString::fromStdString(partName(part))));
    return refuse();
  }
  reading.output = *output;

  const auto after = angleInOwiMode(machine, part);
  if (!after) return refuse();
  reading.angleAfter = *after;
  returnToMode(machine, part, modeBefore);
  if (angleDistance(reading.angleBefore, reading.angleAfter) > kMagnetMovedLimit) {
    calls.operatorInterface().message(QLatin1String(kMagnetMoved), calls.owner());
    return std::nullopt;
  }
  return reading;
}

}  // namespace rx41
