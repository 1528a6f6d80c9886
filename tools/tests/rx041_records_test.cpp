// The rx041-records program on a fixture file with records of two benches, a
// corrupt line and a last line cut short: the filters, show, CSV and how bad
// lines and arguments are reported.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cctype>
#include <fstream>
#include <sstream>

#include "program_process.h"
#include "rx041/test_support/temp_dir.h"

namespace rx041::records {
namespace {

const std::string kFixture = std::string(RECORDS_FIXTURE);
const std::string kStuck = "Part#1: verification failed at register 0x0B: wrote 0x66, read 0x00";

class Rx041RecordsTest : public ::testing::Test {
 protected:
  test::ProcessResult run(const std::string& args) {
    return test::runProgram(RX041_RECORDS_PROGRAM, "--file " + kFixture + " " + args);
  }
  // The line numbers the list shows, in order.
  static std::vector<int> listed(const test::ProcessResult& result) {
    std::vector<int> numbers;
    for (const std::string& line : result.lines()) numbers.push_back(std::stoi(line));
    return numbers;
  }

 private:
  // The dates of the filters are local dates: Central European summer time, +02:00 in May.
  test::ScopedEnv zone_{"TZ", "CET-1CEST,M3.5.0,M10.5.0/3"};
};

// A CSV line split into its fields, quotes undone.
std::vector<std::string> csvFields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

TEST_F(Rx041RecordsTest, FiltersSelectByTimePortPartAndOutcome) {
  const struct {
    const char* args;
    std::vector<int> lines;
  } cases[] = {
      {"", {1, 2, 4, 5, 6}},
      {"--since 2026-05-12", {4, 5, 6}},
      {"--until 2026-05-12", {1, 2, 4, 5}},  // the whole local day
      {"--since 2026-05-12T14:03:07.250+02:00 --until 2026-05-12T23:30", {4, 5}},
      {"--since 2026-05-13T09:59 --until 2026-05-13T10:00:00.000+02:00", {6}},
      {"--port COM4", {4, 5}},
      {"--port 3", {1, 2, 6}},
      {"--port /dev/ttyUSB1", {4, 5}},
      {"--part 2", {2, 5}},
      {"--outcome stored", {1, 2, 5}},
      {"--outcome failed", {4, 6}},
      {"--part 1 --outcome failed --port com4", {4}},
  };
  for (const auto& c : cases) {
    const auto result = run(c.args);
    EXPECT_EQ(result.exitCode, 0) << c.args << ": " << result.err;
    EXPECT_EQ(listed(result), c.lines) << c.args;
  }
}

TEST_F(Rx041RecordsTest, ListsOneLineARecordAndReportsBadLinesByNumber) {
  const auto result = run("--port COM4");
  ASSERT_EQ(result.lines().size(), 2u);
  EXPECT_EQ(result.lines()[0], "4  2026-05-12T14:03:07.250+02:00  COM4  Part#1  0x32  " + kStuck);
  EXPECT_EQ(result.lines()[1], "5  2026-05-12T23:30:00.000+02:00  COM4  Part#2  0x33  stored");
  EXPECT_EQ(result.err,
            kFixture + ":3: not a record: not JSON; skipped\n" + kFixture + ":7: cut short (no line end); skipped\n");
}

TEST_F(Rx041RecordsTest, ShowsOneRecordWhole) {
  auto result = run("show 4");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("  \"outcome\": \"" + kStuck + "\""), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("\"register\": \"0x0B\""), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("\"time\""), result.out.find('"')) << "fields in the order they were written";

  result = run("show 3");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find(kFixture + ":3: not a record: not JSON\n"), std::string::npos) << result.err;
  EXPECT_EQ(run("show 99").exitCode, 1);
}

TEST_F(Rx041RecordsTest, CsvHasAColumnPerFieldAndQuotesWhereNeeded) {
  const auto result = run("--csv --port COM4");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const auto lines = result.lines();
  ASSERT_EQ(lines.size(), 3u);
  const auto header = csvFields(lines[0]);
  const auto column = [&](const std::string& name) {
    const auto found = std::find(header.begin(), header.end(), name);
    EXPECT_NE(found, header.end()) << name;
    return static_cast<std::size_t>(found - header.begin());
  };
  const auto stuck = csvFields(lines[1]);
  const auto cleared = csvFields(lines[2]);
  ASSERT_EQ(stuck.size(), header.size());
  ASSERT_EQ(cleared.size(), header.size());
  EXPECT_EQ(stuck[column("line")], "4");
  EXPECT_EQ(stuck[column("chip_id")], "0x32");
  EXPECT_EQ(stuck[column("dac_k")], "0.2722222");
  EXPECT_EQ(stuck[column("angle_b")], "140");
  EXPECT_EQ(stuck[column("level_a")], "10");
  EXPECT_EQ(stuck[column("reg_0x0B")], "0x66");
  EXPECT_EQ(stuck[column("reg_0x01")], "");
  EXPECT_EQ(stuck[column("verification")], "failed at register 0x0B: wrote 0x66, read 0x00");
  EXPECT_EQ(stuck[column("outcome")], kStuck);
  EXPECT_EQ(stuck[column("program_result")], "");
  EXPECT_NE(lines[1].find("\"" + kStuck + "\""), std::string::npos) << "a field with a comma is quoted";
  EXPECT_EQ(cleared[column("contents")], "cleared");
  EXPECT_EQ(cleared[column("clamp_low")], "");
  EXPECT_EQ(cleared[column("verification")], "skipped: not applicable: nothing configured (cleared solver)");
}

TEST_F(Rx041RecordsTest, BadArgumentsAndAMissingFile) {
  for (const char* args : {"--since yesterday", "--until 12.05.2026", "--part 3", "--outcome maybe", "show",
                           "--until 2026-02-30", "--since 2026-04-31", "--since 2026-05-12T24:00",
                           "--until 2026-05-12T14:00+99:99", "show 0", "show -1", "show x"}) {
    const auto result = run(args);
    EXPECT_EQ(result.exitCode, 2) << args;
    EXPECT_TRUE(result.out.empty()) << args;
    std::size_t digitsInARow = 0, longest = 0;
    for (const char c : result.err) longest = std::max(longest, digitsInARow = std::isdigit(c) ? digitsInARow + 1 : 0);
    EXPECT_LT(longest, 12u) << args << ": " << result.err;
  }
  test::TempDir dir;
  const auto result = test::runProgram(RX041_RECORDS_PROGRAM, "--file " + (dir / "none.jsonl").string());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.out.empty());
  EXPECT_NE(result.err.find("no records yet"), std::string::npos) << result.err;
}

TEST_F(Rx041RecordsTest, OptionsMayFollowTheSubcommand) {
  const auto result = test::runProgram(RX041_RECORDS_PROGRAM, "show 4 --file " + kFixture);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("\"register\": \"0x0B\""), std::string::npos) << result.out;
}

// A file of two store records (as written before there were kinds) and two
// output checks: a pass of Part#1 and a fail of Part#2.
class OutputCheckRecords : public Rx041RecordsTest {
 protected:
  test::ProcessResult checks(const std::string& args) {
    return test::runProgram(RX041_RECORDS_PROGRAM, "--file " + std::string(CHECKS_FIXTURE) + " " + args);
  }
};

TEST_F(OutputCheckRecords, KindAndVerdictSelectAndStoresKeepTheirOutcomes) {
  const struct {
    const char* args;
    std::vector<int> lines;
  } cases[] = {
      {"", {1, 2, 3, 4}},
      {"--kind output_check", {2, 3}},
      {"--kind store", {1, 4}},
      {"--verdict fail", {3}},
      {"--verdict pass --part 1", {2}},
      {"--verdict not_enough", {}},
      {"--outcome stored", {1}},
      {"--outcome failed", {4}},  // an output check is no failed store
      {"--kind output_check --since 2026-05-12", {3}},
  };
  for (const auto& c : cases) {
    const auto result = checks(c.args);
    EXPECT_EQ(result.exitCode, 0) << c.args << ": " << result.err;
    EXPECT_EQ(listed(result), c.lines) << c.args;
  }
  const auto all = checks("");
  ASSERT_EQ(all.lines().size(), 4u);
  EXPECT_EQ(all.lines()[2],
            "3  2026-05-12T10:00:00.000+02:00  COM3  Part#2  0x32  output check: FAIL at 120.00 deg: measured 80.20 "
            "%VDD, expected 74.00 %VDD");
  for (const char* args : {"--verdict fail --outcome failed", "--kind store --verdict pass",
                           "--kind output_check --outcome stored", "--verdict maybe", "--kind calibration"})
    EXPECT_EQ(checks(args).exitCode, 2) << args;
}

TEST_F(OutputCheckRecords, CsvOfChecksHasARowPerPointAndTheStoreCsvLeavesThemOut) {
  const auto result = checks("--kind output_check --csv");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto lines = result.lines();
  ASSERT_EQ(lines.size(), 1u + 5u + 3u);
  const auto header = csvFields(lines[0]);
  const auto cell = [&](std::size_t row, const std::string& name) {
    const auto fields = csvFields(lines[row]);
    EXPECT_EQ(fields.size(), header.size()) << row;
    const auto found = std::find(header.begin(), header.end(), name);
    EXPECT_NE(found, header.end()) << name;
    return fields.at(static_cast<std::size_t>(found - header.begin()));
  };
  EXPECT_EQ(cell(1, "line"), "2");
  EXPECT_EQ(cell(1, "point"), "1");
  EXPECT_EQ(cell(5, "point"), "5");
  EXPECT_EQ(cell(4, "point_verdict"), "near_jump");
  EXPECT_EQ(cell(4, "error"), "-35");
  EXPECT_EQ(cell(1, "error"), "0.1") << "as the two values read, not in single precision";
  EXPECT_EQ(cell(7, "line"), "3");
  EXPECT_EQ(cell(7, "verdict"), "fail");
  EXPECT_EQ(cell(7, "output"), "80.2");
  EXPECT_EQ(cell(7, "expected"), "74");
  EXPECT_EQ(cell(7, "angle_b"), "140");
  EXPECT_EQ(cell(7, "direction"), "ccw");

  // The store layout stays as it was, and says what it left out.
  const auto stores = checks("--csv");
  ASSERT_EQ(stores.exitCode, 0) << stores.err;
  ASSERT_EQ(stores.lines().size(), 3u);
  EXPECT_EQ(csvFields(stores.lines()[0]), csvFields(run("--csv").lines()[0]));
  EXPECT_EQ(csvFields(stores.lines()[2])[0], "4");
  EXPECT_NE(stores.err.find("2 output check record(s) left out"), std::string::npos) << stores.err;
}

// A file of records made from the fixture's record on line 4 with some fields replaced.
class CraftedRecords : public Rx041RecordsTest {
 protected:
  test::TempDir dir;
  std::string file = (dir / "records.jsonl").string();

  static std::string fixtureLine() {
    std::ifstream in(kFixture);
    std::string line;
    for (int number = 1; number <= 4; ++number) std::getline(in, line);
    return line;
  }
  static std::string replaced(std::string line, const std::string& from, const std::string& to) {
    const auto at = line.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) line.replace(at, from.size(), to);
    return line;
  }
  void write(const std::vector<std::string>& lines) {
    std::ofstream out(file, std::ios::trunc);
    for (const auto& line : lines) out << line << "\n";
  }
  test::ProcessResult records(const std::string& args) {
    return test::runProgram("timeout", "10 " + std::string(RX041_RECORDS_PROGRAM) + " --file " + file + " " + args);
  }
};

// Bytes a terminal would obey.
bool obeyable(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c < 0x20 && c != '\n') || c == 0x7F || (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0))
      return true;
  }
  return false;
}

TEST_F(CraftedRecords, CsvKeepsFormulaTextsTextAndNumbersNumbers) {
  std::string line = fixtureLine();
  const struct {
    const char* field;
    std::string from, to;
  } cases[] = {
      {"host", "\"bench3\"", "\"=HYPERLINK(\\\"http://x\\\",\\\"y\\\")\""},
      {"window", "\"MainForm2PointsProgramming\"", "\"@SUM(A1:A9)\""},
      {"port", "\"COM4\"", "\"+cmd|' /C calc'!A0\""},
      {"device", "\"/dev/ttyUSB1\"", "\"-2+3\""},
      {"mode", "\"/2\"", "\"\\t=1+1\""},
      {"outcome", "\"Part#1: verification failed at register 0x0B: wrote 0x66, read 0x00\"", "\"=1+1\""},
  };
  for (const auto& c : cases) line = replaced(line, c.from, c.to);
  line = replaced(line, "\"vdd\":5.012", "\"vdd\":-101.0");
  write({line});

  const auto result = records("--csv");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  ASSERT_EQ(result.lines().size(), 2u);
  const auto header = csvFields(result.lines()[0]);
  const auto row = csvFields(result.lines()[1]);
  ASSERT_EQ(row.size(), header.size());
  for (std::size_t i = 0; i < header.size(); ++i) {
    const std::string& cell = row[i];
    EXPECT_TRUE(cell.empty() || std::string("=+-@\t\r").find(cell.front()) == std::string::npos || header[i] == "vdd")
        << header[i] << ": " << cell << " would be taken for a formula";
  }
  const auto column = [&](const std::string& name) {
    return row[static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin())];
  };
  EXPECT_EQ(column("host"), "'=HYPERLINK(\"http://x\",\"y\")") << "the text itself is kept after the quote";
  EXPECT_EQ(column("device"), "'-2+3");
  EXPECT_EQ(column("vdd"), "-101") << "a number stays a number";
  EXPECT_EQ(column("dac_b"), "1.2");
}

TEST_F(CraftedRecords, ControlCharactersAreShownEscaped) {
  // A record that would draw a fake "stored" line over its own and reverse what follows.
  const std::string forged =
      "\\r\\u001b[2K4  2026-05-12T14:03:07.250+02:00  COM4  Part#1  0x32  stored\u009b\u202e\\u007f";
  write({replaced(replaced(fixtureLine(), "\"Part#1: verification failed at register 0x0B: wrote 0x66, read 0x00\"",
                           "\"" + forged + "\""),
                  "\"COM4\"", "\"COM4\\u0007\"")});
  for (const char* args : {"", "show 1", "--csv"}) {
    const auto result = records(args);
    EXPECT_EQ(result.exitCode, 0) << args << ": " << result.err;
    EXPECT_FALSE(result.out.empty()) << args;
    EXPECT_FALSE(obeyable(result.out)) << args << ": " << result.out;
    EXPECT_NE(result.out.find("2K4"), std::string::npos) << args << ": the text is shown, escaped";
  }
  write({replaced(fixtureLine(), "\"time\":\"", "\"time\":\"\\u001b[31m")});
  const auto corrupt = records("");
  EXPECT_FALSE(obeyable(corrupt.err)) << corrupt.err;
  EXPECT_NE(corrupt.err.find(":1: "), std::string::npos) << corrupt.err;
}

TEST_F(CraftedRecords, RecordsThatCannotBeRealAreCorruptLines) {
  const std::string good = fixtureLine();
  write({replaced(good, "\"part\":1", "\"part\":4294967297"), replaced(good, "14:03:07.250", "24:00:00.000"),
         replaced(good, "+02:00", "+99:99"), replaced(good, "2026-05-12", "2026-02-30"), good});
  for (const char* args : {"", "--since 2026-05-01", "--until 2026-12-31"}) {
    const auto result = records(args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(listed(result), std::vector<int>{5}) << args;
    for (const char* line : {":1: ", ":2: ", ":3: ", ":4: "})
      EXPECT_NE(result.err.find(file + line), std::string::npos) << args << ": " << line << " in " << result.err;
  }
}

TEST_F(CraftedRecords, AnOverlongLineIsReportedAndTheRestRead) {
  write({std::string(3 * 1024 * 1024, '['), fixtureLine()});
  const auto result = records("");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(listed(result), std::vector<int>{2});
  EXPECT_NE(result.err.find(file + ":1: longer than"), std::string::npos) << result.err;
}

TEST_F(CraftedRecords, WhatCannotBeReadAsRecordsIsAFailure) {
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "device");
  std::filesystem::create_directories(dir / "folder");
  for (const char* name : {"fifo", "device", "folder"}) {
    file = (dir / name).string();
    for (const char* args : {"", "show 1", "--csv"}) {
      const auto result = records(args);
      EXPECT_EQ(result.exitCode, 1) << name << " " << args << (result.exitCode == 124 ? ": still reading" : "");
      EXPECT_TRUE(result.out.empty()) << name << " " << args;
      EXPECT_NE(result.err.find("not a regular file"), std::string::npos) << result.err;
    }
  }
}

}  // namespace
}  // namespace rx041::records
