#include "zq3902_device.h"

#include "dac_calibration.h"
#include "rx041/component/registry.h"
#include "server_lifetime.h"

namespace rx041::zq3902 {
namespace {

using transport::traceClock;

constexpr std::int32_t kAngleHighRegister = 73;
constexpr std::int32_t kAngleLowRegister = 74;
constexpr double kDegreesPerAngleCode = 0.015625;  // 1/64
constexpr std::int32_t kCalibrationBadChip = 1;
constexpr std::int32_t kPwmReadFailed = 2;

// A companion class by its ProgID, as any client would create it; the
// library's own class when the registry cannot supply it.
template <class Companion>
std::shared_ptr<Companion> createCompanion(std::string_view progId) {
  if (auto made = com::query<Companion>(com::createObject(progId).object)) return made;
  return serverLifetime().make<Companion>();
}

HRESULT reportResult(std::int32_t* pVal, std::int32_t result) {
  *pVal = result;
  return com::S_OK;
}

}  // namespace

Zq3902Device::Zq3902Device(std::shared_ptr<chanlink::ISerialChannel> channel)
    : core_(std::make_shared<DeviceCore>(std::move(channel))) {}

std::shared_ptr<Zq3902Advanced> Zq3902Device::advanced() {
  if (!advanced_) {
    advanced_ = createCompanion<Zq3902Advanced>("ZQ3902Module.ZQ3902Advanced");
    advanced_->InitializeAdvanced(core_);
  }
  return advanced_;
}

std::shared_ptr<Zq3902Solver> Zq3902Device::solver() {
  if (!solver_) {
    solver_ = createCompanion<Zq3902Solver>("ZQ3902Module.ZQ3902Solver");
    solver_->InitializeSolver(core_);
  }
  return solver_;
}

HRESULT Zq3902Device::ConnectChannel(const Variant& Param, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  return reportResult(pVal, core_->connectChannel(Param));
}

HRESULT Zq3902Device::Destroy(VARIANT_BOOL Flag) {
  core_->destroy(Flag);
  return com::S_OK;
}

HRESULT Zq3902Device::ProgramDevice(std::int32_t ChipIndex, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  return reportResult(pVal, core_->programDevice(ChipIndex));
}

HRESULT Zq3902Device::Measure(std::int32_t ChipIndex, MeasureTypes paramType, float* pVal) {
  if (!pVal) return com::E_POINTER;
  *pVal = core_->measure(ChipIndex, paramType);
  return com::S_OK;
}

HRESULT Zq3902Device::MeasureVdd(std::int32_t ChipIndex, float* pVal) {
  if (!pVal) return com::E_POINTER;
  *pVal = core_->measureVdd(ChipIndex);
  return com::S_OK;
}

HRESULT Zq3902Device::get_Advanced(std::shared_ptr<IZQ3902Advanced>* pVal) {
  if (!pVal) return com::E_POINTER;
  core_->trace().write("%ld: Called get_Advanced KVT Lib Device\n", traceClock());
  *pVal = advanced();
  return com::S_OK;
}

HRESULT Zq3902Device::get_Solver(std::shared_ptr<IZQ3902Solver>* pVal) {
  if (!pVal) return com::E_POINTER;
  core_->trace().write("%ld: Called get_Solver KVT Lib Device\n", traceClock());
  *pVal = solver();
  return com::S_OK;
}

HRESULT Zq3902Device::GetAngle(std::int32_t ChipIndex, float* pfAngle) {
  if (!pfAngle) return com::E_POINTER;
  const auto reader = advanced();
  const long start = traceClock();
  // A failed read enters the formula as 511, far outside 0..360 degrees.
  std::int32_t high = kReadFailed;
  std::int32_t low = kReadFailed;
  reader->MemRead(ChipIndex, kAngleHighRegister, &high);
  reader->MemRead(ChipIndex, kAngleLowRegister, &low);
  *pfAngle = static_cast<float>((high * 256 + low) * kDegreesPerAngleCode);
  const long now = traceClock();
  core_->trace().write("%ld: CmdReadProgrammerADCvalue time cost is %ld\n", now, now - start);
  return com::S_OK;
}

HRESULT Zq3902Device::Customized_EnterOWI(std::int32_t ChipIndex, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  return reportResult(pVal, core_->enterOwi(ChipIndex));
}

HRESULT Zq3902Device::Customized_QuitOWI(std::int32_t ChipIndex, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  return reportResult(pVal, core_->quitOwi(ChipIndex));
}

HRESULT Zq3902Device::Customized_PowerOn(std::int32_t ChipIndex, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  return reportResult(pVal, core_->powerOn(ChipIndex));
}

HRESULT Zq3902Device::Customized_Mode0V(std::int32_t ChipIndex, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  return reportResult(pVal, core_->mode0V(ChipIndex));
}

HRESULT Zq3902Device::Customized_PowerOff(std::int32_t ChipIndex, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  return reportResult(pVal, core_->powerOff(ChipIndex));
}

HRESULT Zq3902Device::Customized_SetADCMode(std::int32_t ChipIndex, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  return reportResult(pVal, core_->setAdcMode(ChipIndex));
}

HRESULT Zq3902Device::DAC_calibration(std::int32_t ChipIndex, float* SysOsK0, float* SysOsB0, float* SysOsK1,
                                      float* SysOsB1, std::int32_t* pVal) {
  if (!SysOsK0 || !SysOsB0 || !SysOsK1 || !SysOsB1 || !pVal) return com::E_POINTER;
  if (!DeviceCore::isSinglePart(ChipIndex) && ChipIndex != kBothParts) return reportResult(pVal, kCalibrationBadChip);
  const DacCalibration calibration = calibrateDac(*core_, ChipIndex);
  *SysOsK0 = calibration.k0;
  *SysOsB0 = calibration.b0;
  *SysOsK1 = calibration.k1;
  *SysOsB1 = calibration.b1;
  return reportResult(pVal, calibration.status);
}

HRESULT Zq3902Device::ProgrammerVersion(std::int32_t* major, std::int32_t* minor, std::int32_t* build,
                                        std::int32_t* pVal) {
  if (!major || !minor || !build || !pVal) return com::E_POINTER;
  const VersionReply version = core_->commands().CmdReadVersion();
  *major = version.major;
  *minor = version.minor;
  *build = version.build;
  return reportResult(pVal, version.result);
}

HRESULT Zq3902Device::PWM_mode(std::int32_t ChipIndex, std::int32_t OutMode, std::int32_t PWMFreq,
                               std::int32_t PWMPolarity, std::int32_t* pVal) {
  if (!pVal) return com::E_POINTER;
  CommandLayer& commands = core_->commands();
  // The bits beside the new fields are kept from the chip: without them
  // nothing is written.
  const std::int32_t old1 = commands.CmdReadByteAddr(ChipIndex, 1);
  if (old1 == kReadFailed) return reportResult(pVal, kPwmReadFailed);
  const std::int32_t old2 = commands.CmdReadByteAddr(ChipIndex, 2);
  if (old2 == kReadFailed) return reportResult(pVal, kPwmReadFailed);
  // Frequency code in bits 7..6, polarity in bit 5; output mode in bits 7..6 of register 2.
  core_->writeRegister(ChipIndex, 1, ((((PWMFreq << 1) | PWMPolarity) << 5) | (old1 & 0x1F)) & 0xFF);
  core_->writeRegister(ChipIndex, 2, ((OutMode << 6) | (old2 & 0x3F)) & 0xFF);
  // The write results are not reported.
  return reportResult(pVal, kCommandOk);
}

WrittenImage Zq3902Device::lastWrittenImage(std::int32_t ChipIndex) const { return core_->part(ChipIndex).written; }

}  // namespace rx041::zq3902
