#pragma once
// The RX041 programmer board: per chip position a supply relay, the choice
// between ADC and OWI connection and the OWI session; one ADC shared by both
// positions, switched by the measurement relays. Pure logic: a frame in, the
// reply line out (none when the board would not answer).
#include <array>
#include <optional>
#include <string>

#include "chip.h"
#include "frame.h"

namespace rx041::bench {

enum class Connection { Adc, Owi };
enum class AdcInput { None, Supply, Output };

struct Position {
  Chip chip;
  bool present = true;
  bool powered = false;  // the supply relay
  Connection connection = Connection::Adc;
  bool owiEntered = false;
  double vdd = 5.0;
};

struct AdcSelection {
  int part = 0;
  AdcInput input = AdcInput::None;
};

class Board {
 public:
  static constexpr int kParts = 2;
  static constexpr double kVoltsPerCode = 0.000152587890625;
  static constexpr int kFirmwareMajor = 1, kFirmwareMinor = 0, kFirmwareBuild = 4;

  // refuseWrites makes every OWI write that reaches a chip fail (an injected fault).
  std::optional<std::string> handle(const Frame& frame, bool refuseWrites = false);

  const Position& position(int part) const { return slot(part); }
  AdcSelection adcSelection() const { return adc_; }

  void setAngle(int part, double degrees) { slot(part).chip.setAngle(degrees); }
  void setVdd(int part, double volts) { slot(part).vdd = volts; }
  void setDacError(int part, double gain, double offsetPercent) { slot(part).chip.setDacError(gain, offsetPercent); }
  void setId(int part, int value) { slot(part).chip.setId(value); }
  void setStuck(int part, int address) { slot(part).chip.setStuck(address); }
  void clearStuck(int part) { slot(part).chip.clearStuck(); }
  void setEepromByte(int part, int address, int value) { slot(part).chip.setEepromByte(address, value); }
  void setPresent(int part, bool present);

  double adcVolts() const;
  int adcCode() const;
  // The part's output in % of VDD as the ADC sees it on the analog relay.
  double analogOutputPercent(int part) const;

 private:
  std::optional<std::string> handleRelay(const Frame& frame);
  std::optional<std::string> handleRegisterAccess(const Frame& frame, bool refuseWrites);
  std::optional<std::string> handleOwiControl(const Frame& frame);
  std::optional<std::string> enterOwi(char partField);
  std::optional<std::string> exitOwi(char partField);
  std::optional<std::string> eepromOperation(const Frame& frame);

  void setPower(int part, bool on);
  void setConnection(int part, Connection connection);

  // The position of part 0 or 1; throws std::out_of_range for any other.
  Position& slot(int part) { return positions_.at(static_cast<std::size_t>(part)); }
  const Position& slot(int part) const { return positions_.at(static_cast<std::size_t>(part)); }

  std::array<Position, kParts> positions_{};
  AdcSelection adc_;
};

}  // namespace rx041::bench
