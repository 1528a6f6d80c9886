#pragma once
// What the device keeps per part: the settings table, the register image
// waiting to be written to the chip, what was last written to the chip, and
// whether the switch output was set.
#include <array>
#include <bit>
#include <cstdint>
#include <variant>

#include "rx041/device/written_image.h"

namespace rx041::zq3902 {

// Entries of the settings table beside the SolverSettingCodes 1..14.
inline constexpr std::int32_t kSupplyVoltageSetting = 0;
inline constexpr std::int32_t kDacGainSetting = 15;
inline constexpr std::int32_t kDacOffsetSetting = 16;
inline constexpr std::int32_t kSettingCount = 17;

inline constexpr float kInitialSupplyVoltage = 5.0f;
inline constexpr float kDefaultDacGain = std::bit_cast<float>(0x3E8E38E4u);  // 1 / 3.6
inline constexpr float kDefaultDacOffset = 0.0f;

class SettingsTable {
 public:
  // Kinds and initial values: all floats (supply 5 V, DAC gain 1/3.6, the rest
  // 0) except the switch polarity, an integer.
  void initialize();

  static bool exists(std::int32_t id) { return id >= 0 && id < kSettingCount; }
  bool isInteger(std::int32_t id) const { return std::holds_alternative<std::int32_t>(entries_[slot(id)]); }

  // Each entry keeps its kind: real() for the float entries, integer() for the integer one.
  float real(std::int32_t id) const;
  std::int32_t integer(std::int32_t id) const;
  void setReal(std::int32_t id, float value) { entries_[slot(id)] = value; }
  void setInteger(std::int32_t id, std::int32_t value) { entries_[slot(id)] = value; }

 private:
  // Callers check exists() first.
  static std::size_t slot(std::int32_t id) { return static_cast<std::size_t>(id); }
  std::array<std::variant<float, std::int32_t>, kSettingCount> entries_{};
};

// Chip registers 0..99: a value and whether it still has to be written.
class RegisterImage {
 public:
  static constexpr std::int32_t kRegisterCount = 100;

  void clear();
  // Sets the low byte of value and marks the register changed.
  void set(std::int32_t address, std::int32_t value);
  std::int32_t value(std::int32_t address) const { return values_[slot(address)]; }
  bool changed(std::int32_t address) const { return changed_[slot(address)]; }
  void markWritten(std::int32_t address) { changed_[slot(address)] = false; }

 private:
  // Addresses are 0..kRegisterCount-1; callers keep to them.
  static std::size_t slot(std::int32_t address) { return static_cast<std::size_t>(address); }

  std::array<std::uint8_t, kRegisterCount> values_{};
  std::array<bool, kRegisterCount> changed_{};
};

// What the device knows of a part's supply from its own power commands.
enum class PartPower { Unknown, On, Off };

struct PartState {
  SettingsTable settings;
  RegisterImage image;
  WrittenImage written;
  PartPower power = PartPower::Unknown;
  bool switchConfigured = false;
};

}  // namespace rx041::zq3902
