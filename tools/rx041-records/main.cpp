// rx041-records: reads the programming record file of the RX041 bench
// software: lists records (filtered by time, port, part, kind, outcome and
// verdict), shows one whole, or exports them as CSV.
#include <CLI/CLI.hpp>
#include <charconv>
#include <cstring>
#include <iostream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

#include "record_query.h"
#include "record_source.h"
#include "record_table.h"
#include "rx041/component/shown_text.h"
#include "rx041/records/record_file.h"
#include "rx041/version.h"

namespace {

using namespace rx041::records;
using rx041::shownText;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

void reportProblems(const RecordFileContents& contents, const std::string& file) {
  for (const auto& problem : contents.problems)
    std::cerr << file << ":" << problem.line << ": " << shownText(problem.reason) << "; skipped\n";
}

// The text of one line of the file, read again: the record laid out shows every
// field, also those this version does not know.
std::optional<std::string> lineText(const std::filesystem::path& file, std::size_t line) {
  const OpenedRecordFile opened = openRecordFile(file);
  if (!opened.reader) return std::nullopt;
  std::istream in(opened.reader.get());
  for (std::size_t number = 1; number < line; ++number) in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  std::vector<char> text(kLongestRecordLine + 1);
  in.getline(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.fail()) return std::nullopt;
  return std::string(text.data());
}

int showRecord(const RecordFileContents& contents, const std::filesystem::path& file, std::size_t line) {
  const std::string name = shownText(file.string());
  for (const auto& record : contents.records) {
    if (record.line != line) continue;
    const auto text = lineText(file, line);
    const auto json = text ? nlohmann::ordered_json::parse(*text, nullptr, false) : nlohmann::ordered_json();
    if (json.is_discarded() || json.is_null()) {
      std::cerr << "rx041-records: " << name << " changed while it was read; line " << line << " is no record now\n";
      return kExitFailure;
    }
    // JSON escapes C0 controls within its strings, so every line end of the layout is its own;
    // DEL, C1 controls and direction overrides are escaped line by line.
    std::istringstream laidOut(json.dump(2));
    for (std::string row; std::getline(laidOut, row);) std::cout << shownText(row, rx041::EscapeStyle::Json) << "\n";
    return kExitOk;
  }
  for (const auto& problem : contents.problems) {
    if (problem.line != line) continue;
    std::cerr << name << ":" << line << ": " << shownText(problem.reason) << "\n";
    return kExitFailure;
  }
  std::cerr << "rx041-records: " << name << " has no record on line " << line << "\n";
  return kExitFailure;
}

// A line number: 1 or more, in digits.
std::string lineNumberProblem(const std::string& text) {
  std::size_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc() && end == text.data() + text.size() && value >= 1) return {};
  return "a line number of the file is 1 or more, not '" + shownText(text) + "'";
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Reads the programming records of the RX041 bench software: one record per EEPROM store, with the chip, the\n"
      "settings and register image written, the read-back verification and the outcome; and one per output check\n"
      "of a part, with every measured point and the verdict.\n"
      "  rx041-records [FILTERS] [--csv]  list the records, oldest first (or export them as CSV)\n"
      "  rx041-records show LINE          one record whole, by the line number the list shows"};
  app.set_version_flag("--version", rx041::versionLine("rx041-records"));
  std::string file = recordFilePath().string();
  std::string since, until, port, outcome, kind, verdict;
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
  app.add_option("--kind", kind, "records of one kind: store (EEPROM stores) or output_check")
      ->check(CLI::IsMember({"store", "output_check"}));
  app.add_option("--verdict", verdict, "output checks with this verdict: pass, fail or not_enough")
      ->check(CLI::IsMember({"pass", "fail", "not_enough"}));
  app.add_flag("--csv", csv,
               "write CSV with a header line instead of the list: a row per store record, or with --kind "
               "output_check or --verdict a row per measured point");
  CLI::App* show = app.add_subcommand("show", "write one record whole, as indented JSON");
  // Options may follow the subcommand, as in "show 12 --file FILE".
  show->fallthrough();
  std::size_t showLine = 0;
  show->add_option("LINE", showLine, "the record's line number in the file")
      ->required()
      ->check(CLI::Validator(lineNumberProblem, "LINE"));
  app.footer(
      "Corrupt or cut lines, and lines longer than 1 MiB, are reported on standard error with their line number and "
      "skipped.");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? kExitOk : kExitUsage;
  }

  RecordFilter filter;
  if (!since.empty() && !(filter.since = sinceBound(since))) {
    std::cerr << "rx041-records: --since " << shownText(since)
              << " is not a date or time like 2026-05-12 or 2026-05-12T14:00\n";
    return kExitUsage;
  }
  if (!until.empty() && !(filter.until = untilBound(until))) {
    std::cerr << "rx041-records: --until " << shownText(until)
              << " is not a date or time like 2026-05-12 or 2026-05-12T14:00\n";
    return kExitUsage;
  }
  if (!port.empty()) filter.port = portName(port);
  if (part != 0) filter.part = part;
  if (!outcome.empty()) filter.outcome = outcome == "stored" ? OutcomeFilter::Stored : OutcomeFilter::Failed;
  if (!kind.empty()) filter.kind = kind == "store" ? RecordKind::Store : RecordKind::OutputCheck;
  filter.verdict = verdict;
  if ((!verdict.empty() && filter.kind == RecordKind::Store) ||
      (!outcome.empty() && filter.kind == RecordKind::OutputCheck) || (!verdict.empty() && !outcome.empty())) {
    std::cerr << "rx041-records: --outcome selects store records, --verdict output checks; not both\n";
    return kExitUsage;
  }
  // The CSV of output checks has a row per point, that of stores a row per record.
  const bool checkRows = filter.kind == RecordKind::OutputCheck || !verdict.empty();

  const std::string name = shownText(file);
  const OpenedRecordFile opened = openRecordFile(file);
  if (opened.missing) {
    std::cerr << "rx041-records: no records yet (" << name << " does not exist)\n";
    if (show->parsed()) return kExitFailure;
    if (csv) checkRows ? writeOutputCheckCsv(std::cout, {}) : writeCsv(std::cout, {});
    return kExitOk;
  }
  if (!opened.reader) {
    std::cerr << "rx041-records: cannot read " << name << ": " << opened.problem << "\n";
    return kExitFailure;
  }
  std::istream in(opened.reader.get());
  const RecordFileContents contents = readRecords(in);
  reportProblems(contents, name);
  if (opened.reader->error() != 0) {
    std::cerr << "rx041-records: reading " << name << " failed: " << std::strerror(opened.reader->error()) << "\n";
    return kExitFailure;
  }
  if (show->parsed()) return showRecord(contents, file, showLine);

  std::vector<const NumberedRecord*> selected;
  std::size_t checksLeftOut = 0;
  for (const auto& record : contents.records) {
    if (!matches(record.record, filter)) continue;
    // Rows of two layouts in one CSV would break every reader of the store layout.
    if (csv && !checkRows && record.record.kind != RecordKind::Store) {
      ++checksLeftOut;
      continue;
    }
    selected.push_back(&record);
  }
  if (csv && checkRows) {
    writeOutputCheckCsv(std::cout, selected);
  } else if (csv) {
    writeCsv(std::cout, selected);
    if (checksLeftOut > 0)
      std::cerr << "rx041-records: " << checksLeftOut
                << " output check record(s) left out of the store CSV; export them with --kind output_check\n";
  } else {
    for (const NumberedRecord* record : selected) std::cout << listLine(*record) << "\n";
  }
  return kExitOk;
}
