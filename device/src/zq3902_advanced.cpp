#include "zq3902_advanced.h"

namespace rx041::zq3902 {
namespace {

using transport::traceClock;

constexpr std::int32_t kChipVersionRegister = 0x48;

constexpr std::int32_t kSettingStored = 0;
constexpr std::int32_t kSettingBadChip = 1;
constexpr std::int32_t kSettingUnsupported = 2;

// The clamps and levels are entered as the output should read; with the
// offset flag they are mapped through the part's DAC calibration.
bool takesDacOffset(std::int32_t settingId) {
  switch (settingId) {
    case SolverSettingClampingLow:
    case SolverSettingClampingHigh:
    case SolverTargetLevelPointA:
    case SolverTargetLevelPointB:
    case SolverTargetLevelPointC:
    case SolverTargetLevelPointD: return true;
    default: return false;
  }
}

// Stores the value in the entry's own kind; false when it cannot be read as a
// number (nothing is stored then).
bool storeSetting(SettingsTable& settings, std::int32_t id, const Variant& value, std::int32_t bOffset) {
  if (settings.isInteger(id)) {
    const auto integer = value.toInt32();
    if (integer) settings.setInteger(id, *integer);
    return integer.has_value();
  }
  const auto real = value.toFloat();
  if (!real) return false;
  float stored = *real;
  if (bOffset == 1 && takesDacOffset(id)) {
    const float gain = settings.real(kDacGainSetting);
    const float offset = settings.real(kDacOffsetSetting);
    stored = static_cast<float>((stored - offset) / (gain * 3.6));
  }
  settings.setReal(id, stored);
  return true;
}

}  // namespace

void Zq3902Advanced::InitializeAdvanced(const std::shared_ptr<DeviceCore>& device) {
  if (device) device_ = device;
  if (const auto bound = device_.lock())
    bound->trace().write("%ld: Called InitializeAdvanced KVT Lib Advanced\n", traceClock());
}

HRESULT Zq3902Advanced::MemWrite(std::int32_t ChipIndex, std::int32_t Addr, std::int32_t Data) {
  const auto device = device_.lock();
  if (!device) return com::S_OK;
  const long start = traceClock();
  const std::int32_t result = device->writeRegister(ChipIndex, Addr, Data & 0xFF);
  const long now = traceClock();
  device->trace().write("%ld: MemWriteWithCRC with result:%d and time cost is %ld\n", now, result, now - start);
  return com::S_OK;
}

HRESULT Zq3902Advanced::MemRead(std::int32_t ChipIndex, std::int32_t Addr, std::int32_t* pData) {
  if (!pData) return com::E_POINTER;
  const auto device = device_.lock();
  if (!device) {
    *pData = kReadFailed;
    return com::S_OK;
  }
  *pData = device->commands().CmdReadByteAddr(ChipIndex, Addr);
  device->trace().write("%ld, Called MemRead KVT Lib Advanced with long: %ld\n", traceClock(),
                        static_cast<long>(*pData));
  return com::S_OK;
}

HRESULT Zq3902Advanced::get_ChipVersion(std::int32_t ChipIndex, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  const auto device = device_.lock();
  if (!device) {
    *pVal = kReadFailed;
    return com::S_OK;
  }
  device->trace().write("%ld: Called get_ChipVersion\n", traceClock());
  *pVal = device->commands().CmdReadByteAddr(ChipIndex, kChipVersionRegister);
  return com::S_OK;
}

HRESULT Zq3902Advanced::SetSolverSetting(std::int32_t ChipIndex, SolverSettingCodes settingID, const Variant& Value,
                                         std::int32_t bOffset, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  const auto device = device_.lock();
  if (!device || !DeviceCore::isSinglePart(ChipIndex)) {
    *pVal = kSettingBadChip;
    return com::S_OK;
  }
  PartState& part = device->part(ChipIndex);
  if (!SettingsTable::exists(settingID) || !storeSetting(part.settings, settingID, Value, bOffset)) {
    *pVal = kSettingUnsupported;
    return com::S_OK;
  }
  if (settingID == SolverTargetSwoOp) part.switchConfigured = true;
  *pVal = kSettingStored;
  return com::S_OK;
}

}  // namespace rx041::zq3902
