#pragma once
// One ZQ3902: RAM and EEPROM, the identification and angle registers, the
// communication lock, and the physics of its outputs (solver curve, DAC error,
// PWM, switch). The board decides when the chip is reachable; the chip only
// knows whether it has power.
#include <bitset>
#include <cstdint>

#include "register_map.h"

namespace rx041::bench {

enum class SwitchOutput { Disabled, On, Off };

class Chip {
 public:
  static constexpr int kDefaultId = 0x31;

  void powerUp();    // RAM and the lock come from the EEPROM
  void powerDown();  // RAM is lost
  bool powered() const { return powered_; }

  // Register access over OWI (the board only passes it on to a powered chip).
  int read(int address) const;
  bool write(int address, int value);  // false: refused by a locked chip
  bool erase();                        // EEPROM to 0; false when locked
  bool store();                        // RAM to EEPROM; false when locked
  void load();                         // RAM from EEPROM

  void setAngle(double degrees);
  double angle() const { return angle_; }
  void setDacError(double gain, double offsetPercent);
  void setId(int value) { id_ = value & 0xFF; }
  // A stuck register ignores writes while the chip still acknowledges them
  // (a worn cell); it stays stuck across power cycles.
  void setStuck(int address) { stuck_.set(static_cast<std::size_t>(address & 0xFF)); }
  void clearStuck() { stuck_.reset(); }
  bool locked() const { return locked_; }

  // The output pin in % of VDD (the mean level for PWM); 0 without power.
  double outputPercent() const;
  SwitchOutput switchOutput() const;

  int ramByte(int address) const { return registerAt(ram_, address); }
  int eepromByte(int address) const { return registerAt(eeprom_, address); }
  // What an earlier programming left in a cell; the RAM takes it at the next power-up.
  void setEepromByte(int address, int value) { registerAt(eeprom_, address) = static_cast<std::uint8_t>(value); }

 private:
  int measuredAngleCode() const;
  double throughDac(double levelPercent) const;
  void updateSwitch(bool freshStart);

  RegisterFile ram_{};
  RegisterFile eeprom_{};
  bool powered_ = false;
  bool locked_ = false;
  int id_ = kDefaultId;
  double angle_ = 0;
  double dacGain_ = 1;
  double dacOffset_ = 0;
  bool switchActive_ = false;
  std::bitset<256> stuck_;
};

}  // namespace rx041::bench
