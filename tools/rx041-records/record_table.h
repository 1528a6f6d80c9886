#pragma once
// How rx041-records writes records: one line each for reading on a terminal,
// or CSV with one column per field for a spreadsheet: a row per store record,
// or a row per measured point of the output checks.
#include <ostream>
#include <string>
#include <vector>

#include "rx041/records/record_file.h"

namespace rx041::records {

// "12  2026-05-12T14:03:07.250+02:00  COM3  Part#2  0x31  stored": the line
// number (for "show"), time, port, part, chip identification and outcome;
// an output check ends in "output check: " and its verdict line.
std::string listLine(const NumberedRecord& record);

// A header line, then one line per store record.
void writeCsv(std::ostream& out, const std::vector<const NumberedRecord*>& records);
// A header line, then one line per measured point of the output checks (a
// check without points still has its line).
void writeOutputCheckCsv(std::ostream& out, const std::vector<const NumberedRecord*>& records);

}  // namespace rx041::records
