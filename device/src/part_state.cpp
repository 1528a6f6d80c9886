#include "part_state.h"

#include "rx041/device/device_interfaces.h"

namespace rx041::zq3902 {

void SettingsTable::initialize() {
  for (auto& entry : entries_) entry = 0.0f;
  entries_[kSupplyVoltageSetting] = kInitialSupplyVoltage;
  entries_[SolverTargetSwoPolarity] = std::int32_t{0};
  entries_[kDacGainSetting] = kDefaultDacGain;
  entries_[kDacOffsetSetting] = kDefaultDacOffset;
}

float SettingsTable::real(std::int32_t id) const { return std::get<float>(entries_[slot(id)]); }

std::int32_t SettingsTable::integer(std::int32_t id) const { return std::get<std::int32_t>(entries_[slot(id)]); }

void RegisterImage::clear() {
  values_.fill(0);
  changed_.fill(false);
}

void RegisterImage::set(std::int32_t address, std::int32_t value) {
  values_[slot(address)] = static_cast<std::uint8_t>(value & 0xFF);
  changed_[slot(address)] = true;
}

}  // namespace rx041::zq3902
