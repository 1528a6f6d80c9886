#include "chip.h"

#include <algorithm>
#include <cmath>

#include "solver_curve.h"

namespace rx041::bench {
namespace {

double limitPercent(double value) { return std::clamp(value, 0.0, 100.0); }

// The DAC test levels: 6.25 % per code from 6.25 % at code 0, so that codes
// 0, 7 and 14 lie 315 and 180 degrees of a full-scale curve apart (6.25, 50
// and 93.75 %) and an error-free DAC stays clear of both rails.
double dacTestLevel(int code) { return 6.25 * (code + 1); }

bool isReadOnly(int address) {
  return address == reg::kIdentification || address == reg::kAngleHigh || address == reg::kAngleLow;
}

}  // namespace

void Chip::powerUp() {
  if (powered_) return;
  powered_ = true;
  ram_ = eeprom_;
  locked_ = (eeprom_[reg::kLock] & reg::kLockBit) != 0;
  updateSwitch(true);
}

void Chip::powerDown() {
  powered_ = false;
  ram_.fill(0);
  switchActive_ = false;
}

int Chip::read(int address) const {
  switch (address) {
    case reg::kIdentification:
      // A locked chip shows it in the high nibble of its identification.
      return locked_ ? (0xF0 | (id_ & 0x0F)) : id_;
    case reg::kAngleHigh: return measuredAngleCode() >> 8;
    case reg::kAngleLow: return measuredAngleCode() & 0xFF;
    default: return registerAt(ram_, address);
  }
}

bool Chip::write(int address, int value) {
  if (locked_) return false;
  if (!isReadOnly(address) && !stuck_.test(static_cast<std::size_t>(address & 0xFF)))
    registerAt(ram_, address) = static_cast<std::uint8_t>(value);
  updateSwitch(false);
  return true;
}

bool Chip::erase() {
  if (locked_) return false;
  eeprom_.fill(0);
  return true;
}

bool Chip::store() {
  if (locked_) return false;
  eeprom_ = ram_;
  return true;
}

void Chip::load() {
  ram_ = eeprom_;
  updateSwitch(false);
}

void Chip::setAngle(double degrees) {
  angle_ = std::fmod(degrees, 360.0);
  if (angle_ < 0) angle_ += 360.0;
  updateSwitch(false);
}

void Chip::setDacError(double gain, double offsetPercent) {
  dacGain_ = gain;
  dacOffset_ = offsetPercent;
}

int Chip::measuredAngleCode() const { return static_cast<int>(std::lround(angle_ * 64)); }

double Chip::throughDac(double levelPercent) const { return limitPercent(dacGain_ * levelPercent + dacOffset_); }

double Chip::outputPercent() const {
  if (!powered_) return 0;
  if (ram_[reg::kDacTestEnable] & 0x01) return throughDac(dacTestLevel(ram_[reg::kDacTestCode]));
  const double level = solverLevel(decodeSolverCurve(ram_), angle_);
  if (outputMode(ram_) == OutputMode::Pwm) {
    // A duty cycle has no DAC error; inverted polarity swaps high and low time.
    const double duty = limitPercent(level);
    return pwmInverted(ram_) ? 100.0 - duty : duty;
  }
  return throughDac(level);
}

SwitchOutput Chip::switchOutput() const {
  if (!powered_ || !switchEnabled(ram_)) return SwitchOutput::Disabled;
  return switchActive_ != switchInverted(ram_) ? SwitchOutput::On : SwitchOutput::Off;
}

void Chip::updateSwitch(bool freshStart) {
  if (!powered_) return;
  // Active from the operate point upward; released only below the operate
  // point minus the hysteresis, so small wobbles around it do not chatter.
  const double operatePoint = eighthDegrees(operatePointCode(ram_));
  if (angle_ >= operatePoint)
    switchActive_ = true;
  else if (freshStart || angle_ < operatePoint - switchHysteresisDegrees(ram_))
    switchActive_ = false;
}

}  // namespace rx041::bench
