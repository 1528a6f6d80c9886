#pragma once
// The EEPROM store of the windows, verified and recorded: the one call a
// window's store path makes in place of ProgramDevice.
//
// Before configured settings are stored, the solver registers the device
// last wrote to each part are read back; a mismatch or a failed read is
// reported ("Part#1: verification failed at register 0x0B: wrote 0x66, read
// 0x00") and stops the store of every part of the set, so that a pair is
// stored whole or not at all. A cleared solver (a chip's preparation) is
// stored without the read-back: nothing was configured yet, and the
// configured store that follows reads the same registers back.
//
// Each part of the set then gets exactly one programming record, whatever
// became of its store; writing it never stops programming.
#include <optional>

#include "rx41/device_calls.h"
#include "rx41/part_set.h"
#include "rx41/programming_record.h"
#include "rx41/record_journal.h"

namespace rx41 {

enum class StoreOutcome {
  Stored,       // every part of the set
  StoreFailed,  // ProgramDevice reported a failed erase or store for a part: the caller's "Failed in programming
                // device"
  Stopped,      // the read-back stopped the stores, reported
};

// Whether the other part of a set is still stored after one part's store failed.
enum class AfterFailedStore { StoreTheRest, StopTheRest };

// None when a device call failed outright (reported); the stores after it are not made.
std::optional<StoreOutcome> verifiedStore(DeviceCalls& calls, PartSet parts, EepromContents contents,
                                          AfterFailedStore afterFailure = AfterFailedStore::StoreTheRest,
                                          RecordJournal& journal = recordJournal());

// Commlock of the part, recorded: the device sets the lock bit, reads it back
// and stores the EEPROM in one operation, so nothing is read back here.
// Commlock's result (5: the lock bit did not take, nothing stored), or none
// when the call failed outright (reported).
std::optional<std::int32_t> recordedCommlock(DeviceCalls& calls, std::int16_t part,
                                             RecordJournal& journal = recordJournal());

}  // namespace rx41
