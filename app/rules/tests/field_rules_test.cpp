// The settings-field rules of every window family as one table: what leaving
// a field does to a typed text, which value the field keeps and which message
// the operator is told; the number syntax and the fixed-decimal texts.
#include "rx41/rules/field_rules.h"

#include <gtest/gtest.h>

#include <cmath>

#include "rx41/rules/field_table.h"
#include "rx41/rules/number_entry.h"

namespace rx41 {
namespace {

struct RuleRow {
  const char* name;
  const FieldRule* rule;
  const char* typed;
  const char* text;
  std::optional<float> value;
  MessageId message = MessageId::None;
};

constexpr MessageId kNone = MessageId::None;

class FieldRuleTable : public testing::TestWithParam<RuleRow> {};

TEST_P(FieldRuleTable, LeavingTheFieldGivesTextValueAndMessage) {
  const RuleRow& row = GetParam();
  const FieldOutcome outcome = applyFieldRule(*row.rule, row.typed);
  EXPECT_EQ(outcome.text, row.text);
  EXPECT_EQ(outcome.value, row.value);
  EXPECT_EQ(outcome.message, row.message);
}

// clang-format off
const RuleRow kRows[] = {
    // The quick windows (/2, /4, /6): DP and clamps never tell.
    {"quickDpNotANumber", &kQuickDpRule, "abc", "260.00", 260.0f},
    {"quickDpLowerCaseE", &kQuickDpRule, "1e5", "260.00", 260.0f},
    {"quickDpUpperCaseETooLarge", &kQuickDpRule, "1E5", "359.99", 359.99f},
    {"quickDp360", &kQuickDpRule, "360", "359.99", 359.99f},
    {"quickDpBelowZero", &kQuickDpRule, "-0.01", "0", 0.0f},
    {"quickDpKeepsTypedValue", &kQuickDpRule, "359.994", "359.99", 359.994f},
    {"quickDpMinusZero", &kQuickDpRule, "-0", "0.00", 0.0f},
    {"quickClampHighEmpty", &kQuickClampHighRule, "", "95.00", 95.0f},
    {"quickClampHigh100", &kQuickClampHighRule, "100", "100.00", 100.0f},
    {"quickClampHighAbove", &kQuickClampHighRule, "100.01", "100.00", 100.0f},
    {"quickClampHighBelowZero", &kQuickClampHighRule, "-3", "0", 0.0f},
    {"quickClampLowNotANumber", &kQuickClampLowRule, "x", "5.00", 5.0f},
    {"quickClampLowAbove", &kQuickClampLowRule, "100.5", "100", 100.0f},
    {"quickClampLowZero", &kQuickClampLowRule, "0", "0.00", 0.0f},
    {"quickAngleEmpty", &kQuickAngleRule, "", "", 500.0f},
    {"quickAngleRefused", &kQuickAngleRule, "ten", "", 500.0f, MessageId::InputInvalid},
    {"quickAngleBelowZero", &kQuickAngleRule, "-5", "0", 0.0f},
    {"quickAngle360", &kQuickAngleRule, "360", "359.99", 359.99f},
    {"quickAngleReformatted", &kQuickAngleRule, "45.678", "45.68", 45.678f},
    {"levelEmpty", &kLevelRule, "", "", 0.0f},
    {"levelRefused", &kLevelRule, "1e1", "", 0.0f, MessageId::InputInvalid},
    {"levelZeroTooSmall", &kLevelRule, "0", "0.00", 0.0f},
    {"levelBelowZero", &kLevelRule, "-3", "0.00", 0.0f},
    {"levelAbove100", &kLevelRule, "101", "100.00", 100.0f},
    {"levelInRange", &kLevelRule, "55.5", "55.50", 55.5f},
    {"levelTieRoundsAway", &kLevelRule, "0.125", "0.13", 0.125f},
    {"offsetNotANumber", &kOffsetRule, "abc", "0.00", 0.0f},
    {"offsetBelowZero", &kOffsetRule, "-1", "0.00", 0.0f},
    {"offset360", &kOffsetRule, "360", "359.99", 359.99f},
    {"offsetReformatted", &kOffsetRule, "30", "30.00", 30.0f},
    // The quick pair windows: the same limits, refusals without a word.
    {"quickPairAngleSilent", &kQuickPairAngleRule, "ten", "", 500.0f},
    {"quickPairLevelSilent", &kQuickPairLevelRule, "x", "", 0.0f},
    {"quickPairAngleLimit", &kQuickPairAngleRule, "400", "359.99", 359.99f},
    // The dual-part windows tell about DP and angles.
    {"dualDp360", &kDualDpRule, "360", "359.99", 359.99f, MessageId::DpTooLarge},
    {"dualDpBelowZero", &kDualDpRule, "-5", "0", 0.0f, MessageId::DpBelowZero},
    {"dualDpNotANumber", &kDualDpRule, "abc", "260.00", 260.0f, MessageId::DpInvalid},
    {"dualDpEmpty", &kDualDpRule, "", "260.00", 260.0f, MessageId::DpInvalid},
    {"dualClampHigh150", &kDualClampHighRule, "150", "100.00", 100.0f},
    {"dualClampHighBelowZero", &kDualClampHighRule, "-1", "0", 0.0f},
    {"dualClampHighNotANumber", &kDualClampHighRule, "x", "95.00", 95.0f, MessageId::ClampHighInvalid},
    {"dualClampLow150", &kDualClampLowRule, "150", "100", 100.0f},
    {"dualClampLowNotANumber", &kDualClampLowRule, "", "5.00", 5.0f, MessageId::ClampLowInvalid},
    {"twinClampHighBelowZero", &kTwinClampHighRule, "-1", "0.01", 0.01f},
    {"twinClampHighZero", &kTwinClampHighRule, "0", "0.01", 0.01f},
    {"twinClampHigh100", &kTwinClampHighRule, "100", "100.00", 100.0f},
    {"twinClampLow100", &kTwinClampLowRule, "100", "99.99", 99.99f},
    {"twinClampLowJustBelow100", &kTwinClampLowRule, "99.995", "100.00", 99.995f},
    {"twinClampLowZero", &kTwinClampLowRule, "0", "0.00", 0.0f},
    {"dualAngleEmpty", &kDualAngleRule, "", "", 500.0f},
    {"dualAngleLowerCaseE", &kDualAngleRule, "1e2", "", 500.0f, MessageId::InputInvalid},
    {"dualAngleBelowZero", &kDualAngleRule, "-1", "0", 0.0f, MessageId::InputBelowZero},
    {"dualAngle360", &kDualAngleRule, "360", "359.99", 359.99f, MessageId::InputTooLarge},
    {"slopeNegative", &kSlopeRule, "-2.5", "-2.5000", -2.5f},
    {"slopeHuge", &kSlopeRule, "1E6", "1000000.0000", 1e6f},
    {"slopeRefused", &kSlopeRule, "x", "", 500.0f, MessageId::InputInvalid},
    {"slopeEmpty", &kSlopeRule, "", "", 500.0f},
    {"hys16", &kHysteresisRule, "16", "15.75", 15.75f},
    {"hys3_3", &kHysteresisRule, "3.3", "3.25", 3.25f},
    {"hys3_375", &kHysteresisRule, "3.375", "3.50", 3.5f},
    {"hys0_1", &kHysteresisRule, "0.1", "0.00", 0.0f},
    {"hys1_1", &kHysteresisRule, "1.1", "1.00", 1.0f},
    {"hys1_125TieUp", &kHysteresisRule, "1.125", "1.25", 1.25f},
    {"hys2_9", &kHysteresisRule, "2.9", "3.00", 3.0f},
    {"hys15_75", &kHysteresisRule, "15.75", "15.75", 15.75f},
    // Ranges are judged on the single the field keeps: these round to 360 or 15.75 in single precision.
    {"dualDpRoundsTo360", &kDualDpRule, "359.99999", "359.99", 359.99f, MessageId::DpTooLarge},
    {"dualAngleRoundsTo360", &kDualAngleRule, "359.99999", "359.99", 359.99f, MessageId::InputTooLarge},
    {"quickDpRoundsTo360", &kQuickDpRule, "359.99999", "359.99", 359.99f},
    {"quickAngleRoundsTo360", &kQuickAngleRule, "359.99999", "359.99", 359.99f},
    {"hysRoundsTo15_75", &kHysteresisRule, "15.7500001", "15.75", 15.75f},
    {"hysBelowZero", &kHysteresisRule, "-1", "0", 0.0f, MessageId::InputBelowZero},
    {"hysRefused", &kHysteresisRule, "x", "", 500.0f, MessageId::InputInvalid},
    {"vddThreeDecimals", &kVddRule, "5", "5.000", 5.0f},
    {"vddNotANumberKept", &kVddRule, "n/a", "n/a", std::nullopt},
    {"readAngleTwoDecimals", &kReadAngleRule, "123.456", "123.46", 123.456f},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rules, FieldRuleTable, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<RuleRow>& row) { return std::string(row.param.name); });

TEST(NumberEntry, ANumberHasNoLowerCaseE) {
  EXPECT_EQ(parseNumber("1E5"), 100000.0);
  EXPECT_EQ(parseNumber(" -12.5 "), -12.5);
  EXPECT_EQ(parseNumber("\u00a012.5"), 12.5);
  EXPECT_EQ(parseNumber("+.5"), 0.5);
  EXPECT_EQ(parseNumber("7."), 7.0);
  EXPECT_EQ(parseNumber("2E-1"), 0.2);
  for (const char* text :
       {"1e5", "", " ", "abc", "1.2.3", "inf", "nan", "0x10", "1E", "5%", "1,5", "1E999", "+-1", "."})
    EXPECT_FALSE(parseNumber(text)) << text;
}

TEST(NumberEntry, FixedDecimalsRoundExactHalvesAwayFromZero) {
  const std::tuple<double, int, const char*> cases[] = {
      {0.125, 2, "0.13"},   {-0.125, 2, "-0.13"},   {2.675, 2, "2.67"},   {0.0625, 3, "0.063"},  {-0.001, 2, "0.00"},
      {-0.0, 2, "0.00"},    {9.995, 2, "9.99"},     {9.9951, 2, "10.00"}, {99.999, 2, "100.00"}, {5.0, 3, "5.000"},
      {-2.5, 4, "-2.5000"}, {359.994, 2, "359.99"}, {0.5, 0, "1"}};
  for (const auto& [value, decimals, text] : cases) EXPECT_EQ(fixedText(value, decimals), text) << value;
}

TEST(FieldRow, DesignNamesAndPatternsFollowTheIndexScheme) {
  EXPECT_EQ(designName("DP", IndexScheme::None, 1, 0), "DP");
  EXPECT_EQ(designName("clamphigh", IndexScheme::Part, 1, 0), "clamphigh(1)");
  EXPECT_EQ(designName("Angle", IndexScheme::Point, 0, 1), "Angle(1)");
  EXPECT_EQ(designName("Angle", IndexScheme::FourPointsPerPart, 1, 2), "Angle(6)");
  EXPECT_EQ(designName("Level", IndexScheme::TwoPointsPerPart, 1, 1), "Level(3)");
  EXPECT_EQ(expandPattern("Part#{part}: Angle {point} ", 1, 3, 7), "Part#2: Angle D ");
  EXPECT_EQ(expandPattern("Part#{part}: Level {index} ", 0, 1, 1), "Part#1: Level 1 ");
  EXPECT_EQ(messageText(MessageId::InputInvalid), "Input is Invalid! Restoring to default\u2026 Please try again!");
}

}  // namespace
}  // namespace rx41
