#pragma once
// ZQ3902Advanced: raw register access over OWI and the entry of solver settings.
#include <memory>

#include "device_core.h"
#include "rx041/device/device_interfaces.h"

namespace rx041::zq3902 {

class Zq3902Advanced final : public IZQ3902Advanced {
 public:
  // Binds the object to its device; a null device keeps the current binding.
  // Once the device is gone every operation fails without touching anything.
  void InitializeAdvanced(const std::shared_ptr<DeviceCore>& device);

  HRESULT MemWrite(std::int32_t ChipIndex, std::int32_t Addr, std::int32_t Data) override;
  HRESULT MemRead(std::int32_t ChipIndex, std::int32_t Addr, std::int32_t* pData) override;
  HRESULT SetSolverSetting(std::int32_t ChipIndex, SolverSettingCodes settingID, const Variant& Value,
                           std::int32_t bOffset, std::int32_t* pVal) override;
  HRESULT get_ChipVersion(std::int32_t ChipIndex, std::int32_t* pVal) override;

 private:
  std::weak_ptr<DeviceCore> device_;
};

}  // namespace rx041::zq3902
