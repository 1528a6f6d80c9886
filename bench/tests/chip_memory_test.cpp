// What a chip remembers: RAM, EEPROM, identification, measured angle and the
// communication lock, all reached with frames.
#include <gtest/gtest.h>

#include "bench_fixture.h"
#include "host_rules.h"

namespace rx041::bench::test {
namespace {

using ChipMemoryTest = BenchTest;

TEST_F(ChipMemoryTest, StoredRegistersComeBackAfterAPowerCycleAndUnstoredOnesDoNot) {
  enterOwi(0);
  writeRegister(0, 15, 0xAB);
  writeRegister(0, 99, 0x5C);
  ASSERT_TRUE(judgeErase(exchange("$M,A,W,1,52,FF#")));
  EXPECT_EQ(bench->eeprom(0, 15), 0);
  ASSERT_TRUE(judgeStore(exchange("$M,S,W,1,50,FF#")));
  EXPECT_EQ(bench->eeprom(0, 15), 0xAB);
  EXPECT_EQ(bench->eeprom(0, 99), 0x5C);

  writeRegister(0, 15, 0x11);  // RAM only
  exchange("$R,P,F,1,FF,FF#");
  EXPECT_EQ(bench->ram(0, 15), 0) << "power-off loses RAM";
  enterOwi(0);
  EXPECT_EQ(readRegister(0, 15), 0xAB) << "power-up loads RAM from the EEPROM";
  EXPECT_EQ(readRegister(0, 99), 0x5C);
  EXPECT_EQ(readRegister(0, 16), 0);
}

TEST_F(ChipMemoryTest, EraseClearsTheEepromAndLoadRefreshesRam) {
  enterOwi(1);
  writeRegister(1, 40, 0x77);
  exchange("$M,S,W,2,50,FF#");
  writeRegister(1, 40, 0x01);
  EXPECT_FALSE(exchange("$M,L,W,2,1F,55#").empty());
  EXPECT_EQ(readRegister(1, 40), 0x77) << "OWI Load copies the EEPROM into RAM";
  exchange("$M,A,W,2,52,FF#");
  EXPECT_EQ(bench->eeprom(1, 40), 0);
  EXPECT_EQ(readRegister(1, 40), 0x77) << "erase leaves RAM alone";
  EXPECT_EQ(bench->eeprom(0, 40), 0) << "the other position has its own chip";
}

TEST_F(ChipMemoryTest, IdentificationAndMeasuredAngleAreReadOnly) {
  bench->setId(0, 0x35);
  bench->setAngle(0, 123.456);
  enterOwi(0);
  EXPECT_EQ(readRegister(0, 0x48), 0x35);
  const int code = readRegister(0, 0x49) * 256 + readRegister(0, 0x4A);
  EXPECT_NEAR(code / 64.0, 123.456, 1.0 / 128);
  writeRegister(0, 0x48, 0x00);
  writeRegister(0, 0x49, 0x00);
  EXPECT_EQ(readRegister(0, 0x48), 0x35);
  EXPECT_EQ(readRegister(0, 0x49), code >> 8);

  bench->setAngle(0, -90);
  EXPECT_EQ(readRegister(0, 0x49) * 256 + readRegister(0, 0x4A), 270 * 64) << "angles wrap into 0..360";
}

TEST_F(ChipMemoryTest, TheLockTakesHoldAtTheNextPowerUpAndRefusesEveryWrite) {
  enterOwi(0);
  writeRegister(0, 15, 0x42);
  const int lockRegister = readRegister(0, 0x1C);
  writeRegister(0, 0x1C, lockRegister | 0x10);
  ASSERT_TRUE(judgeErase(exchange("$M,A,W,1,52,FF#")));
  ASSERT_TRUE(judgeStore(exchange("$M,S,W,1,50,FF#")));
  EXPECT_EQ(readRegister(0, 0x48), 0x31) << "not locked before the power cycle";
  writeRegister(0, 16, 0x01);

  exchange("$R,P,F,1,FF,FF#");
  enterOwi(0);
  const int id = readRegister(0, 0x48);
  EXPECT_GE(id, 0xF0);
  EXPECT_LE(id, 0xFF);
  EXPECT_EQ(judgeWrite(exchange("$C,O,W,1,10,55#"), 0x10), 2);
  EXPECT_EQ(judgeWrite(exchange("$C,O,W,1,1C,00#"), 0x1C), 2);
  EXPECT_EQ(readRegister(0, 15), 0x42) << "reads still work";
  EXPECT_FALSE(judgeErase(exchange("$M,A,W,1,52,FF#"))) << "the EEPROM of a locked chip is kept";
  EXPECT_EQ(bench->eeprom(0, 0x1C) & 0x10, 0x10);
  EXPECT_NE(bench->control("state 0").find("locked=yes"), std::string::npos);
}

}  // namespace
}  // namespace rx041::bench::test
