// The target point rules as a table: settings of one part in, the mode, the
// messages and the points sent to the solver out.
#include "rx41/dual/target_point_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace rx41 {
namespace {

constexpr float kEmpty = kEmptyValue;
constexpr std::optional<float> kNoLevel = std::nullopt;

const std::string kRules = "Rules: Angles should be DIFFERENT in CCW/CW within [0.0, 360.0) to fill in!";

struct RuleCase {
  const char* name;
  float angle[4];
  std::optional<float> level[4];
  bool clockwise = false;
  float slope = kEmpty;
  std::int16_t part = 0;
  // Expected
  std::int16_t mode = 0;
  std::vector<std::string> messages = {};
  float sentAngle[4] = {};
  float sentLevel[4] = {};
  std::int16_t partClockwise = 0;
  bool emptyLevelB = false;
};

PartEntries entriesOf(const RuleCase& row) {
  PartEntries entries;
  for (int k = 0; k < 4; ++k) {
    entries.values.AngleValue[k] = row.angle[k];
    entries.values.LevelValue[k] = row.level[k].value_or(0.0f);
    entries.levelGiven[k] = row.level[k].has_value();
  }
  entries.values.SlopeValue = row.slope;
  entries.clockwise = row.clockwise;
  entries.hysText = "1.00";
  return entries;
}

class TargetPointRuleTable : public ::testing::TestWithParam<RuleCase> {};

TEST_P(TargetPointRuleTable, ModeMessagesAndPointsSent) {
  const RuleCase& row = GetParam();
  CurveTables tables;
  std::vector<std::string> messages;
  TargetPointRules rules(tables, [&](const std::string& text) { messages.push_back(text); });
  const PartEntries entries = entriesOf(row);
  ASSERT_TRUE(rules.PrepareSettings(row.part, entries, ""));
  const Configuration configuration = rules.configsolver(row.part, entries);
  EXPECT_EQ(configuration.mode, row.mode);
  EXPECT_EQ(configuration.emptyLevelB, row.emptyLevelB);
  EXPECT_EQ(messages, row.messages);
  if (row.mode == 0) return;
  const TargetPoints& sent = rules.targets(row.part);
  for (int k = 0; k < 4; ++k) {
    EXPECT_FLOAT_EQ(sent.PointAngle[k], row.sentAngle[k]) << "angle " << k;
    EXPECT_FLOAT_EQ(sent.PointLevel[k], row.sentLevel[k]) << "level " << k;
  }
  EXPECT_EQ(tables.PartClockwise[row.part], row.partClockwise);
}

const RuleCase kRows[] = {
    {"twoPoints",
     {10, 20, kEmpty, kEmpty},
     {10, 90, kNoLevel, kNoLevel},
     false,
     kEmpty,
     0,
     2,
     {},
     {10, 20, 20, 20},
     {10, 90, 0, 0},
     0},
    {"twoPointsClockwiseExchangeAandB",
     {10, 20, kEmpty, kEmpty},
     {10, 90, kNoLevel, kNoLevel},
     true,
     kEmpty,
     0,
     2,
     {},
     {20, 10, 10, 10},
     {90, 10, 0, 0},
     -1},
    {"anglesRoundedToTheSameDegree",
     {10.4f, 10.2f, kEmpty, kEmpty},
     {10, 90, kNoLevel, kNoLevel},
     false,
     kEmpty,
     0,
     0,
     {kRules}},
    {"levelsRoundedToTheSamePercent",
     {10, 20, kEmpty, kEmpty},
     {40.2f, 39.9f, kNoLevel, kNoLevel},
     false,
     kEmpty,
     1,
     0,
     {"Please noted: Part#2-Level#0 is the same as Part#2-Level#1 !"},
     {},
     {},
     0,
     true},
    {"fourRisingAnglesAreClockwiseAndReversed",
     {10, 20, 30, 40},
     {10, 20, 30, 40},
     false,
     kEmpty,
     0,
     4,
     {},
     {40, 30, 20, 10},
     {40, 30, 20, 10},
     -1},
    {"fourFallingAnglesAreSentAsEntered",
     {40, 30, 20, 10},
     {10, 20, 30, 40},
     false,
     kEmpty,
     0,
     4,
     {},
     {40, 30, 20, 10},
     {10, 20, 30, 40},
     0},
    {"fourAnglesWithoutOrder",
     {10, 30, 20, 40},
     {10, 20, 30, 40},
     false,
     kEmpty,
     0,
     0,
     {"Error: The order of 4 Points angles is unable to be determined in-DrawMain!"}},
    {"threeRisingAnglesExchangeAandC",
     {10, 20, 30, kEmpty},
     {10, 50, 90, kNoLevel},
     false,
     kEmpty,
     0,
     3,
     {},
     {30, 20, 10, 10},
     {90, 50, 10, 0},
     -1},
    {"slopeMakesBTenDegreesOnIgnoringAngleB",
     {100, 200, kEmpty, kEmpty},
     {20, 70, kNoLevel, kNoLevel},
     false,
     0.5f,
     0,
     2,
     {},
     {100, 110, 110, 110},
     {20, 25, 0, 0},
     0},
    {"slopeClockwise",
     {100, kEmpty, kEmpty, kEmpty},
     {20, kNoLevel, kNoLevel, kNoLevel},
     true,
     0.5f,
     0,
     2,
     {},
     {110, 100, 100, 100},
     {25, 20, 0, 0},
     -1},
    {"slopeWithoutLevelA",
     {100, kEmpty, kEmpty, kEmpty},
     {kNoLevel, kNoLevel, kNoLevel, kNoLevel},
     false,
     0.5f,
     1,
     0,
     {"Please noted: Part#2-Level#0 is Empty!"}},
    {"angleDWithoutC", {10, 20, kEmpty, 40}, {10, 90, kNoLevel, 50}, false, kEmpty, 0, 0, {kRules}},
    {"angleAMissing",
     {kEmpty, 20, kEmpty, kEmpty},
     {10, 90, kNoLevel, kNoLevel},
     false,
     kEmpty,
     0,
     0,
     {"Error Angles of Point A and Point B input"}},
    {"levelBMissing",
     {10, 20, kEmpty, kEmpty},
     {10, kNoLevel, kNoLevel, kNoLevel},
     false,
     kEmpty,
     0,
     0,
     {"Please noted: Part#1-Level#1 is Empty!"}},
    {"levelCMissing",
     {10, 20, 30, kEmpty},
     {10, 50, kNoLevel, kNoLevel},
     false,
     kEmpty,
     0,
     0,
     {"Please noted: Part#1-Level#2 is Empty!"}},
    {"levelsCheckedFromA",
     {40, 30, 20, 10},
     {kNoLevel, 20, 30, kNoLevel},
     false,
     kEmpty,
     0,
     0,
     {"Please noted: Part#1-Level#0 is Empty!"}},
    {"threeAnglesTwoEqual", {10, 20, 10, kEmpty}, {10, 50, 90, kNoLevel}, false, kEmpty, 0, 0, {kRules}},
};

INSTANTIATE_TEST_SUITE_P(Rules, TargetPointRuleTable, testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

struct Fixture {
  CurveTables tables;
  std::vector<std::string> messages;
  TargetPointRules rules{tables, [this](const std::string& text) { messages.push_back(text); }};
};

TEST(TargetPointRules, ClampOrderRefusedWithTheWindowsPrefixAndNothingCopied) {
  for (const auto& [prefix, shown] : {std::pair{"", ""}, std::pair{"Part#{part}: ", "Part#2: "}}) {
    Fixture f;
    PartEntries entries;
    entries.values.ClampHighValue = entries.values.ClampLowValue = 50.0f;
    entries.values.AngleValue[0] = 10.0f;
    EXPECT_FALSE(f.rules.PrepareSettings(1, entries, prefix));
    EXPECT_EQ(f.messages, std::vector<std::string>{std::string(shown) + messageText(MessageId::ClampOrder)});
    EXPECT_EQ(f.tables.Points[1][0][0], 0);
    EXPECT_EQ(f.tables.PartClampHigh[1], 0);
  }
}

TEST(TargetPointRules, PrepareRoundsHalvesToEvenIntoTheTables) {
  Fixture f;
  PartEntries entries;
  entries.values.AngleValue[0] = 10.5f;
  entries.values.LevelValue[0] = 11.5f;
  entries.values.DpValue = 2.5f;
  entries.values.ClampHighValue = 95.5f;
  entries.values.ClampLowValue = 4.5f;
  ASSERT_TRUE(f.rules.PrepareSettings(0, entries, ""));
  EXPECT_EQ(f.tables.Points[0][0][0], 10);
  EXPECT_EQ(f.tables.Points[0][0][1], 12);
  EXPECT_EQ(f.tables.Points[0][1][0], 500);
  EXPECT_EQ(f.tables.PartDP[0], 2);
  EXPECT_EQ(f.tables.PartClampHigh[0], 96);
  EXPECT_EQ(f.tables.PartClampLow[0], 4);
}

TEST(TargetPointRules, SwitchTextsTheChipCannotHoldStopThePreparation) {
  const std::string hysOutside = " is outside 0 to 15.75! Stopping... Please try again!";
  const struct {
    const char* op;
    const char* hys;
    std::vector<std::string> messages;  // none: prepared
  } rows[] = {
      {"abc", "1.00", {"Wrong Float Data Input Detected : abc !!!"}},
      {"90", "20", {"Part#2: HYS  Input 20" + hysOutside}},
      {"90", "-0.25", {"Part#2: HYS  Input -0.25" + hysOutside}},
      {"90", "15.76", {"Part#2: HYS  Input 15.76" + hysOutside}},
      {"90", "15.75", {}},
      {"90", "0", {}},
      {"", "", {}},
  };
  for (const auto& row : rows) {
    Fixture f;
    PartEntries entries;
    entries.opText = row.op;
    entries.hysText = row.hys;
    EXPECT_EQ(f.rules.PrepareSettings(1, entries, ""), row.messages.empty()) << row.hys;
    EXPECT_EQ(f.messages, row.messages);
  }
}

TEST(TargetPointRules, ExchangesLeaveTheTablesInEnteredOrderTheSlopeRewritesThem) {
  Fixture f;
  PartEntries entries = entriesOf(kRows[4]);  // four rising angles
  ASSERT_TRUE(f.rules.PrepareSettings(0, entries, ""));
  ASSERT_EQ(f.rules.configsolver(0, entries).mode, 4);
  EXPECT_EQ(f.tables.Points[0][0][0], 10);
  EXPECT_EQ(f.tables.Points[0][3][0], 40);

  entries = entriesOf(kRows[8]);  // slope
  ASSERT_TRUE(f.rules.PrepareSettings(0, entries, ""));
  EXPECT_TRUE(f.rules.usesSlope(0));
  ASSERT_EQ(f.rules.configsolver(0, entries).mode, 2);
  EXPECT_EQ(f.tables.Points[0][1][0], 110);
  EXPECT_EQ(f.tables.Points[0][1][1], 25);
  EXPECT_EQ(f.tables.Points[0][3][0], 110);
}

TEST(TargetPointRules, ElevenPointSettingsInTheSolversOrderAndTheOffsetFlag) {
  Fixture f;
  PartEntries entries = entriesOf(kRows[0]);
  entries.values.ClampLowValue = 7.5f;
  entries.values.ClampHighValue = 92.5f;
  entries.values.DpValue = 222.25f;
  ASSERT_TRUE(f.rules.PrepareSettings(0, entries, ""));
  ASSERT_EQ(f.rules.configsolver(0, entries).mode, 2);
  const auto settings = f.rules.solverSettings(0, entries.values);
  const int codes[] = {1, 2, 3, 4, 8, 5, 9, 6, 10, 7, 11};
  const float values[] = {7.5f, 92.5f, 222.25f, 10, 10, 90, 20, 0, 20, 0, 20};
  for (std::size_t i = 0; i < settings.size(); ++i) {
    EXPECT_EQ(static_cast<int>(settings[i].code), codes[i]);
    EXPECT_EQ(settings[i].value.type(), rx041::com::VarType::R4);
    EXPECT_EQ(*settings[i].value.getIf<float>(), values[i]) << i;
  }
  EXPECT_EQ(solverOffsetFlag(0), 1);
  EXPECT_EQ(solverOffsetFlag(1), 0);
}

TEST(TargetPointRules, SwitchSettingsOnlyWithOperatingPointAndHysteresis) {
  Fixture f;
  PartEntries entries;
  entries.opText = "90.00";
  entries.hysText = "2.00";
  entries.polarity = 1;
  ASSERT_TRUE(f.rules.PrepareSettings(0, entries, ""));
  ASSERT_TRUE(f.rules.switchGiven(0));
  const auto settings = f.rules.switchSettings(0);
  EXPECT_EQ(static_cast<int>(settings[0].code), 12);
  EXPECT_EQ(*settings[0].value.getIf<float>(), 90.0f);
  EXPECT_EQ(static_cast<int>(settings[1].code), 13);
  EXPECT_EQ(*settings[1].value.getIf<float>(), 2.0f);
  EXPECT_EQ(static_cast<int>(settings[2].code), 14);
  EXPECT_EQ(*settings[2].value.getIf<std::int32_t>(), 1);

  entries.opText = "";
  ASSERT_TRUE(f.rules.PrepareSettings(0, entries, ""));
  EXPECT_FALSE(f.rules.switchGiven(0));
}

}  // namespace
}  // namespace rx41
