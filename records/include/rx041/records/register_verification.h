#pragma once
// Reading back, before a part's EEPROM store, every register the device last
// wrote to its chip since the part was powered on (the store makes all of
// them permanent): each is read once, in ascending order, up to the first one
// the chip does not hold as written. A chip that acknowledged a write it did
// not take is caught here instead of being stored as if it had worked.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "rx041/device/written_image.h"
#include "rx041/records/programming_record.h"

namespace rx041::records {

// Address: value of every register written since the part was powered on.
std::map<std::int32_t, std::int32_t> writtenRegisters(const rx041::zq3902::WrittenImage& image);

// Reads one register: the byte, or 511 when the chip did not answer; none
// when the read could not be made at all (already reported).
using RegisterReader = std::function<std::optional<std::int32_t>(std::int32_t address)>;

// Passed when every register reads back as written; Failed at the first
// mismatch or failed read, or without a mismatch when a read could not be
// made; Skipped when nothing was written.
Verification verifyRegisters(const std::map<std::int32_t, std::int32_t>& written, const RegisterReader& read);

// "Part#1: verification failed at register 0x0B: wrote 0x66, read 0x00"; part 0 or 1.
std::string verificationMessage(std::int16_t part, const RegisterMismatch& mismatch);

}  // namespace rx041::records
