#include "rx041/component/variant.h"

#include <gtest/gtest.h>

namespace rx041::com {
namespace {

TEST(Variant, KeepsItsKind) {
  EXPECT_EQ(Variant().type(), VarType::Empty);
  EXPECT_EQ(Variant(std::int16_t{3}).type(), VarType::I2);
  EXPECT_EQ(Variant(std::int32_t{3}).type(), VarType::I4);
  EXPECT_EQ(Variant(3.0f).type(), VarType::R4);
  EXPECT_EQ(Variant::fromBool(true).type(), VarType::Bool);
  EXPECT_EQ(Variant("COM1").type(), VarType::String);
  std::string owned = "abc";
  EXPECT_EQ(Variant(StringRef{&owned}).type(), VarType::StringRef);
  EXPECT_EQ(*Variant(StringRef{&owned}).stringValue(), "abc");
  EXPECT_EQ(Variant(std::int32_t{1}).stringValue(), nullptr);
}

TEST(Variant, FloatsRoundHalfToEvenWhenMadeIntegers) {
  EXPECT_EQ(Variant(2.5f).toInt32(), 2);
  EXPECT_EQ(Variant(3.5f).toInt32(), 4);
  EXPECT_EQ(Variant(-2.5f).toInt32(), -2);
  EXPECT_EQ(Variant(70000.0f).toInt16(), std::nullopt);
  EXPECT_EQ(Variant(3e10).toInt32(), std::nullopt);
}

TEST(Variant, BooleansAreMinusOneAndZero) {
  EXPECT_EQ(Variant::fromBool(true).toInt32(), -1);
  EXPECT_EQ(Variant(std::int32_t{1}).toBool(), VARIANT_TRUE);
  EXPECT_EQ(Variant(std::int32_t{0}).toBool(), VARIANT_FALSE);
}

TEST(Variant, NumericStringsConvertOthersFail) {
  EXPECT_EQ(Variant(" 42 ").toInt32(), 42);
  EXPECT_EQ(Variant("0.25").toFloat(), 0.25f);
  EXPECT_EQ(Variant("COM1").toInt32(), std::nullopt);
  EXPECT_EQ(Variant("").toInt32(), std::nullopt);
  EXPECT_EQ(Variant(std::int32_t{7}).toString(), "7");
  EXPECT_EQ(Variant(0.2777778f).toString(), "0.2777778");
}

TEST(Variant, ChangeTypeToEachKind) {
  EXPECT_EQ(Variant(std::int32_t{300}).changeType(VarType::I2), Variant(std::int16_t{300}));
  EXPECT_EQ(Variant("1.5").changeType(VarType::R4), Variant(1.5f));
  EXPECT_EQ(Variant(std::int32_t{5}).changeType(VarType::Any), Variant(std::int32_t{5}));
  EXPECT_FALSE(Variant(std::int32_t{5}).changeType(VarType::StringRef));
  EXPECT_FALSE(Variant(std::int32_t{5}).changeType(VarType::Dispatch));
}

}  // namespace
}  // namespace rx041::com
