#include "rx41/core/verified_store.h"

#include "rx041/device/written_image.h"
#include "rx041/records/record_time.h"
#include "rx041/records/register_verification.h"
#include "rx41/core/record_origin.h"
#include "rx41/rules/device_texts.h"

namespace rx41 {
namespace {

using rx041::zq3902::IZQ3902WrittenImage;

// Commlock's result when the lock bit did not read back as written: nothing was stored.
constexpr std::int32_t kLockNotTaken = 5;
constexpr std::int32_t kLockRegister = 0x1C;

rx041::records::ProgrammingRecord recordOf(DeviceCalls& calls, std::int16_t part,
                                           rx041::records::EepromContents contents,
                                           const IZQ3902WrittenImage* written) {
  const AppState& state = calls.state();
  const rx041::records::PartNotes& notes = calls.notes().part(part);
  rx041::records::ProgrammingRecord record = recordOfPart(state, calls.window(), part);
  record.chipId = notes.chipId;
  record.vdd = notes.vdd;
  record.dacK = state.DacK[part];
  record.dacB = state.DacB[part];
  record.contents = contents;
  if (contents == rx041::records::EepromContents::Configured) record.settings = calls.notes().settingsInForce(part);
  if (written) record.registers = rx041::records::writtenRegisters(written->lastWrittenImage(part));
  return record;
}

// Why the stores of a set did not all go ahead: the first read-back that
// failed, or a call that could not be made.
struct Stop {
  std::string text;
  bool callFailed = false;
  bool stopped() const { return !text.empty(); }
  void set(const std::string& reason, bool byCall) {
    callFailed = callFailed || byCall;
    if (!stopped()) text = reason;
  }
};

std::int16_t partIndex(const rx041::records::ProgrammingRecord& record) {
  return static_cast<std::int16_t>(record.part - 1);
}

// Reads back what the device wrote to the part's chip; a mismatch is told and stops the set.
void readBack(DeviceCalls& calls, rx041::records::ProgrammingRecord& record, const IZQ3902WrittenImage* written,
              Stop& stop) {
  if (!written) {
    record.verification = {rx041::records::VerificationResult::Skipped, 0, std::nullopt,
                           "the device keeps no written image"};
    return;
  }
  const std::int16_t part = partIndex(record);
  record.verification = rx041::records::verifyRegisters(
      record.registers, [&](std::int32_t address) { return calls.MemRead(part, address); });
  if (record.verification.result != rx041::records::VerificationResult::Failed) return;
  if (!record.verification.mismatch) {
    record.outcome = calls.lastFailure().toStdString();
    stop.set(record.outcome, true);
    return;
  }
  record.outcome = rx041::records::verificationMessage(part, *record.verification.mismatch);
  calls.operatorInterface().message(QString::fromStdString(record.outcome), calls.owner());
  stop.set(record.outcome, false);
}

// "Failed in programming device" for one part; for a pair, which part was
// stored and which was not (a store cannot be undone, so the operator must
// know that the chips now differ).
QString storeFailureMessage(PartSet parts, std::int16_t failedPart) {
  if (!parts.isPair()) return QLatin1String(device_text::kProgrammingFailed);
  const QString failed = QStringLiteral("Part#%1 failed in programming device").arg(failedPart + 1);
  return failedPart == parts.first() ? failed + QStringLiteral("; Part#%1 not programmed").arg(failedPart + 2)
                                     : QStringLiteral("Part#%1 programmed; ").arg(parts.first() + 1) + failed;
}

// ProgramDevice of the part; false when the device reported a failed erase or store.
bool store(DeviceCalls& calls, rx041::records::ProgrammingRecord& record, Stop& stop) {
  const auto programmed = calls.ProgramDevice(partIndex(record));
  if (!programmed) {
    record.outcome = calls.lastFailure().toStdString();
    stop.set(record.outcome, true);
    return true;
  }
  record.programResult = *programmed;
  record.outcome =
      *programmed == 0 ? std::string(rx041::records::kStoredOutcome) : std::string(device_text::kProgrammingFailed);
  return *programmed == 0;
}

void append(RecordJournal& journal, DeviceCalls& calls, rx041::records::ProgrammingRecord& record) {
  record.time = rx041::records::isoTimestamp(std::chrono::system_clock::now());
  journal.append(record, calls.operatorInterface(), calls.owner());
}

const IZQ3902WrittenImage* writtenImageOf(DeviceCalls& calls) {
  return dynamic_cast<const IZQ3902WrittenImage*>(calls.state().Device.get());
}

}  // namespace

std::optional<StoreOutcome> verifiedStore(DeviceCalls& calls, PartSet parts, rx041::records::EepromContents contents,
                                          RecordJournal& journal) {
  const IZQ3902WrittenImage* written = writtenImageOf(calls);
  std::vector<rx041::records::ProgrammingRecord> records;
  Stop stop;
  for (const std::int16_t part : parts.parts()) {
    records.push_back(recordOf(calls, part, contents, written));
    if (stop.callFailed)
      // The device already failed a call outright: more calls would only fail again.
      records.back().verification = {rx041::records::VerificationResult::Skipped, 0, std::nullopt,
                                     "not read: " + stop.text};
    else
      readBack(calls, records.back(), written, stop);
  }

  // A pair stops at the first failed store: the other part keeps what it held.
  std::optional<std::int16_t> failedPart;
  for (rx041::records::ProgrammingRecord& record : records) {
    // A part that was not stored names what stopped it.
    if (stop.stopped()) {
      if (record.outcome.empty()) record.outcome = stop.text;
      continue;
    }
    if (failedPart) {
      record.outcome = "not stored: " + std::string(device_text::kProgrammingFailed);
      continue;
    }
    if (!store(calls, record, stop)) failedPart = partIndex(record);
  }

  for (rx041::records::ProgrammingRecord& record : records) append(journal, calls, record);
  if (stop.callFailed) return std::nullopt;
  if (stop.stopped()) return StoreOutcome::Stopped;
  if (!failedPart) return StoreOutcome::Stored;
  calls.operatorInterface().message(storeFailureMessage(parts, *failedPart), calls.owner());
  return StoreOutcome::StoreFailed;
}

std::optional<StoreOutcome> storeAndReenterOwi(StateMachine& machine, PartSet parts,
                                               rx041::records::EepromContents contents) {
  const auto stored = verifiedStore(machine.calls(), parts, contents);
  if (stored) machine.ChipChangeToState(parts.stateMachinePart(), kOwiMode, kOwiMode);
  return stored;
}

bool mayGoOn(const std::optional<StoreOutcome>& stored) { return stored && *stored != StoreOutcome::Stopped; }

std::optional<std::int32_t> recordedCommlock(DeviceCalls& calls, std::int16_t part, RecordJournal& journal) {
  const IZQ3902WrittenImage* written = writtenImageOf(calls);
  rx041::records::ProgrammingRecord record = recordOf(calls, part, rx041::records::EepromContents::CommLock, written);
  const auto locked = calls.Commlock(part);
  if (!locked) {
    record.outcome = calls.lastFailure().toStdString();
  } else if (*locked == kLockNotTaken && written) {
    // The device read the lock bit back before its store and found it not
    // taken: read it once more to tell what the chip holds.
    record.registers = {};
    if (const auto wrote = written->lastWrittenImage(part).at(kLockRegister)) record.registers[kLockRegister] = *wrote;
    Stop stop;
    readBack(calls, record, written, stop);
    if (record.outcome.empty()) record.outcome = "Commlock result " + std::to_string(*locked);
  } else {
    record.verification = {rx041::records::VerificationResult::Skipped, 0, std::nullopt,
                           *locked == 0 ? "read back by the device before its store" : "nothing stored"};
    record.outcome =
        *locked == 0 ? std::string(rx041::records::kStoredOutcome) : "Commlock result " + std::to_string(*locked);
  }
  append(journal, calls, record);
  return locked;
}

}  // namespace rx41
