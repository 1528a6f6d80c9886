#pragma once
// The device side of teach-in programming, one part at a time: preparing a
// chip (power, identification, solver clear, EEPROM, DAC calibration),
// reading the magnet angle, handing the solver its settings and programming
// the result. Every failure reaches the operator as a message; a device call
// that fails outright stops the step it belongs to.
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "rx41/quick/two_point_rules.h"
#include "rx41/state_machine.h"
#include "rx41/wait_form.h"

class QWidget;

namespace rx41 {

// The message for a result of CopySolverSettingsToParameters; empty for
// success and for results that carry no message.
QString solverCopyMessage(std::int32_t result);

class TeachInDevice {
 public:
  // Messages and the wait window appear over the owner.
  TeachInDevice(StateMachine& machine, QWidget* owner);

  // True from the start of a preparation until the part is powered off again.
  bool isPrepared() const { return prepared_; }
  // A new connection starts unprepared.
  void forgetPreparation() { prepared_ = false; }

  void EnsureOwiMode(std::int16_t part);
  void ReturnToAdcMode(std::int16_t part);
  void PowerOffIfPrepared(std::int16_t part);
  bool inOwiMode(std::int16_t part) const;

  // Runs only while unprepared. True when it reached the DAC calibration;
  // false when it stopped (VDD, identification or a failed call; the part is
  // then powered off again) or did not run.
  bool PrepareChip(std::int16_t part);
  // False, with the reason reported, for a locked chip (240..255) or a failed read (511).
  bool ValidateChipID(std::int16_t part, std::int32_t chipid);
  // Stores the part's gain and offset in DacK and DacB; reports invalid ones.
  void CalibrateDac(std::int16_t part);

  // The magnet angle of the part; none, reported, when the chip gave no real
  // reading (a failed register read shows up as 360 degrees or more).
  std::optional<float> readAngle(std::int16_t part);

  // Writes the settings to the part's solver table in the order given.
  void StoreInSolver(std::int16_t part, std::span<const SolverSetting> settings);
  // Converts the stored settings into chip registers and, when that worked,
  // programs the EEPROM, with the wait window telling which.
  void copyAndProgram(std::int16_t part, WaitNotice& wait);

 private:
  // The device object and its companions; none (reported) when offline or
  // when the call failed.
  rx041::zq3902::IZQ3902Device* device();
  std::shared_ptr<rx041::zq3902::IZQ3902Advanced> advanced();
  std::shared_ptr<rx041::zq3902::IZQ3902Solver> solver();
  template <class Object>
  std::shared_ptr<Object> companion(
      rx041::com::HRESULT (rx041::zq3902::IZQ3902Device::*getter)(std::shared_ptr<Object>*), const char* property);
  // The part's value of a (ChipIndex; result) operation of the solver; none, reported, when the call failed.
  using SolverOperation = rx041::com::HRESULT (rx041::zq3902::IZQ3902Solver::*)(std::int32_t, std::int32_t*);
  std::optional<std::int32_t> solverResult(std::int16_t part, SolverOperation operation, const char* member);
  std::optional<std::int32_t> programDevice(std::int16_t part);
  std::optional<std::int32_t> readRegister(std::int16_t part, std::int32_t address);
  // False, reported, when the call itself failed.
  bool succeeded(rx041::com::HRESULT status, const char* object, const char* member);
  void message(const QString& text);

  StateMachine& machine_;
  QWidget* owner_;
  bool prepared_ = false;
};

}  // namespace rx41
