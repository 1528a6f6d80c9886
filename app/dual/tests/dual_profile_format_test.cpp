// The block of a part in the dual-part profile: its 21 labels in file order
// and what each line carries.
#include "rx41/dual/dual_profile_format.h"

#include <gtest/gtest.h>

#include "rx41/dual/dual_variant.h"

namespace rx41 {
namespace {

TEST(DualProfileFormat, BlockLabelsInFileOrder) {
  const char* const labels[] = {"Part #2:",
                                "VDD is(V):",
                                "Direction is:",
                                "DP is(deg):",
                                "Clamp High is(%):",
                                "Clamp Low is(%):",
                                "Angle of Point A is(deg):",
                                "Level of Point A is(%):",
                                "Angle of Point B is(deg):",
                                "Level of Point B is(%):",
                                "Angle of Point C is(deg):",
                                "Level of Point C is(%):",
                                "Angle of Point D is(deg):",
                                "Level of Point D is(%):",
                                "Slope parameter is(%VDD/deg):",
                                "OP parameter is(deg):",
                                "HYS parameter is(deg):",
                                "Polarity parameter is:",
                                "OutMode is:",
                                "PWMFreq is:",
                                "PWMPolarity is"};
  const std::size_t lengths[] = {8, 10, 13, 11, 17, 16, 25, 23, 25, 23, 25, 23, 25, 23, 29, 21, 22, 22, 11, 11, 14};
  for (const Sources sources : {Sources::Dual, Sources::Single}) {
    const auto block = dualProfileBlock(*dualVariant(sources).fields, 1);
    ASSERT_EQ(block.size(), std::size_t{kDualProfileBlockLines});
    for (std::size_t i = 0; i < block.size(); ++i) {
      EXPECT_EQ(block[i].label, labels[i]) << i;
      EXPECT_EQ(block[i].label.size(), lengths[i]) << i;
    }
  }
}

TEST(DualProfileFormat, LinesNameTheirFieldPointAndValue) {
  const auto block = dualProfileBlock(*dualVariant(Sources::Dual).fields, 0);
  const struct {
    std::size_t line;
    ProfileValue value;
    const char* field;
    int point;
  } rows[] = {{0, ProfileValue::Heading, "", 0},          {1, ProfileValue::Text, "VDD", 0},
              {2, ProfileValue::Words, "clockwise", 0},   {5, ProfileValue::Text, "clamplow", 0},
              {11, ProfileValue::Text, "Level", 2},       {12, ProfileValue::Text, "Angle", 3},
              {16, ProfileValue::Text, "hys", 0},         {17, ProfileValue::Words, "Kpolarity", 0},
              {18, ProfileValue::Index, "OutMode", 0},    {19, ProfileValue::Index, "PWMFreq", 0},
              {20, ProfileValue::Index, "PWMPolarity", 0}};
  EXPECT_EQ(block[0].label, "Part #1:");
  for (const auto& row : rows) {
    EXPECT_EQ(block[row.line].value, row.value) << row.line;
    EXPECT_EQ(block[row.line].field ? block[row.line].field->name : "", row.field) << row.line;
    EXPECT_EQ(block[row.line].point, row.point) << row.line;
  }
}

}  // namespace
}  // namespace rx41
