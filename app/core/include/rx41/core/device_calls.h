#pragma once
// Every call the application makes into the device library: the device
// object, its solver and advanced companions. A call that cannot be made
// (offline) or that fails outright is reported to the operator in one place
// (reportFailure) and gives none; so does a call that found the line to the
// programmer dead, whose result says nothing about the chip. Result codes and measured values are the
// callers' to judge, except for the few judgements that every window makes
// alike (ValidateChipID, CalibrateDac). What the calls told the device about
// each part is noted for the programming record (notes()).
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "rx041/device/device_interfaces.h"
#include "rx041/records/programming_notes.h"
#include "rx41/core/app_state.h"
#include "rx41/core/window_identity.h"
#include "rx41/operator/operator_interface.h"
#include "rx41/rules/part_set.h"
#include "rx41/rules/solver_setting.h"

class QWidget;

namespace rx41 {

struct ProgrammerVersionInfo {
  std::int32_t major = 0, minor = 0, build = 0;
  std::int32_t result = 0;  // 0 read; 1 no version reply
};

struct DacCalibrationResult {
  float k[2] = {};  // SysOsK0, SysOsK1
  float b[2] = {};  // SysOsB0, SysOsB1
  std::int32_t result = 0;
};

// Whether ValidateChipID records a locked chip in CommLocked (the dual-part
// windows do, the quick windows do not).
enum class CommLockRecording { Ignore, Record };

// Whether the device object's serial line to the programmer is open; a device
// object without a line state (a stand-in) is taken at its word.
bool programmerLineOpen(const rx041::zq3902::IZQ3902Device& device);

class DeviceCalls {
 public:
  using Device = rx041::zq3902::IZQ3902Device;
  using ChipOperation = rx041::com::HRESULT (Device::*)(std::int32_t, std::int32_t*);

  // Messages appear over the owner.
  DeviceCalls(AppState& state, OperatorInterface& operatorInterface, QWidget* owner = nullptr);

  AppState& state() const { return state_; }
  OperatorInterface& operatorInterface() const { return operator_; }
  QWidget* owner() const { return owner_; }

  // Tells the operator about a call that could not be made or failed outright.
  void reportFailure(const QString& text);
  // The text of the last such report.
  const QString& lastFailure() const { return lastFailure_; }

  // The working window the calls are made for, named in its programming
  // records; none (empty) for calls made outside a working window.
  void identify(const WindowIdentity& window) { window_ = window; }
  const WindowIdentity& window() const { return window_; }

  rx041::records::ProgrammingNotes& notes() { return notes_; }
  const rx041::records::ProgrammingNotes& notes() const { return notes_; }
  // Whether the device object's line to the programmer is dead (already told
  // by the call that found it so): nothing more can reach a chip.
  bool programmerLost() const { return state_.Device && !programmerLineOpen(*state_.Device); }
  // Starts an operator action: a dead programmer line is told once per action,
  // however many calls the action still makes on its way out.
  void beginAction() { lineFailureTold_ = false; }

  // A (ChipIndex; result) member of the device object: the power and mode operations.
  std::optional<std::int32_t> chipOperation(ChipOperation operation, const char* member, std::int32_t chip);

  std::optional<float> MeasureVdd(std::int32_t chip);
  std::optional<float> Measure(std::int32_t chip, rx041::zq3902::MeasureTypes type);
  std::optional<float> GetAngle(std::int32_t chip);
  std::optional<std::int32_t> ProgramDevice(std::int32_t chip);
  std::optional<std::int32_t> PWM_mode(std::int32_t chip, std::int32_t outMode, std::int32_t pwmFreq,
                                       std::int32_t pwmPolarity);
  std::optional<ProgrammerVersionInfo> ProgrammerVersion();
  std::optional<DacCalibrationResult> DAC_calibration(std::int32_t chip);

  std::optional<std::int32_t> ClearSolverSettings(std::int32_t chip);
  std::optional<std::int32_t> CopySolverSettingsToParameters(std::int32_t chip);
  std::optional<std::int32_t> Commlock(std::int32_t chip);

  std::optional<std::int32_t> MemRead(std::int32_t chip, std::int32_t address);
  bool MemWrite(std::int32_t chip, std::int32_t address, std::int32_t data);
  // The setting's own result is not examined: the solver copy judges the whole table.
  bool SetSolverSetting(std::int32_t chip, const SolverSetting& setting, std::int32_t offsetFlag);

  // The magnet angle of the part; none, reported, when the chip gave no real
  // reading (a failed register read shows up as 360 degrees or more).
  std::optional<float> readAngle(std::int16_t part);
  // The settings in their order; without a device object "Not Connected!
  // Cannot Perform Store In Solver". False when they did not all go out.
  bool StoreInSolver(std::int16_t part, std::span<const SolverSetting> settings, std::int32_t offsetFlag);
  // The identification word read at 0x48: false, reported, for a locked chip
  // (240..255) or a failed read (511, told as a part that does not answer).
  bool ValidateChipID(std::int16_t part, std::int32_t chipid, CommLockRecording recording);
  // One part: DAC_calibration(part), its gain and offset go into DacK and
  // DacB, invalid ones are reported. Both: one DAC_calibration(3); a part
  // whose status bits are set keeps its old values and is reported.
  void CalibrateDac(PartSet parts);

 private:
  Device* device();
  std::shared_ptr<rx041::zq3902::IZQ3902Advanced> advanced();
  std::shared_ptr<rx041::zq3902::IZQ3902Solver> solver();
  template <class Object>
  std::shared_ptr<Object> companion(rx041::com::HRESULT (Device::*getter)(std::shared_ptr<Object>*),
                                    const char* property);
  using SolverOperation = rx041::com::HRESULT (rx041::zq3902::IZQ3902Solver::*)(std::int32_t, std::int32_t*);
  std::optional<std::int32_t> solverResult(SolverOperation operation, const char* member, std::int32_t chip);
  // False, reported, when the call itself failed or the programmer line is dead.
  bool succeeded(rx041::com::HRESULT status, const char* object, const char* member);

  AppState& state_;
  OperatorInterface& operator_;
  QWidget* owner_;
  WindowIdentity window_;
  QString lastFailure_;
  rx041::records::ProgrammingNotes notes_;
  bool lineFailureTold_ = false;
};

}  // namespace rx41
