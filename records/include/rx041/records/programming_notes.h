#pragma once
// What the application told the device about each part, noted as the calls
// go out, for the programming record: the chip's identification and supply
// voltage from its bring-up, and the solver settings in force. The notes
// follow the device's own tables: a setting stays until it is sent again,
// the switch settings reach the chip only after an operate point was sent
// and until the solver is cleared, and a clear also resets the output mode.
#include <cstdint>
#include <optional>

#include "rx041/records/programming_record.h"

namespace rx041::records {

struct PartNotes {
  std::optional<std::int32_t> chipId;
  std::optional<float> vdd;
  SolverSettingsSent settings;
  bool switchConfigured = false;
};

class ProgrammingNotes {
 public:
  // chip is the ChipIndex the device took: 0 Part#1, 1 Part#2, 3 both where the call allows it.
  void vddMeasured(std::int32_t chip, float volts);
  void chipIdentified(std::int16_t part, std::int32_t chipId);
  // A setting the device stored (SolverSettingCodes 1..14); the integer
  // setting (the switch polarity) comes as its value.
  void settingSent(std::int32_t chip, std::int32_t code, float value, std::int32_t offsetFlag);
  void pwmModeSent(std::int32_t chip, std::int32_t outMode, std::int32_t pwmFrequency, std::int32_t pwmPolarity);
  // The slope a window turned into target points, or none when it used points alone.
  void slopeInUse(std::int16_t part, std::optional<float> slope);
  void solverCleared(std::int32_t chip);
  // A new device object starts with nothing.
  void forget();

  const PartNotes& part(std::int16_t part) const { return parts_[part == 0 ? 0 : 1]; }
  // The settings the next copy takes to the chip.
  SolverSettingsSent settingsInForce(std::int16_t part) const;

 private:
  PartNotes& notesOf(std::int32_t chip) { return parts_[chip == 0 ? 0 : 1]; }

  PartNotes parts_[2];
};

}  // namespace rx041::records
