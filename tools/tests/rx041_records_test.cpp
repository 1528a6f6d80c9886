// The rx041-records program on a fixture file with records of two benches, a
// corrupt line and a last line cut short: the filters, show, CSV and how bad
// lines and arguments are reported.
#include <gtest/gtest.h>

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
  for (const char* args : {"--since yesterday", "--until 12.05.2026", "--part 3", "--outcome maybe", "show"}) {
    const auto result = run(args);
    EXPECT_EQ(result.exitCode, 2) << args;
    EXPECT_TRUE(result.out.empty()) << args;
  }
  test::TempDir dir;
  const auto result = test::runProgram(RX041_RECORDS_PROGRAM, "--file " + (dir / "none.jsonl").string());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.out.empty());
  EXPECT_NE(result.err.find("no records yet"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace rx041::records
