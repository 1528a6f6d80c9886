#include "zq3902_solver.h"

#include "register_conversion.h"

namespace rx041::zq3902 {
namespace {

using transport::traceClock;

constexpr std::int32_t kUnavailable = 1;  // bad ChipIndex, or the device is gone
constexpr std::int32_t kLockRegister = 0x1C;
constexpr std::int32_t kLockBit = 0x10;
constexpr std::int32_t kLockWriteFailed = 3;
constexpr std::int32_t kLockReadFailed = 4;
constexpr std::int32_t kLockDidNotTake = 5;
constexpr auto kLockSettleTime = std::chrono::milliseconds(100);

RegisterReader chipReader(DeviceCore& device, std::int32_t chipIndex) {
  return [&device, chipIndex](std::int32_t address) { return device.commands().CmdReadByteAddr(chipIndex, address); };
}

}  // namespace

void Zq3902Solver::InitializeSolver(const std::shared_ptr<DeviceCore>& device) {
  if (device) device_ = device;
  if (const auto bound = device_.lock())
    bound->trace().write("%ld: Called InitializeSolver KVT Lib Solver\n", traceClock());
}

std::shared_ptr<DeviceCore> Zq3902Solver::deviceFor(std::int32_t chipIndex) const {
  return DeviceCore::isSinglePart(chipIndex) ? device_.lock() : nullptr;
}

HRESULT Zq3902Solver::Commlock(std::int32_t ChipIndex, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  const auto device = deviceFor(ChipIndex);
  if (!device) {
    *pVal = kUnavailable;
    return com::S_OK;
  }
  CommandLayer& commands = device->commands();
  const std::int32_t lock = commands.CmdReadByteAddr(ChipIndex, kLockRegister);
  if (lock == kReadFailed) {
    *pVal = kLockReadFailed;
    return com::S_OK;
  }
  device->settle(kLockSettleTime);
  const std::int32_t locked = lock | kLockBit;
  if (device->writeRegister(ChipIndex, kLockRegister, locked) != kCommandOk) {
    *pVal = kLockWriteFailed;
    return com::S_OK;
  }
  // A chip may acknowledge a write it did not take (a worn cell): the EEPROM
  // is stored only from a lock register that reads back as written.
  if (commands.CmdReadByteAddr(ChipIndex, kLockRegister) != locked) {
    *pVal = kLockDidNotTake;
    return com::S_OK;
  }
  *pVal = device->programDevice(ChipIndex);
  return com::S_OK;
}

HRESULT Zq3902Solver::CopySolverSettingsToParameters(std::int32_t ChipIndex, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  const auto device = deviceFor(ChipIndex);
  if (!device) {
    *pVal = kUnavailable;
    return com::S_OK;
  }
  const std::int32_t converted =
      convertSettingsToImage(device->part(ChipIndex), ChipIndex, chipReader(*device, ChipIndex));
  *pVal = converted == kConversionDone ? device->writeBufToDevice(ChipIndex) : converted;
  return com::S_OK;
}

HRESULT Zq3902Solver::ClearSolverSettings(std::int32_t ChipIndex, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  const auto device = deviceFor(ChipIndex);
  if (!device) {
    *pVal = kUnavailable;
    return com::S_OK;
  }
  const std::int32_t cleared = buildClearedImage(device->part(ChipIndex), chipReader(*device, ChipIndex));
  *pVal = cleared == kConversionDone ? device->writeBufToDevice(ChipIndex) : cleared;
  return com::S_OK;
}

}  // namespace rx041::zq3902
