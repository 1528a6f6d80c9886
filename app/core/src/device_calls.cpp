#include "rx41/core/device_calls.h"

#include <cstdlib>

#include "rx041/device/programmer_line.h"
#include "rx41/rules/device_texts.h"

namespace rx41 {

using rx041::com::HRESULT;
using rx041::zq3902::IZQ3902Advanced;
using rx041::zq3902::IZQ3902Device;
using rx041::zq3902::IZQ3902Solver;

namespace {

constexpr const char* kDeviceInterface = "IZQ3902Device";
constexpr const char* kSolverInterface = "IZQ3902Solver";
constexpr const char* kAdvancedInterface = "IZQ3902Advanced";
constexpr std::int32_t kFailedRead = 511;
constexpr float kAdcTimeoutLimit = -100.0f;
constexpr std::int32_t kBadChipIndex = 1;
constexpr std::int32_t kSettingStored = 0;
constexpr std::int32_t kLockedFirst = 240, kLockedLast = 255;
// The calibration status bits of each part's gain and offset.
constexpr long kPartStatusBits[2] = {0x3, 0xC};

}  // namespace

DeviceCalls::DeviceCalls(AppState& state, OperatorInterface& operatorInterface, QWidget* owner)
    : state_(state), operator_(operatorInterface), owner_(owner) {}

void DeviceCalls::reportFailure(const QString& text) {
  lastFailure_ = text;
  operator_.message(text, owner_);
}

IZQ3902Device* DeviceCalls::device() {
  IZQ3902Device* dev = state_.Device.get();
  if (!dev) reportFailure(QLatin1String(device_text::kOfflineMode));
  return dev;
}

bool programmerLineOpen(const IZQ3902Device& device) {
  const auto* line = dynamic_cast<const rx041::zq3902::IProgrammerLine*>(&device);
  return !line || line->programmerLine() == rx041::zq3902::ProgrammerLine::Connected;
}

bool DeviceCalls::succeeded(HRESULT status, const char* object, const char* member) {
  // Checked first: on a dead line every result is a failure value that would blame the chip.
  if (programmerLost()) {
    if (!lineFailureTold_) reportFailure(QLatin1String(device_text::kProgrammerLost));
    lineFailureTold_ = true;
    return false;
  }
  if (rx041::com::succeeded(status)) return true;
  reportFailure(QString::fromStdString(device_text::methodFailed(object, member)));
  return false;
}

template <class Object>
std::shared_ptr<Object> DeviceCalls::companion(HRESULT (IZQ3902Device::*getter)(std::shared_ptr<Object>*),
                                               const char* property) {
  IZQ3902Device* dev = device();
  if (!dev) return nullptr;
  std::shared_ptr<Object> object;
  const HRESULT status = (dev->*getter)(&object);
  // A property that hands out nothing is as much a failed call as an error status.
  if (!succeeded(rx041::com::succeeded(status) && !object ? rx041::com::E_POINTER : status, kDeviceInterface, property))
    return nullptr;
  return object;
}

std::shared_ptr<IZQ3902Advanced> DeviceCalls::advanced() { return companion(&IZQ3902Device::get_Advanced, "Advanced"); }

std::shared_ptr<IZQ3902Solver> DeviceCalls::solver() { return companion(&IZQ3902Device::get_Solver, "Solver"); }

std::optional<std::int32_t> DeviceCalls::chipOperation(ChipOperation operation, const char* member, std::int32_t chip) {
  IZQ3902Device* dev = device();
  std::int32_t result = 0;
  if (!dev || !succeeded((dev->*operation)(chip, &result), kDeviceInterface, member)) return std::nullopt;
  return result;
}

std::optional<float> DeviceCalls::MeasureVdd(std::int32_t chip) {
  IZQ3902Device* dev = device();
  float volts = 0.0f;
  if (!dev || !succeeded(dev->MeasureVdd(chip, &volts), kDeviceInterface, "MeasureVdd")) return std::nullopt;
  // The device keeps a supply voltage only from a reading it got.
  if (volts >= kAdcTimeoutLimit) notes_.vddMeasured(chip, volts);
  return volts;
}

std::optional<float> DeviceCalls::Measure(std::int32_t chip, rx041::zq3902::MeasureTypes type) {
  IZQ3902Device* dev = device();
  float value = 0.0f;
  if (!dev || !succeeded(dev->Measure(chip, type, &value), kDeviceInterface, "Measure")) return std::nullopt;
  return value;
}

std::optional<float> DeviceCalls::GetAngle(std::int32_t chip) {
  IZQ3902Device* dev = device();
  float angle = 0.0f;
  if (!dev || !succeeded(dev->GetAngle(chip, &angle), kDeviceInterface, "GetAngle")) return std::nullopt;
  return angle;
}

std::optional<std::int32_t> DeviceCalls::ProgramDevice(std::int32_t chip) {
  return chipOperation(&IZQ3902Device::ProgramDevice, "ProgramDevice", chip);
}

std::optional<std::int32_t> DeviceCalls::PWM_mode(std::int32_t chip, std::int32_t outMode, std::int32_t pwmFreq,
                                                  std::int32_t pwmPolarity) {
  IZQ3902Device* dev = device();
  std::int32_t result = 0;
  if (!dev || !succeeded(dev->PWM_mode(chip, outMode, pwmFreq, pwmPolarity, &result), kDeviceInterface, "PWM_mode"))
    return std::nullopt;
  notes_.pwmModeSent(chip, outMode, pwmFreq, pwmPolarity);
  return result;
}

std::optional<ProgrammerVersionInfo> DeviceCalls::ProgrammerVersion() {
  IZQ3902Device* dev = device();
  ProgrammerVersionInfo version;
  if (!dev || !succeeded(dev->ProgrammerVersion(&version.major, &version.minor, &version.build, &version.result),
                         kDeviceInterface, "ProgrammerVersion"))
    return std::nullopt;
  return version;
}

std::optional<DacCalibrationResult> DeviceCalls::DAC_calibration(std::int32_t chip) {
  IZQ3902Device* dev = device();
  DacCalibrationResult calibration;
  if (!dev || !succeeded(dev->DAC_calibration(chip, &calibration.k[0], &calibration.b[0], &calibration.k[1],
                                              &calibration.b[1], &calibration.result),
                         kDeviceInterface, "DAC_calibration"))
    return std::nullopt;
  return calibration;
}

std::optional<std::int32_t> DeviceCalls::solverResult(SolverOperation operation, const char* member,
                                                      std::int32_t chip) {
  const auto object = solver();
  std::int32_t result = 0;
  if (!object || !succeeded(((*object).*operation)(chip, &result), kSolverInterface, member)) return std::nullopt;
  return result;
}

std::optional<std::int32_t> DeviceCalls::ClearSolverSettings(std::int32_t chip) {
  const auto result = solverResult(&IZQ3902Solver::ClearSolverSettings, "ClearSolverSettings", chip);
  // The device ends the switch settings of any part it takes, whatever its writes gave.
  if (result && *result != kBadChipIndex) notes_.solverCleared(chip);
  return result;
}

std::optional<std::int32_t> DeviceCalls::CopySolverSettingsToParameters(std::int32_t chip) {
  return solverResult(&IZQ3902Solver::CopySolverSettingsToParameters, "CopySolverSettingsToParameters", chip);
}

std::optional<std::int32_t> DeviceCalls::Commlock(std::int32_t chip) {
  return solverResult(&IZQ3902Solver::Commlock, "Commlock", chip);
}

std::optional<std::int32_t> DeviceCalls::MemRead(std::int32_t chip, std::int32_t address) {
  const auto object = advanced();
  std::int32_t value = 0;
  if (!object || !succeeded(object->MemRead(chip, address, &value), kAdvancedInterface, "MemRead")) return std::nullopt;
  return value;
}

bool DeviceCalls::MemWrite(std::int32_t chip, std::int32_t address, std::int32_t data) {
  const auto object = advanced();
  return object && succeeded(object->MemWrite(chip, address, data), kAdvancedInterface, "MemWrite");
}

bool DeviceCalls::SetSolverSetting(std::int32_t chip, const SolverSetting& setting, std::int32_t offsetFlag) {
  const auto object = advanced();
  std::int32_t result = 0;
  if (!object || !succeeded(object->SetSolverSetting(chip, setting.code, setting.value, offsetFlag, &result),
                            kAdvancedInterface, "SetSolverSetting"))
    return false;
  if (const auto value = setting.value.toFloat(); value && result == kSettingStored)
    notes_.settingSent(chip, setting.code, *value, offsetFlag);
  return true;
}

std::optional<float> DeviceCalls::readAngle(std::int16_t part) {
  const auto angle = GetAngle(part);
  if (!angle) return std::nullopt;
  if (!(*angle >= 0.0f && *angle < 360.0f)) {
    reportFailure(QLatin1String(device_text::kReadError));
    return std::nullopt;
  }
  return angle;
}

bool DeviceCalls::StoreInSolver(std::int16_t part, std::span<const SolverSetting> settings, std::int32_t offsetFlag) {
  if (!state_.Device) {
    operator_.message(QLatin1String(device_text::kNotConnectedForSolver), owner_);
    return false;
  }
  for (const SolverSetting& setting : settings)
    if (!SetSolverSetting(part, setting, offsetFlag)) return false;
  return true;
}

bool DeviceCalls::ValidateChipID(std::int16_t part, std::int32_t chipid, CommLockRecording recording) {
  notes_.chipIdentified(part, chipid);
  if (chipid >= kLockedFirst && chipid <= kLockedLast) {
    operator_.message(QLatin1String(device_text::kCommLocked) + QString::number(chipid, 16).toUpper(), owner_);
    if (recording == CommLockRecording::Record) state_.CommLocked[part] = kTrue16;
    return false;
  }
  // The part is named: of a pair, the operator must know which chip is missing.
  if (chipid == kFailedRead) {
    operator_.message(QString::fromStdString(device_text::notAnswering(PartSet::part(part))), owner_);
    return false;
  }
  return true;
}

void DeviceCalls::CalibrateDac(PartSet parts) {
  const auto calibration = DAC_calibration(parts.chipIndex());
  if (!calibration) return;
  const long bits = std::labs(static_cast<long>(calibration->result));
  for (const std::int16_t part : parts.parts()) {
    const bool invalid = (bits & kPartStatusBits[part]) != 0;
    // A pair keeps a part's old values when its own calibration failed.
    if (!invalid || !parts.isPair()) {
      state_.DacK[part] = calibration->k[part];
      state_.DacB[part] = calibration->b[part];
    }
    if (invalid)
      operator_.message(
          QString::fromStdString(device_text::invalidOffsets(part, calibration->k[part], calibration->b[part])),
          owner_);
  }
}

}  // namespace rx41
