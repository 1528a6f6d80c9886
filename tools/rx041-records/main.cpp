// rx041-records: reads the programming record file of the RX041 bench
// software: lists records (filtered by time, port, part and outcome), shows
// one whole, or exports them as CSV.
#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>

#include "record_query.h"
#include "record_table.h"
#include "rx041/version.h"
#include "rx41/record_file.h"

namespace {

using namespace rx041::records;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

void reportProblems(const rx41::RecordFileContents& contents, const std::filesystem::path& file) {
  for (const auto& problem : contents.problems)
    std::cerr << file.string() << ":" << problem.line << ": " << problem.reason << "; skipped\n";
}

int showRecord(const rx41::RecordFileContents& contents, const std::filesystem::path& file, std::size_t line) {
  for (const auto& record : contents.records) {
    if (record.line != line) continue;
    // The line as written, laid out: every field, also those this version does not know.
    std::ifstream in(file);
    std::string text;
    for (std::size_t number = 1; number <= line; ++number) std::getline(in, text);
    std::cout << nlohmann::ordered_json::parse(text).dump(2) << "\n";
    return kExitOk;
  }
  for (const auto& problem : contents.problems) {
    if (problem.line != line) continue;
    std::cerr << file.string() << ":" << line << ": " << problem.reason << "\n";
    return kExitFailure;
  }
  std::cerr << "rx041-records: " << file.string() << " has no record on line " << line << "\n";
  return kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Reads the programming records of the RX041 bench software: one record per EEPROM store, with the chip, the\n"
      "settings and register image written, the read-back verification and the outcome.\n"
      "  rx041-records [FILTERS] [--csv]  list the records, oldest first (or export them as CSV)\n"
      "  rx041-records show LINE          one record whole, by the line number the list shows"};
  app.set_version_flag("--version", rx041::versionLine("rx041-records"));
  std::string file = rx41::recordFilePath().string();
  std::string since, until, port, outcome;
  std::int32_t part = 0;
  bool csv = false;
  app.add_option("--file", file,
                 "the record file instead of programming-records.jsonl in $RX041_RECORD_DIR, else in "
                 "$XDG_DATA_HOME/rx041 (normally ~/.local/share/rx041)");
  app.add_option("--since", since,
                 "records from this date or time on (YYYY-MM-DD, YYYY-MM-DDTHH:MM[:SS], local "
                 "time unless a zone follows)");
  app.add_option("--until", until, "records up to this date (the whole day) or time");
  app.add_option("--port", port, "records of one port: COMn, or the device path behind it");
  app.add_option("--part", part, "records of Part#1 or Part#2")->check(CLI::IsMember({1, 2}));
  app.add_option("--outcome", outcome, "stored, or failed (every store that did not happen or did not take)")
      ->check(CLI::IsMember({"stored", "failed"}));
  app.add_flag("--csv", csv, "write CSV with a header line instead of the list");
  CLI::App* show = app.add_subcommand("show", "write one record whole, as indented JSON");
  std::size_t showLine = 0;
  show->add_option("LINE", showLine, "the record's line number in the file")->required()->check(CLI::PositiveNumber);
  app.footer("Corrupt or cut lines are reported on standard error with their line number and skipped.");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? kExitOk : kExitUsage;
  }

  RecordFilter filter;
  if (!since.empty() && !(filter.since = sinceBound(since))) {
    std::cerr << "rx041-records: --since " << since << " is not a date or time like 2026-05-12 or 2026-05-12T14:00\n";
    return kExitUsage;
  }
  if (!until.empty() && !(filter.until = untilBound(until))) {
    std::cerr << "rx041-records: --until " << until << " is not a date or time like 2026-05-12 or 2026-05-12T14:00\n";
    return kExitUsage;
  }
  if (!port.empty()) filter.port = portName(port);
  if (part != 0) filter.part = part;
  if (!outcome.empty()) filter.outcome = outcome == "stored" ? OutcomeFilter::Stored : OutcomeFilter::Failed;

  std::error_code missing;
  if (!std::filesystem::exists(file, missing)) {
    std::cerr << "rx041-records: no records yet (" << file << " does not exist)\n";
    if (show->parsed()) return kExitFailure;
    if (csv) writeCsv(std::cout, {});
    return kExitOk;
  }
  std::ifstream in(file);
  if (!in) {
    std::cerr << "rx041-records: cannot read " << file << "\n";
    return kExitFailure;
  }
  const rx41::RecordFileContents contents = rx41::readRecords(in);
  reportProblems(contents, file);
  if (show->parsed()) return showRecord(contents, file, showLine);

  std::vector<const rx41::NumberedRecord*> selected;
  for (const auto& record : contents.records)
    if (matches(record.record, filter)) selected.push_back(&record);
  if (csv) {
    writeCsv(std::cout, selected);
  } else {
    for (const rx41::NumberedRecord* record : selected) std::cout << listLine(*record) << "\n";
  }
  return kExitOk;
}
