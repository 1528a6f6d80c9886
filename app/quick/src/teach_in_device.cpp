#include "rx41/quick/teach_in_device.h"

#include <QWidget>
#include <cstdlib>

#include "rx41/number_text.h"

namespace rx41 {

using rx041::com::HRESULT;
using rx041::zq3902::IZQ3902Advanced;
using rx041::zq3902::IZQ3902Device;
using rx041::zq3902::IZQ3902Solver;

namespace {

constexpr std::int32_t kChipIdRegister = 0x48;
constexpr std::int32_t kFailedRead = 511;
// The solver settings carry levels and clamps through the DAC correction.
constexpr std::int32_t kApplyDacOffset = 1;

}  // namespace

QString solverCopyMessage(std::int32_t result) {
  switch (result) {
    case 1: return QStringLiteral("Chip Index Error!");
    case 2: return QStringLiteral("Error in WriteBufferToDevice!");
    case 3: return QStringLiteral("Die1: Clamp High <= Clamp Low!");
    case 4: return QStringLiteral("Die2: Clamp High <= Clamp Low!");
    default: return {};
  }
}

TeachInDevice::TeachInDevice(StateMachine& machine, QWidget* owner) : machine_(machine), owner_(owner) {}

void TeachInDevice::EnsureOwiMode(std::int16_t part) { machine_.ensureOwiMode(part); }

void TeachInDevice::ReturnToAdcMode(std::int16_t part) { machine_.returnToAdcMode(part); }

void TeachInDevice::PowerOffIfPrepared(std::int16_t part) {
  if (!prepared_) return;
  machine_.ChipChangeToState(part, machine_.state().ChipState[part], kPowerOff);
  prepared_ = false;
}

bool TeachInDevice::inOwiMode(std::int16_t part) const { return machine_.state().ChipState[part] == kOwiMode; }

bool TeachInDevice::PrepareChip(std::int16_t part) {
  if (prepared_) return false;
  prepared_ = true;
  WaitNotice wait(owner_, QStringLiteral("Getting VDD of device...  Please Wait..."));
  const auto stop = [&] {
    PowerOffIfPrepared(part);
    return false;
  };

  ReturnToAdcMode(part);
  IZQ3902Device* dev = device();
  float vdd = 0.0f;
  if (!dev || !succeeded(dev->MeasureVdd(part, &vdd), "IZQ3902Device", "MeasureVdd")) return stop();
  if (vdd < -100.0f) return stop();

  EnsureOwiMode(part);
  wait.change(QStringLiteral("Verifying communication status... Please Wait..."));
  const auto chipid = readRegister(part, kChipIdRegister);
  if (!chipid) return stop();
  if (!ValidateChipID(part, *chipid)) {
    message(QStringLiteral("Please Reset hardware and try again!"));
    return stop();
  }

  wait.change(QStringLiteral("Clearing Solver...  Please Wait..."));
  const auto cleared = solverResult(part, &IZQ3902Solver::ClearSolverSettings, "ClearSolverSettings");
  if (!cleared) return stop();
  if (*cleared != 0) message(QStringLiteral("Errors in ClearSolverSettings!"));

  wait.change(QStringLiteral("Programming EEPROM...  Please Wait..."));
  const auto programmed = programDevice(part);
  if (!programmed) return stop();
  if (*programmed != 0) message(QStringLiteral("Failed in programming device"));
  machine_.ChipChangeToState(part, kOwiMode, kOwiMode);

  wait.change(QStringLiteral("System is self correcting... Please Wait..."));
  CalibrateDac(part);
  return true;
}

bool TeachInDevice::ValidateChipID(std::int16_t /*part*/, std::int32_t chipid) {
  if (chipid >= 240 && chipid <= 255) {
    message(QStringLiteral("OWI communication is locked: ") + QString::number(chipid, 16).toUpper());
    return false;
  }
  if (chipid == kFailedRead) {
    message(QStringLiteral("Read Error! Please Check chip connections!"));
    return false;
  }
  return true;
}

void TeachInDevice::CalibrateDac(std::int16_t part) {
  IZQ3902Device* dev = device();
  if (!dev) return;
  float k0 = 0.0f, b0 = 0.0f, k1 = 0.0f, b1 = 0.0f;
  std::int32_t status = 0;
  if (!succeeded(dev->DAC_calibration(part, &k0, &b0, &k1, &b1, &status), "IZQ3902Device", "DAC_calibration")) return;
  const auto bits = std::llabs(status);
  AppState& state = machine_.state();
  const auto invalid = [&](int partNumber, float k, float b) {
    message(QStringLiteral("Offset Parameters of Part#%1 are invalid! K%2: %3 B%2: %4")
                .arg(partNumber)
                .arg(partNumber - 1)
                .arg(singleText(k), singleText(b)));
  };
  if (part == 0) {
    state.DacK[0] = k0;
    state.DacB[0] = b0;
    if (bits & 0x3) invalid(1, k0, b0);
  } else if (part == 1) {
    state.DacK[1] = k1;
    state.DacB[1] = b1;
    if (bits & 0xC) invalid(2, k1, b1);
  } else {
    message(QStringLiteral("Error Part number for DAC calibration!"));
  }
}

std::optional<float> TeachInDevice::readAngle(std::int16_t part) {
  IZQ3902Device* dev = device();
  float angle = 0.0f;
  if (!dev || !succeeded(dev->GetAngle(part, &angle), "IZQ3902Device", "GetAngle")) return std::nullopt;
  if (!(angle >= 0.0f && angle < 360.0f)) {
    message(QStringLiteral("Read Error! Please Check chip connections!"));
    return std::nullopt;
  }
  return angle;
}

void TeachInDevice::StoreInSolver(std::int16_t part, std::span<const SolverSetting> settings) {
  if (!machine_.state().Device) {
    message(QStringLiteral("Not Connected! Cannot Perform Store In Solver"));
    return;
  }
  const auto adv = advanced();
  if (!adv) return;
  for (const SolverSetting& setting : settings) {
    std::int32_t result = 0;  // not examined: the copy judges the whole table
    if (!succeeded(adv->SetSolverSetting(part, setting.code, setting.value, kApplyDacOffset, &result),
                   "IZQ3902Advanced", "SetSolverSetting"))
      return;
  }
}

void TeachInDevice::copyAndProgram(std::int16_t part, WaitNotice& wait) {
  const auto copied =
      solverResult(part, &IZQ3902Solver::CopySolverSettingsToParameters, "CopySolverSettingsToParameters");
  if (!copied) return;
  if (*copied != 0) {
    if (const QString text = solverCopyMessage(*copied); !text.isEmpty()) message(text);
    return;
  }
  wait.change(QStringLiteral("Programming EEPROM...  Please Wait..."));
  const auto programmed = programDevice(part);
  if (!programmed) return;
  if (*programmed != 0) message(QStringLiteral("Failed in programming device"));
  machine_.ChipChangeToState(part, kOwiMode, kOwiMode);
}

IZQ3902Device* TeachInDevice::device() {
  IZQ3902Device* dev = machine_.state().Device.get();
  if (!dev) message(QStringLiteral("Error: in Offline mode"));
  return dev;
}

template <class Object>
std::shared_ptr<Object> TeachInDevice::companion(HRESULT (IZQ3902Device::*getter)(std::shared_ptr<Object>*),
                                                 const char* property) {
  IZQ3902Device* dev = device();
  if (!dev) return nullptr;
  std::shared_ptr<Object> object;
  const HRESULT status = (dev->*getter)(&object);
  // A property that hands out nothing is as much a failed call as an error status.
  if (!succeeded(rx041::com::succeeded(status) && !object ? rx041::com::E_POINTER : status, "IZQ3902Device", property))
    return nullptr;
  return object;
}

std::shared_ptr<IZQ3902Advanced> TeachInDevice::advanced() {
  return companion(&IZQ3902Device::get_Advanced, "Advanced");
}

std::shared_ptr<IZQ3902Solver> TeachInDevice::solver() { return companion(&IZQ3902Device::get_Solver, "Solver"); }

std::optional<std::int32_t> TeachInDevice::solverResult(std::int16_t part, SolverOperation operation,
                                                        const char* member) {
  const auto object = solver();
  std::int32_t result = 0;
  if (!object || !succeeded(((*object).*operation)(part, &result), "IZQ3902Solver", member)) return std::nullopt;
  return result;
}

std::optional<std::int32_t> TeachInDevice::programDevice(std::int16_t part) {
  IZQ3902Device* dev = device();
  std::int32_t result = 0;
  if (!dev || !succeeded(dev->ProgramDevice(part, &result), "IZQ3902Device", "ProgramDevice")) return std::nullopt;
  return result;
}

std::optional<std::int32_t> TeachInDevice::readRegister(std::int16_t part, std::int32_t address) {
  const auto object = advanced();
  std::int32_t value = 0;
  if (!object || !succeeded(object->MemRead(part, address, &value), "IZQ3902Advanced", "MemRead")) return std::nullopt;
  return value;
}

bool TeachInDevice::succeeded(HRESULT status, const char* object, const char* member) {
  if (rx041::com::succeeded(status)) return true;
  message(QStringLiteral("Method '%1' of object '%2' failed").arg(QLatin1String(member), QLatin1String(object)));
  return false;
}

void TeachInDevice::message(const QString& text) { machine_.operatorInterface().message(text, owner_); }

}  // namespace rx41
