#pragma once
// The interfaces of the device library ZQ3902Module ("ZQ3902Module 1.0 Type
// Library"). The application creates "ZQ3902Module.ZQ3902Device" by ProgID and
// reaches the solver and advanced objects through its properties.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rx041/component/dispatch.h"

namespace rx041::zq3902 {

using com::HRESULT;
using com::Variant;
using com::VARIANT_BOOL;

enum MeasureTypes : std::int32_t { MeasPercentVDD = 1, MeasVolt = 2 };

enum SolverSettingCodes : std::int32_t {
  SolverSettingClampingLow = 1,
  SolverSettingClampingHigh = 2,
  SolverSettingDP = 3,
  SolverTargetLevelPointA = 4,
  SolverTargetLevelPointB = 5,
  SolverTargetLevelPointC = 6,
  SolverTargetLevelPointD = 7,
  SolverTargetAngleA = 8,
  SolverTargetAngleB = 9,
  SolverTargetAngleC = 10,
  SolverTargetAngleD = 11,
  SolverTargetSwoOp = 12,
  SolverTargetSwoHys = 13,
  SolverTargetSwoPolarity = 14,
};

// "IZQ3902Advanced Interface".
class IZQ3902Advanced : public com::IDispatch {
 public:
  struct Dispid {
    static constexpr com::DispId MemWrite = 1;
    static constexpr com::DispId MemRead = 3;
    static constexpr com::DispId SetSolverSetting = 26;
    static constexpr com::DispId ChipVersion = 30;
  };

  virtual HRESULT MemWrite(std::int32_t ChipIndex, std::int32_t Addr, std::int32_t Data) = 0;
  virtual HRESULT MemRead(std::int32_t ChipIndex, std::int32_t Addr, std::int32_t* pData) = 0;
  virtual HRESULT SetSolverSetting(std::int32_t ChipIndex, SolverSettingCodes settingID, const Variant& Value,
                                   std::int32_t bOffset, std::int32_t* pVal) = 0;
  virtual HRESULT get_ChipVersion(std::int32_t ChipIndex, std::int32_t* pVal) = 0;

  HRESULT invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) override;
  const com::InterfaceInfo& interfaceInfo() const override;
};

// "IZQ3902Solver Interface". Results in pVal:
//   CopySolverSettingsToParameters: 0 written; 1 bad ChipIndex; 2 a register
//     read or write failed; 3 Part#1's, 4 Part#2's clamp high not above its
//     clamp low.
//   ClearSolverSettings: 0 written; 1 bad ChipIndex; 2 a register read or
//     write failed.
//   Commlock: 0 locked and programmed; 1 bad ChipIndex; 2 erase or store
//     failed; 3 lock write failed; 4 lock register read failed; 5 the lock bit
//     did not take: register 0x1C did not read back as written after an
//     acknowledged write (or could not be read back), and nothing was stored.
class IZQ3902Solver : public com::IDispatch {
 public:
  struct Dispid {
    static constexpr com::DispId Commlock = 4;
    static constexpr com::DispId CopySolverSettingsToParameters = 6;
    static constexpr com::DispId ClearSolverSettings = 25;
  };

  virtual HRESULT Commlock(std::int32_t ChipIndex, std::int32_t* pVal) = 0;
  virtual HRESULT CopySolverSettingsToParameters(std::int32_t ChipIndex, std::int32_t* pVal) = 0;
  virtual HRESULT ClearSolverSettings(std::int32_t ChipIndex, std::int32_t* pVal) = 0;

  HRESULT invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) override;
  const com::InterfaceInfo& interfaceInfo() const override;
};

// "IZQ3902Device Interface".
class IZQ3902Device : public com::IDispatch {
 public:
  struct Dispid {
    static constexpr com::DispId ConnectChannel = 8;
    static constexpr com::DispId Destroy = 16;
    static constexpr com::DispId ProgramDevice = 104;
    static constexpr com::DispId Measure = 105;
    static constexpr com::DispId MeasureVdd = 107;
    static constexpr com::DispId Advanced = 109;
    static constexpr com::DispId GetAngle = 111;
    static constexpr com::DispId Solver = 112;
    static constexpr com::DispId Customized_EnterOWI = 118;
    static constexpr com::DispId Customized_QuitOWI = 119;
    static constexpr com::DispId Customized_PowerOn = 120;
    static constexpr com::DispId Customized_Mode0V = 126;
    static constexpr com::DispId Customized_PowerOff = 121;
    static constexpr com::DispId Customized_SetADCMode = 122;
    static constexpr com::DispId DAC_calibration = 123;
    static constexpr com::DispId ProgrammerVersion = 127;
    static constexpr com::DispId PWM_mode = 124;
  };

  virtual HRESULT ConnectChannel(const Variant& Param, std::int32_t* pVal) = 0;
  virtual HRESULT Destroy(VARIANT_BOOL Flag) = 0;
  virtual HRESULT ProgramDevice(std::int32_t ChipIndex, std::int32_t* pVal) = 0;
  virtual HRESULT Measure(std::int32_t ChipIndex, MeasureTypes paramType, float* pVal) = 0;
  virtual HRESULT MeasureVdd(std::int32_t ChipIndex, float* pVal) = 0;
  virtual HRESULT get_Advanced(std::shared_ptr<IZQ3902Advanced>* pVal) = 0;
  virtual HRESULT GetAngle(std::int32_t ChipIndex, float* pfAngle) = 0;
  virtual HRESULT get_Solver(std::shared_ptr<IZQ3902Solver>* pVal) = 0;
  virtual HRESULT Customized_EnterOWI(std::int32_t ChipIndex, std::int32_t* pVal) = 0;
  virtual HRESULT Customized_QuitOWI(std::int32_t ChipIndex, std::int32_t* pVal) = 0;
  virtual HRESULT Customized_PowerOn(std::int32_t ChipIndex, std::int32_t* pVal) = 0;
  virtual HRESULT Customized_Mode0V(std::int32_t ChipIndex, std::int32_t* pVal) = 0;
  virtual HRESULT Customized_PowerOff(std::int32_t ChipIndex, std::int32_t* pVal) = 0;
  virtual HRESULT Customized_SetADCMode(std::int32_t ChipIndex, std::int32_t* pVal) = 0;
  virtual HRESULT DAC_calibration(std::int32_t ChipIndex, float* SysOsK0, float* SysOsB0, float* SysOsK1,
                                  float* SysOsB1, std::int32_t* pVal) = 0;
  virtual HRESULT ProgrammerVersion(std::int32_t* major, std::int32_t* minor, std::int32_t* build,
                                    std::int32_t* pVal) = 0;
  virtual HRESULT PWM_mode(std::int32_t ChipIndex, std::int32_t OutMode, std::int32_t PWMFreq, std::int32_t PWMPolarity,
                           std::int32_t* pVal) = 0;

  HRESULT invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) override;
  const com::InterfaceInfo& interfaceInfo() const override;
};

// Dispatch tables, inline so that callers carry the type information without
// linking the library.
namespace detail {

using com::arg;
using com::DispatchTable;
using com::InvokeKind;
using com::ParamInfo;
using com::VarType;

inline ParamInfo in(std::string_view name, VarType type = VarType::I4) { return {name, type, false}; }
inline ParamInfo out(std::string_view name, VarType type = VarType::I4) { return {name, type, true}; }

// Members of the form (long ChipIndex; long* pVal).
template <class I, HRESULT (I::*Member)(std::int32_t, std::int32_t*)>
HRESULT callChipResult(I& self, std::span<Variant> a, Variant*) {
  std::int32_t value = 0;
  const HRESULT hr = (self.*Member)(arg<std::int32_t>(a, 0), &value);
  a[1] = value;
  return hr;
}

template <class I, HRESULT (I::*Member)(std::int32_t, std::int32_t*)>
typename DispatchTable<I>::Entry chipResult(std::string_view name, com::DispId id) {
  return {{name, id, InvokeKind::Method, {in("ChipIndex"), out("pVal")}}, &callChipResult<I, Member>};
}

template <class I, HRESULT (I::*Member)(std::int32_t, float*)>
HRESULT callChipFloat(I& self, std::span<Variant> a, Variant*) {
  float value = 0;
  const HRESULT hr = (self.*Member)(arg<std::int32_t>(a, 0), &value);
  a[1] = value;
  return hr;
}

inline const DispatchTable<IZQ3902Advanced>& advancedTable() {
  using I = IZQ3902Advanced;
  using D = I::Dispid;
  static const DispatchTable<I> table(
      "IZQ3902Advanced", "IZQ3902Advanced Interface",
      {
          {{"MemWrite", D::MemWrite, InvokeKind::Method, {in("ChipIndex"), in("Addr"), in("Data")}},
           [](I& s, std::span<Variant> a, Variant*) {
             return s.MemWrite(arg<std::int32_t>(a, 0), arg<std::int32_t>(a, 1), arg<std::int32_t>(a, 2));
           }},
          {{"MemRead", D::MemRead, InvokeKind::Method, {in("ChipIndex"), in("Addr"), out("pData")}},
           [](I& s, std::span<Variant> a, Variant*) {
             std::int32_t value = 0;
             const HRESULT hr = s.MemRead(arg<std::int32_t>(a, 0), arg<std::int32_t>(a, 1), &value);
             a[2] = value;
             return hr;
           }},
          {{"SetSolverSetting",
            D::SetSolverSetting,
            InvokeKind::Method,
            {in("ChipIndex"), in("settingID"), in("Value", VarType::Any), in("bOffset"), out("pVal")}},
           [](I& s, std::span<Variant> a, Variant*) {
             std::int32_t value = 0;
             const HRESULT hr =
                 s.SetSolverSetting(arg<std::int32_t>(a, 0), static_cast<SolverSettingCodes>(arg<std::int32_t>(a, 1)),
                                    a[2], arg<std::int32_t>(a, 3), &value);
             a[4] = value;
             return hr;
           }},
          {{"ChipVersion", D::ChipVersion, InvokeKind::PropertyGet, {in("ChipIndex")}, VarType::I4},
           [](I& s, std::span<Variant> a, Variant* r) {
             std::int32_t value = 0;
             const HRESULT hr = s.get_ChipVersion(arg<std::int32_t>(a, 0), &value);
             *r = value;
             return hr;
           }},
      });
  return table;
}

inline const DispatchTable<IZQ3902Solver>& solverTable() {
  using I = IZQ3902Solver;
  using D = I::Dispid;
  static const DispatchTable<I> table(
      "IZQ3902Solver", "IZQ3902Solver Interface",
      {
          chipResult<I, &I::Commlock>("Commlock", D::Commlock),
          chipResult<I, &I::CopySolverSettingsToParameters>("CopySolverSettingsToParameters",
                                                            D::CopySolverSettingsToParameters),
          chipResult<I, &I::ClearSolverSettings>("ClearSolverSettings", D::ClearSolverSettings),
      });
  return table;
}

inline const DispatchTable<IZQ3902Device>& deviceTable() {
  using I = IZQ3902Device;
  using D = I::Dispid;
  static const DispatchTable<I> table(
      "IZQ3902Device", "IZQ3902Device Interface",
      {
          {{"ConnectChannel", D::ConnectChannel, InvokeKind::Method, {in("Param", VarType::Any), out("pVal")}},
           [](I& s, std::span<Variant> a, Variant*) {
             std::int32_t value = 0;
             const HRESULT hr = s.ConnectChannel(a[0], &value);
             a[1] = value;
             return hr;
           }},
          {{"Destroy", D::Destroy, InvokeKind::Method, {in("Flag", VarType::Bool)}},
           [](I& s, std::span<Variant> a, Variant*) { return s.Destroy(arg<com::VariantBool>(a, 0).value); }},
          chipResult<I, &I::ProgramDevice>("ProgramDevice", D::ProgramDevice),
          {{"Measure", D::Measure, InvokeKind::Method, {in("ChipIndex"), in("paramType"), out("pVal", VarType::R4)}},
           [](I& s, std::span<Variant> a, Variant*) {
             float value = 0;
             const HRESULT hr =
                 s.Measure(arg<std::int32_t>(a, 0), static_cast<MeasureTypes>(arg<std::int32_t>(a, 1)), &value);
             a[2] = value;
             return hr;
           }},
          {{"MeasureVdd", D::MeasureVdd, InvokeKind::Method, {in("ChipIndex"), out("pVal", VarType::R4)}},
           &callChipFloat<I, &I::MeasureVdd>},
          {{"Advanced", D::Advanced, InvokeKind::PropertyGet, {}, VarType::Dispatch},
           [](I& s, std::span<Variant>, Variant* r) {
             std::shared_ptr<IZQ3902Advanced> value;
             const HRESULT hr = s.get_Advanced(&value);
             *r = std::shared_ptr<com::IDispatch>(value);
             return hr;
           }},
          {{"GetAngle", D::GetAngle, InvokeKind::Method, {in("ChipIndex"), out("pfAngle", VarType::R4)}},
           &callChipFloat<I, &I::GetAngle>},
          {{"Solver", D::Solver, InvokeKind::PropertyGet, {}, VarType::Dispatch},
           [](I& s, std::span<Variant>, Variant* r) {
             std::shared_ptr<IZQ3902Solver> value;
             const HRESULT hr = s.get_Solver(&value);
             *r = std::shared_ptr<com::IDispatch>(value);
             return hr;
           }},
          chipResult<I, &I::Customized_EnterOWI>("Customized_EnterOWI", D::Customized_EnterOWI),
          chipResult<I, &I::Customized_QuitOWI>("Customized_QuitOWI", D::Customized_QuitOWI),
          chipResult<I, &I::Customized_PowerOn>("Customized_PowerOn", D::Customized_PowerOn),
          chipResult<I, &I::Customized_Mode0V>("Customized_Mode0V", D::Customized_Mode0V),
          chipResult<I, &I::Customized_PowerOff>("Customized_PowerOff", D::Customized_PowerOff),
          chipResult<I, &I::Customized_SetADCMode>("Customized_SetADCMode", D::Customized_SetADCMode),
          {{"DAC_calibration",
            D::DAC_calibration,
            InvokeKind::Method,
            {in("ChipIndex"), out("SysOsK0", VarType::R4), out("SysOsB0", VarType::R4), out("SysOsK1", VarType::R4),
             out("SysOsB1", VarType::R4), out("pVal")}},
           [](I& s, std::span<Variant> a, Variant*) {
             float k0 = 0, b0 = 0, k1 = 0, b1 = 0;
             std::int32_t value = 0;
             const HRESULT hr = s.DAC_calibration(arg<std::int32_t>(a, 0), &k0, &b0, &k1, &b1, &value);
             a[1] = k0;
             a[2] = b0;
             a[3] = k1;
             a[4] = b1;
             a[5] = value;
             return hr;
           }},
          {{"ProgrammerVersion",
            D::ProgrammerVersion,
            InvokeKind::Method,
            {out("major"), out("minor"), out("build"), out("pVal")}},
           [](I& s, std::span<Variant> a, Variant*) {
             std::int32_t major = 0, minor = 0, build = 0, value = 0;
             const HRESULT hr = s.ProgrammerVersion(&major, &minor, &build, &value);
             a[0] = major;
             a[1] = minor;
             a[2] = build;
             a[3] = value;
             return hr;
           }},
          {{"PWM_mode",
            D::PWM_mode,
            InvokeKind::Method,
            {in("ChipIndex"), in("OutMode"), in("PWMFreq"), in("PWMPolarity"), out("pVal")}},
           [](I& s, std::span<Variant> a, Variant*) {
             std::int32_t value = 0;
             const HRESULT hr = s.PWM_mode(arg<std::int32_t>(a, 0), arg<std::int32_t>(a, 1), arg<std::int32_t>(a, 2),
                                           arg<std::int32_t>(a, 3), &value);
             a[4] = value;
             return hr;
           }},
      });
  return table;
}

}  // namespace detail

inline HRESULT IZQ3902Advanced::invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) {
  return detail::advancedTable().invoke(*this, id, kind, args, result);
}
inline const com::InterfaceInfo& IZQ3902Advanced::interfaceInfo() const { return detail::advancedTable().info(); }

inline HRESULT IZQ3902Solver::invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) {
  return detail::solverTable().invoke(*this, id, kind, args, result);
}
inline const com::InterfaceInfo& IZQ3902Solver::interfaceInfo() const { return detail::solverTable().info(); }

inline HRESULT IZQ3902Device::invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) {
  return detail::deviceTable().invoke(*this, id, kind, args, result);
}
inline const com::InterfaceInfo& IZQ3902Device::interfaceInfo() const { return detail::deviceTable().info(); }

}  // namespace rx041::zq3902
