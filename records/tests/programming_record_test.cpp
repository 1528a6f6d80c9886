// Programming records as lines of the record file: what a line carries, what
// reads back from it, which lines hold no record, and the time stamps.
#include <gtest/gtest.h>

#include <ctime>
#include <nlohmann/json.hpp>
#include <sstream>

#include "rx041/records/record_file.h"
#include "rx041/records/record_time.h"
#include "rx041/test_support/temp_dir.h"

namespace rx041::records {
namespace {

ProgrammingRecord configuredRecord() {
  ProgrammingRecord r;
  r.time = "2026-05-12T14:03:07.250+02:00";
  r.host = "bench3";
  r.mode = "/1";
  r.window = "MainForm2Parts2Src";
  r.port = "COM3";
  r.device = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";
  r.part = 2;
  r.chipId = 0x31;
  r.vdd = 5.012f;
  r.dacK = static_cast<float>(1.0 / 3.6);
  r.dacB = -0.25f;
  SolverSettingsSent s;
  s.clampLow = 5.0f;
  s.clampHigh = 95.0f;
  s.dp = 220.0f;
  s.points = {{{40.0f, 10.0f}, {140.0f, 90.0f}, {140.0f, 0.0f}, {140.0f, 0.0f}}};
  s.slope = 0.8f;
  s.op = 90.0f;
  s.hys = 2.25f;
  s.switchPolarity = 1;
  s.outputMode = 1;
  s.pwmFrequency = 2;
  s.pwmPolarity = 0;
  s.dacCorrection = true;
  r.settings = s;
  r.registers = {{1, 0x00}, {11, 0x66}, {22, 0x80}};
  r.verification = {VerificationResult::Failed, 3, RegisterMismatch{11, 0x66, std::nullopt}, ""};
  r.outcome = "Part#2: verification failed at register 0x0B: wrote 0x66, read failed";
  return r;
}

ProgrammingRecord outputCheckRecord() {
  ProgrammingRecord r;
  r.kind = RecordKind::OutputCheck;
  r.time = "2026-05-12T14:10:00.000+02:00";
  r.host = "bench3";
  r.mode = "/2";
  r.window = "MainForm2PointsProgramming";
  r.port = "COM3";
  r.part = 1;
  r.chipId = 0x31;
  OutputCheck check;
  check.curve = {2, {{{40, 10}, {140, 90}, {0, 0}, {0, 0}}}, 220, 95, 5, true};
  check.tolerance = 0.5f;
  check.minimumPoints = 6;
  check.points = {{60.0f, 60.015625f, 60.0078125f, 27.1f, 26.0f, "fail"},
                  {221.0f, 221.0f, 221.0f, 5.0f, 95.0f, "near_jump"},
                  {300.5f, 300.5f, 300.5f, 4.0f, std::nullopt, "off_curve"}};
  check.verdict = "fail";
  check.verdictText = "FAIL at 60.01 deg: measured 27.10 %VDD, expected 26.00 %VDD";
  r.outputCheck = check;
  r.outcome = "fail";
  return r;
}

TEST(ProgrammingRecordTest, AnOutputCheckReadsBackTheSameAndOldLinesAreStores) {
  const std::string line = recordLine(outputCheckRecord());
  const auto parsed = parseRecord(line);
  ASSERT_TRUE(std::holds_alternative<ProgrammingRecord>(parsed)) << std::get<std::string>(parsed);
  EXPECT_EQ(std::get<ProgrammingRecord>(parsed), outputCheckRecord()) << line;
  EXPECT_FALSE(std::get<ProgrammingRecord>(parsed).stored());

  const auto json = nlohmann::json::parse(line);
  EXPECT_EQ(json["kind"], "output_check");
  EXPECT_EQ(json["check"]["curve"]["direction"], "cw");
  EXPECT_NEAR(json["check"]["points"][0]["error"].get<double>(), 1.1, 1e-5) << "output less expected";
  EXPECT_TRUE(json["check"]["points"][2]["error"].is_null());

  // A store record's line carries no kind, as before there were kinds, and reads as a store.
  const std::string store = recordLine(configuredRecord());
  EXPECT_EQ(store.find("\"kind\""), std::string::npos);
  EXPECT_EQ(std::get<ProgrammingRecord>(parseRecord(store)).kind, RecordKind::Store);
  std::string named = store;
  named.insert(1, "\"kind\":\"store\",");
  EXPECT_EQ(std::get<ProgrammingRecord>(parseRecord(named)), configuredRecord());

  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string changed = line;
    changed.replace(changed.find(from), from.size(), to);
    return changed;
  };
  const struct {
    std::string line;
    const char* reason;
  } refused[] = {
      {replaced("\"output_check\"", "\"calibration\""), "kind 'calibration' is unknown"},
      {replaced("\"check\":{", "\"checked\":{"), "'check' is missing"},
      {replaced("\"direction\":\"cw\"", "\"direction\":\"left\""), "direction 'left'"},
      {replaced("\"output\":27.1", "\"output\":\"27 %\""), "'output' is not a number"},
      {replaced("\"tolerance\":0.5,", ""), "'tolerance' is missing"},
  };
  for (const auto& c : refused) {
    const auto result = parseRecord(c.line);
    ASSERT_TRUE(std::holds_alternative<std::string>(result)) << c.line;
    EXPECT_NE(std::get<std::string>(result).find(c.reason), std::string::npos) << std::get<std::string>(result);
  }
}

TEST(ProgrammingRecordTest, ALineCarriesTheRecordAndReadsBackTheSame) {
  ProgrammingRecord cleared = configuredRecord();
  cleared.contents = EepromContents::Cleared;
  cleared.settings.reset();
  cleared.chipId.reset();
  cleared.verification = {VerificationResult::Skipped, 0, std::nullopt,
                          "not applicable: nothing configured (cleared solver)"};
  cleared.programResult = 0;
  cleared.outcome = std::string(kStoredOutcome);
  ProgrammingRecord locked = cleared;
  locked.contents = EepromContents::CommLock;

  for (const ProgrammingRecord& record : {configuredRecord(), cleared, locked}) {
    const std::string line = recordLine(record);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    const auto parsed = parseRecord(line);
    ASSERT_TRUE(std::holds_alternative<ProgrammingRecord>(parsed)) << std::get<std::string>(parsed);
    EXPECT_EQ(std::get<ProgrammingRecord>(parsed), record) << line;
  }

  // What a reader of the file sees without this program.
  const auto json = nlohmann::json::parse(recordLine(configuredRecord()));
  EXPECT_EQ(json["registers"]["0x0B"], "0x66");
  EXPECT_EQ(json["dac"]["k"].dump(), "0.2777778") << "single-precision values as they read";
  EXPECT_EQ(json["vdd"].dump(), "5.012");
  EXPECT_EQ(json["settings"]["points"]["B"]["level"].dump(), "90.0");
  EXPECT_EQ(json["verification"]["register"], "0x0B");
  EXPECT_TRUE(json["verification"]["read"].is_null());
  EXPECT_TRUE(json["program_result"].is_null());
  EXPECT_TRUE(nlohmann::json::parse(recordLine(cleared))["settings"].is_null());
  EXPECT_EQ(nlohmann::json::parse(recordLine(locked))["contents"], "comm_lock");
  // The fields in the order the file has always had them, for readers that go by position.
  const auto keys = [](const ProgrammingRecord& record) {
    const auto fields = nlohmann::ordered_json::parse(recordLine(record));
    std::vector<std::string> names;
    for (auto item = fields.begin(); item != fields.end(); ++item) names.push_back(item.key());
    return names;
  };
  EXPECT_EQ(
      keys(configuredRecord()),
      (std::vector<std::string>{"time", "host", "mode", "window", "port", "device", "part", "chip_id", "vdd", "dac",
                                "contents", "settings", "registers", "verification", "program_result", "outcome"}));
  EXPECT_EQ(keys(outputCheckRecord()), (std::vector<std::string>{"time", "kind", "host", "mode", "window", "port",
                                                                 "device", "part", "chip_id", "check", "outcome"}));
}

TEST(ProgrammingRecordTest, LinesThatHoldNoRecordSayWhy) {
  const std::string good = recordLine(configuredRecord());
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string line = good;
    line.replace(line.find(from), from.size(), to);
    return line;
  };
  const struct {
    std::string line;
    const char* reason;
  } cases[] = {
      {good.substr(0, good.size() / 2), "not JSON"},
      {"[1, 2]", "not a JSON object"},
      {"{\"part\": 1, \"outcome\": \"stored\"}", "'time' is missing"},
      {replaced("\"part\":2", "\"part\":3"), "'part' is not 1 or 2"},
      {replaced("\"part\":2", "\"part\":\"Part#2\""), "'part' is not a whole number"},
      {replaced("\"outcome\":", "\"result\":"), "'outcome' is missing"},
      {replaced("\"0x0B\":\"0x66\"", "\"0x0B\":\"102\""), "not a byte like 0x0B"},
      {replaced("\"vdd\":5.012", "\"vdd\":\"5 V\""), "'vdd' is not a number"},
      {replaced("\"result\":\"failed\"", "\"result\":\"maybe\""), "'maybe' is unknown"},
      // Numbers that do not fit are not cut to what fits.
      {replaced("\"part\":2", "\"part\":4294967298"), "'part' is out of range"},
      {replaced("\"part\":2", "\"part\":-4294967294"), "'part' is out of range"},
      {replaced("\"chip_id\":49", "\"chip_id\":2147483648"), "'chip_id' is out of range"},
      {replaced("\"chip_id\":49", "\"chip_id\":18446744073709551615"), "'chip_id' is out of range"},
      {replaced("\"vdd\":5.012", "\"vdd\":1e39"), "'vdd' is out of range"},
      {replaced("\"vdd\":5.012", "\"vdd\":-1e300"), "'vdd' is out of range"},
      // A time that is no instant.
      {replaced("14:03:07.250+02:00", "24:00:00.000+02:00"), "'time' holds"},
      {replaced("14:03:07.250+02:00", "14:03:07.250+99:99"), "'time' holds"},
      {replaced("2026-05-12T", "2026-02-30T"), "'time' holds"},
      {replaced("2026-05-12T14:03:07.250+02:00", "2026-05-12"), "'time' holds"},
      {replaced("2026-05-12T14:03:07.250+02:00", "yesterday"), "'time' holds"},
  };
  for (const auto& c : cases) {
    const auto parsed = parseRecord(c.line);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.line;
    EXPECT_NE(std::get<std::string>(parsed).find(c.reason), std::string::npos)
        << std::get<std::string>(parsed) << " for " << c.line;
  }
}

TEST(ProgrammingRecordTest, ReadingAFileSkipsCorruptAndCutLinesByNumber) {
  const std::string good = recordLine(configuredRecord());
  std::istringstream file(good + "\n\n{\"time\": \n" + good + "\n" + good.substr(0, 40));
  const RecordFileContents contents = readRecords(file);
  ASSERT_EQ(contents.records.size(), 2u);
  EXPECT_EQ(contents.records[0].line, 1u);
  EXPECT_EQ(contents.records[1].line, 4u);
  ASSERT_EQ(contents.problems.size(), 2u);
  EXPECT_EQ(contents.problems[0].line, 3u);
  EXPECT_EQ(contents.problems[0].reason, "not a record: not JSON");
  EXPECT_EQ(contents.problems[1].line, 5u);
  EXPECT_EQ(contents.problems[1].reason, "cut short (no line end)");
}

TEST(ProgrammingRecordTest, ALineBeyondTheBoundIsSkippedByNumber) {
  const std::string good = recordLine(configuredRecord());
  const auto padded = [&](std::size_t length) { return good + std::string(length - good.size(), ' '); };
  std::istringstream file(padded(kLongestRecordLine) + "\n" + padded(kLongestRecordLine + 1) + "\n" +
                          std::string(3 * kLongestRecordLine, '{') + "\n" + good + "\n" +
                          std::string(kLongestRecordLine + 7, 'x'));
  const RecordFileContents contents = readRecords(file);
  ASSERT_EQ(contents.records.size(), 2u);
  EXPECT_EQ(contents.records[0].line, 1u) << "a line of exactly the bound is read";
  EXPECT_EQ(contents.records[1].line, 4u);
  ASSERT_EQ(contents.problems.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(contents.problems[i].line, std::vector<std::size_t>({2, 3, 5})[i]);
    EXPECT_NE(contents.problems[i].reason.find("longer than 1048576 bytes"), std::string::npos)
        << contents.problems[i].reason;
  }
}

TEST(ProgrammingRecordTest, RecordFileFollowsItsEnvironment) {
  {
    rx041::test::ScopedEnv dir("RX041_RECORD_DIR", "/srv/records");
    rx041::test::ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(recordFilePath(), "/srv/records/programming-records.jsonl");
  }
  rx041::test::ScopedEnv dir("RX041_RECORD_DIR", nullptr);
  {
    rx041::test::ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(recordFilePath(), "/data/rx041/programming-records.jsonl");
  }
  rx041::test::ScopedEnv data("XDG_DATA_HOME", nullptr);
  rx041::test::ScopedEnv home("HOME", "/home/op");
  EXPECT_EQ(recordFilePath(), "/home/op/.local/share/rx041/programming-records.jsonl");
}

// Central European time for the test's duration.
class RecordTimeTest : public ::testing::Test {
 protected:
  RecordTimeTest() { tzset(); }
  ~RecordTimeTest() override {
    zone_.reset();
    tzset();
  }

 private:
  std::optional<rx041::test::ScopedEnv> zone_{std::in_place, "TZ", "CET-1CEST,M3.5.0,M10.5.0/3"};
};

TEST_F(RecordTimeTest, StampsCarryTheZoneAndParseBackToTheInstant) {
  const auto summerNoonUtc = std::chrono::system_clock::from_time_t(1782907200);  // 2026-07-01T12:00:00Z
  EXPECT_EQ(isoTimestamp(summerNoonUtc + std::chrono::milliseconds(7)), "2026-07-01T14:00:00.007+02:00");

  const std::int64_t noon = 1782907200000;
  const struct {
    const char* text;
    std::optional<std::int64_t> milliseconds;
    bool dateOnly = false;
  } cases[] = {
      {"2026-07-01T14:00:00.007+02:00", noon + 7},
      {"2026-07-01T12:00:00Z", noon},
      {"2026-07-01T06:30:00-05:30", noon},
      {"2026-07-01T14:00", noon},  // local time
      {"2026-07-01 14:00:00", noon},
      {"2026-07-01", noon - 14 * 3600 * 1000, true},
      {"2028-02-29T12:00:00Z", 1835438400000},  // a leap day
      {"2026-07-02T02:00:00.007+14:00", noon + 7},
      {"2026-07-01T25:00", std::nullopt},
      {"2026-07-01T24:00", std::nullopt},
      {"2026-07-01T14:60", std::nullopt},
      {"2026-02-29", std::nullopt},
      {"2026-02-30", std::nullopt},
      {"2026-04-31T10:00", std::nullopt},
      {"2100-02-29", std::nullopt},
      {"2026-07-01T14:00+99:99", std::nullopt},
      {"2026-07-01T14:00+15:00", std::nullopt},
      {"2026-07-01T14:00-05:60", std::nullopt},
      {"2026-13-01", std::nullopt},
      {"2026-07-01T14:00+2", std::nullopt},
      {"01.07.2026", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto parsed = parseIsoTime(c.text);
    ASSERT_EQ(parsed.has_value(), c.milliseconds.has_value()) << c.text;
    if (!parsed) continue;
    EXPECT_EQ(parsed->epochMilliseconds, *c.milliseconds) << c.text;
    EXPECT_EQ(parsed->dateOnly, c.dateOnly) << c.text;
  }
  const auto now = std::chrono::system_clock::now();
  EXPECT_EQ(parseIsoTime(isoTimestamp(now))->epochMilliseconds,
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count());
}

}  // namespace
}  // namespace rx041::records
