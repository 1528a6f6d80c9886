#pragma once
// ZQ3902Device: the connection to the programmer, power and modes, measurement,
// EEPROM programming, DAC calibration, version, PWM mode and angle. Owns the
// solver and advanced objects, which it creates on first use.
#include <memory>

#include "device_core.h"
#include "rx041/device/device_interfaces.h"
#include "rx041/device/programmer_line.h"
#include "zq3902_advanced.h"
#include "zq3902_solver.h"

namespace rx041::zq3902 {

class Zq3902Device final : public IZQ3902Device, public IProgrammerLine {
 public:
  // channel: Chanlink's SerialChannel, or null when it could not be created;
  // every operation then reports its failure result at once.
  explicit Zq3902Device(std::shared_ptr<chanlink::ISerialChannel> channel);

  HRESULT ConnectChannel(const Variant& Param, std::int32_t* pVal) override;
  HRESULT Destroy(VARIANT_BOOL Flag) override;
  HRESULT ProgramDevice(std::int32_t ChipIndex, std::int32_t* pVal) override;
  HRESULT Measure(std::int32_t ChipIndex, MeasureTypes paramType, float* pVal) override;
  HRESULT MeasureVdd(std::int32_t ChipIndex, float* pVal) override;
  HRESULT get_Advanced(std::shared_ptr<IZQ3902Advanced>* pVal) override;
  HRESULT GetAngle(std::int32_t ChipIndex, float* pfAngle) override;
  HRESULT get_Solver(std::shared_ptr<IZQ3902Solver>* pVal) override;
  HRESULT Customized_EnterOWI(std::int32_t ChipIndex, std::int32_t* pVal) override;
  HRESULT Customized_QuitOWI(std::int32_t ChipIndex, std::int32_t* pVal) override;
  HRESULT Customized_PowerOn(std::int32_t ChipIndex, std::int32_t* pVal) override;
  HRESULT Customized_Mode0V(std::int32_t ChipIndex, std::int32_t* pVal) override;
  HRESULT Customized_PowerOff(std::int32_t ChipIndex, std::int32_t* pVal) override;
  HRESULT Customized_SetADCMode(std::int32_t ChipIndex, std::int32_t* pVal) override;
  HRESULT DAC_calibration(std::int32_t ChipIndex, float* SysOsK0, float* SysOsB0, float* SysOsK1, float* SysOsB1,
                          std::int32_t* pVal) override;
  HRESULT ProgrammerVersion(std::int32_t* major, std::int32_t* minor, std::int32_t* build, std::int32_t* pVal) override;
  HRESULT PWM_mode(std::int32_t ChipIndex, std::int32_t OutMode, std::int32_t PWMFreq, std::int32_t PWMPolarity,
                   std::int32_t* pVal) override;

  ProgrammerLine programmerLine() const override { return core_->programmerLine(); }

 private:
  std::shared_ptr<Zq3902Advanced> advanced();
  std::shared_ptr<Zq3902Solver> solver();

  // The companions hold only a weak reference to the core, so they fail
  // safely once this device is gone.
  std::shared_ptr<DeviceCore> core_;
  std::shared_ptr<Zq3902Advanced> advanced_;
  std::shared_ptr<Zq3902Solver> solver_;
};

}  // namespace rx041::zq3902
