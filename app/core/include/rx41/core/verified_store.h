#pragma once
// The EEPROM store of the windows, verified and recorded: the one call a
// window's store path makes in place of ProgramDevice.
//
// Before a store, every register the device wrote to each part since the
// part was powered on (solver, DAC test, output mode and lock registers) is
// read back; a mismatch or a failed read is reported ("Part#1: verification
// failed at register 0x0B: wrote 0x66, read 0x00") and stops the store of
// every part of the set, so that a pair is stored whole or not at all. A pair
// also stops at the first failed store, and the operator is told which part
// was stored and which was not.
//
// Each part of the set then gets exactly one programming record, whatever
// became of its store; writing it never stops programming.
#include <optional>

#include "rx041/records/programming_record.h"
#include "rx41/core/device_calls.h"
#include "rx41/core/record_journal.h"
#include "rx41/core/state_machine.h"
#include "rx41/rules/part_set.h"

namespace rx41 {

enum class StoreOutcome {
  Stored,       // every part of the set
  StoreFailed,  // ProgramDevice reported a failed erase or store for a part, reported
  Stopped,      // the read-back stopped the stores, reported
};

// None when a device call failed outright (reported); the stores after it are not made.
std::optional<StoreOutcome> verifiedStore(DeviceCalls& calls, PartSet parts, rx041::records::EepromContents contents,
                                          RecordJournal& journal = recordJournal());

// The store step of the windows: verifiedStore, then the parts re-enter OWI
// mode (also after a store the read-back stopped). None when a call failed
// outright (reported).
std::optional<StoreOutcome> storeAndReenterOwi(StateMachine& machine, PartSet parts,
                                               rx041::records::EepromContents contents);
// Whether the parts may be worked on further after that store: not after a
// failed call, nor after a read-back that stopped it (a chip that did not
// take its settings is not calibrated or taught). A failed store is reported
// and goes on.
bool mayGoOn(const std::optional<StoreOutcome>& stored);

// Commlock of the part, recorded. The device reads the lock bit back before
// its store and stores nothing when it did not take (result 5): the lock
// register is then read once more and the mismatch reported as for any
// store. Commlock's result, or none when the call failed outright (reported).
std::optional<std::int32_t> recordedCommlock(DeviceCalls& calls, std::int16_t part,
                                             RecordJournal& journal = recordJournal());

}  // namespace rx41
