#pragma once
// What the device last wrote into each register of a part's chip since the
// chip last loaded its RAM from its EEPROM: the image a caller can read back
// to see whether the chip took its writes. Every register write of the
// device counts, whichever operation sent it (solver registers, the DAC test
// registers 32..34, PWM_mode's registers 1 and 2, the lock register 0x1C,
// MemWrite), and whatever the board answered. The image is emptied by an
// acknowledged power-on of a part the device did not know to be on already
// (after a power-off, a power command without an answer, or none yet): a
// power-on of a part that is on keeps its RAM, and so keeps the image; a
// power-off alone does not empty it. A C++ accessor beside the automation
// interfaces (no dispatch member): callers query the device object for it.
#include <array>
#include <cstdint>
#include <optional>

namespace rx041::zq3902 {

struct WrittenImage {
  static constexpr std::int32_t kRegisterCount = 100;

  // Registers 0..99; none for a register not written since power-on.
  std::array<std::optional<std::uint8_t>, kRegisterCount> values{};

  std::optional<std::uint8_t> at(std::int32_t address) const {
    if (address < 0 || address >= kRegisterCount) return std::nullopt;
    return values[static_cast<std::size_t>(address)];
  }
};

class IZQ3902WrittenImage {
 public:
  // ChipIndex 0 is Part#1, any other value Part#2 (as the command frames address them).
  virtual WrittenImage lastWrittenImage(std::int32_t ChipIndex) const = 0;

 protected:
  ~IZQ3902WrittenImage() = default;
};

}  // namespace rx041::zq3902
