#pragma once
// ZQ3902Solver: converts a part's settings into chip registers and writes
// them, clears them, and locks the chip's communication.
#include <memory>

#include "device_core.h"
#include "rx041/device/device_interfaces.h"

namespace rx041::zq3902 {

class Zq3902Solver final : public IZQ3902Solver {
 public:
  // Binds the object to its device. Once the device is gone every operation
  // reports 1 without touching anything.
  void InitializeSolver(const std::shared_ptr<DeviceCore>& device);

  HRESULT Commlock(std::int32_t ChipIndex, std::int32_t* pVal) override;
  HRESULT CopySolverSettingsToParameters(std::int32_t ChipIndex, std::int32_t* pVal) override;
  HRESULT ClearSolverSettings(std::int32_t ChipIndex, std::int32_t* pVal) override;

 private:
  // The bound device when it still exists and ChipIndex names one part.
  std::shared_ptr<DeviceCore> deviceFor(std::int32_t chipIndex) const;

  std::weak_ptr<DeviceCore> device_;
};

}  // namespace rx041::zq3902
