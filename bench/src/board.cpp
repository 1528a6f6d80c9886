#include "board.h"

#include <algorithm>
#include <cmath>

#include "reply_text.h"

namespace rx041::bench {
namespace {

constexpr int kOwiModeKey = 0x1F;  // fixed codes the OWI mode frames carry
constexpr int kOwiModeKey2 = 0x55;
constexpr int kEraseKey = 0x52;
constexpr int kStoreKey = 0x50;

bool singlePart(char field) { return field == '1' || field == '2'; }
int partIndex(char field) { return field - '1'; }

// Which part indices a part field names: one part, or both for "0".
template <typename Action>
void forEachPart(char field, Action action) {
  if (singlePart(field)) {
    action(partIndex(field));
  } else {
    for (int part = 0; part < Board::kParts; ++part) action(part);
  }
}

std::optional<reply::OwiProblem> owiBlocked(const Position& position) {
  if (!position.powered) return reply::OwiProblem::NoPower;
  if (position.connection != Connection::Owi) return reply::OwiProblem::NotOwiMode;
  if (!position.owiEntered) return reply::OwiProblem::NotEntered;
  return std::nullopt;
}

bool hasOwiKey(const Frame& frame) { return frame.first == kOwiModeKey && frame.second == kOwiModeKey2; }

}  // namespace

std::optional<std::string> Board::handle(const Frame& frame, bool refuseWrites) {
  switch (frame.group) {
    case 'R': return handleRelay(frame);
    case 'C': return handleRegisterAccess(frame, refuseWrites);
    case 'M': return handleOwiControl(frame);
    case 'V':
      if (frame.is('V', 'V', 'R') && frame.part == '0')
        return reply::version(kFirmwareMajor, kFirmwareMinor, kFirmwareBuild);
      return std::nullopt;
    default: return std::nullopt;
  }
}

std::optional<std::string> Board::handleRelay(const Frame& frame) {
  const char part = frame.part;
  if (frame.is('R', 'P', 'O')) {
    forEachPart(part, [&](int p) { setPower(p, true); });
    return reply::powerOn(part);
  }
  if (frame.is('R', 'P', 'F')) {
    forEachPart(part, [&](int p) { setPower(p, false); });
    return reply::powerOff(part);
  }
  if (frame.is('R', 'D', 'O')) {
    forEachPart(part, [&](int p) { setConnection(p, Connection::Owi); });
    return reply::owiMode(part);
  }
  if (frame.is('R', 'D', 'A')) {
    forEachPart(part, [&](int p) { setConnection(p, Connection::Adc); });
    return reply::adcMode(part);
  }
  // One ADC: the measurement relays pick a single source.
  if (!singlePart(part)) return std::nullopt;
  if (frame.is('R', 'M', 'V')) {
    adc_ = {partIndex(part), AdcInput::Supply};
    return reply::relaySupply(part);
  }
  if (frame.is('R', 'M', 'A')) {
    adc_ = {partIndex(part), AdcInput::Output};
    return reply::relayOutput(part);
  }
  return std::nullopt;
}

std::optional<std::string> Board::handleRegisterAccess(const Frame& frame, bool refuseWrites) {
  const bool isRead = frame.is('C', 'O', 'R');
  if ((!isRead && !frame.is('C', 'O', 'W')) || !singlePart(frame.part)) return std::nullopt;
  Position& position = slot(partIndex(frame.part));
  if (!position.present) return std::nullopt;
  if (auto problem = owiBlocked(position)) return reply::owiError(frame.part, *problem);
  if (isRead) return reply::owiRead(frame.part, frame.first, position.chip.read(frame.first));
  if (refuseWrites || !position.chip.write(frame.first, frame.second)) return reply::owiWriteRefused(frame.part);
  return reply::owiWrite(frame.part, frame.first, frame.second);
}

std::optional<std::string> Board::handleOwiControl(const Frame& frame) {
  if (frame.is('M', 'T', 'W')) {
    if (frame.part != '0') return std::nullopt;
    return reply::adcReading(adcCode());
  }
  if (frame.is('M', 'E', 'W') && hasOwiKey(frame)) return enterOwi(frame.part);
  if (frame.is('M', 'e', 'W') && hasOwiKey(frame)) return exitOwi(frame.part);
  return eepromOperation(frame);
}

std::optional<std::string> Board::enterOwi(char partField) {
  // Both parts: every present part that is ready enters; the board answers
  // when at least one did.
  bool anyPresent = false;
  bool anyEntered = false;
  std::optional<reply::OwiProblem> firstProblem;
  forEachPart(partField, [&](int p) {
    Position& position = slot(p);
    if (!position.present) return;
    anyPresent = true;
    const bool ready = position.powered && position.connection == Connection::Owi;
    if (ready) {
      position.owiEntered = true;
      anyEntered = true;
    } else if (!firstProblem) {
      firstProblem = position.powered ? reply::OwiProblem::NotOwiMode : reply::OwiProblem::NoPower;
    }
  });
  if (!anyPresent) return std::nullopt;
  if (!anyEntered) return reply::owiError(partField, *firstProblem);
  return reply::owiEnter(partField);
}

std::optional<std::string> Board::exitOwi(char partField) {
  bool anyPresent = false;
  forEachPart(partField, [&](int p) {
    if (!slot(p).present) return;
    anyPresent = true;
    slot(p).owiEntered = false;
  });
  if (!anyPresent) return std::nullopt;
  return reply::owiExit(partField);
}

std::optional<std::string> Board::eepromOperation(const Frame& frame) {
  const bool erase = frame.is('M', 'A', 'W') && frame.first == kEraseKey;
  const bool store = frame.is('M', 'S', 'W') && frame.first == kStoreKey;
  const bool load = frame.is('M', 'L', 'W') && hasOwiKey(frame);
  if ((!erase && !store && !load) || !singlePart(frame.part)) return std::nullopt;
  Position& position = slot(partIndex(frame.part));
  if (!position.present) return std::nullopt;
  if (auto problem = owiBlocked(position)) return reply::owiError(frame.part, *problem);
  if (load) {
    position.chip.load();
    return reply::owiLoad(frame.part);
  }
  // A locked chip keeps its EEPROM: otherwise an erase would lift the lock.
  const bool done = erase ? position.chip.erase() : position.chip.store();
  if (!done) return reply::owiError(frame.part, reply::OwiProblem::Locked);
  return erase ? reply::owiErase(frame.part) : reply::owiStore(frame.part);
}

void Board::setPower(int part, bool on) {
  Position& position = slot(part);
  position.powered = on;
  if (!on) position.owiEntered = false;
  if (!position.present) return;
  if (on)
    position.chip.powerUp();
  else
    position.chip.powerDown();
}

void Board::setConnection(int part, Connection connection) {
  Position& position = slot(part);
  position.connection = connection;
  if (connection == Connection::Adc) position.owiEntered = false;
}

void Board::setPresent(int part, bool present) {
  Position& position = slot(part);
  if (position.present == present) return;
  position.present = present;
  if (!present) {
    position.chip.powerDown();
    position.owiEntered = false;
  } else if (position.powered) {
    position.chip.powerUp();
  }
}

double Board::analogOutputPercent(int part) const {
  const Position& position = slot(part);
  if (!position.present || !position.powered || position.connection != Connection::Adc) return 0;
  return position.chip.outputPercent();
}

double Board::adcVolts() const {
  const Position& position = slot(adc_.part);
  switch (adc_.input) {
    case AdcInput::Supply: return position.powered ? position.vdd : 0.0;
    case AdcInput::Output: return analogOutputPercent(adc_.part) * position.vdd / 100.0;
    case AdcInput::None: break;
  }
  return 0;
}

int Board::adcCode() const {
  const long code = std::lround(32768 + adcVolts() / kVoltsPerCode);
  return static_cast<int>(std::clamp(code, 0L, 65535L));
}

}  // namespace rx041::bench
