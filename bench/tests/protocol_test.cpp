// The board's replies as a host judges them, for every command of the table.
#include <gtest/gtest.h>

#include <cmath>

#include "bench_fixture.h"
#include "host_rules.h"

namespace rx041::bench::test {
namespace {

using ProtocolTest = BenchTest;

TEST_F(ProtocolTest, RelayAndModeRepliesHaveExactlyTheLengthsTheHostExamines) {
  struct Expectation {
    std::string frame;
    std::size_t length;
  };
  const Expectation expectations[] = {
      {"$R,P,O,1,FF,FF#", 21}, {"$R,P,O,2,FF,FF#", 21}, {"$R,P,O,0,FF,FF#", 21}, {"$R,M,V,1,FF,FF#", 19},
      {"$R,M,A,2,FF,FF#", 19}, {"$R,D,O,1,FF,FF#", 15}, {"$R,D,A,2,FF,FF#", 15}, {"$R,D,O,0,FF,FF#", 15},
      {"$M,E,W,0,1F,55#", 12}, {"$M,E,W,1,1F,55#", 13}, {"$M,E,W,2,1f,55#", 13}, {"$M,e,W,1,1F,55#", 21},
      {"$R,P,F,1,FF,FF#", 22}, {"$R,P,F,0,FF,FF#", 22},
  };
  for (const auto& e : expectations) {
    const std::string line = exchange(e.frame);
    EXPECT_EQ(line.size(), e.length) << e.frame << " -> \"" << line << "\"";
    EXPECT_EQ(line.find('\r'), std::string::npos) << e.frame;
  }
}

TEST_F(ProtocolTest, OwiReadAndWriteRepliesCarryTheByteAndTheAddressEcho) {
  enterOwi(0);
  const std::string written = exchange("$C,O,W,1,2A,BC#");
  EXPECT_EQ(written.size(), 19u);
  EXPECT_EQ(judgeWrite(written, 0x2A), 0);
  EXPECT_EQ(judgeWrite(written, 0x2B), 1) << "the echo names the address written";

  const std::string read = exchange("$C,O,R,1,2A,FF#");
  EXPECT_EQ(read.size(), 18u);
  EXPECT_EQ(judgeRead(read), 0xBC);
  EXPECT_EQ(bench->ram(0, 0x2A), 0xBC);

  EXPECT_EQ(judgeRead(exchange("$C,O,R,1,48,FF#")), 0x31) << "default identification";
  writeRegister(0, 0xFF, 0x0A);
  EXPECT_EQ(readRegister(0, 0xFF), 0x0A);
}

TEST_F(ProtocolTest, HexFieldsAreCaseInsensitive) {
  enterOwi(1);
  EXPECT_EQ(judgeWrite(exchange("$C,O,W,2,2a,bC#"), 0x2A), 0);
  EXPECT_EQ(bench->ram(1, 0x2A), 0xBC);
  EXPECT_FALSE(exchange("$M,L,W,2,1f,55#").empty()) << "the console's OWI Load";
}

TEST_F(ProtocolTest, EraseStoreVersionAndAdcRepliesMeetTheirRules) {
  enterOwi(0);
  const std::string erase = exchange("$M,A,W,1,52,FF#");
  EXPECT_EQ(erase.size(), 22u);
  EXPECT_TRUE(judgeErase(erase)) << erase;
  const std::string store = exchange("$M,S,W,1,50,FF#");
  EXPECT_EQ(store.size(), 17u);
  EXPECT_TRUE(judgeStore(store)) << store;

  const std::string version = exchange("$V,V,R,0,FF,FF#");
  EXPECT_EQ(version.size(), 28u);
  const JudgedVersion judged = judgeVersion(version);
  EXPECT_EQ(judged.result, 0);
  EXPECT_EQ(judged.major * 100 + judged.minor * 10 + judged.build, 104) << version;

  const std::string adc = exchange("$M,T,W,0,FF,FF#");
  ASSERT_GE(adc.size(), 8u);
  EXPECT_EQ(adc.substr(adc.size() - 2), "0D");
  EXPECT_EQ(judgeAdc(adc), 32768) << "nothing selected reads 0 V";
}

TEST_F(ProtocolTest, AdcReadsTheSelectedSupplyOrOutput) {
  bench->setVdd(1, 3.3);
  exchange("$R,M,V,2,FF,FF#");
  EXPECT_EQ(judgeAdc(exchange("$M,T,W,0,FF,FF#")), 32768) << "an unpowered part's supply reads 0 V";
  exchange("$R,P,O,2,FF,FF#");
  EXPECT_EQ(judgeAdc(exchange("$M,T,W,0,FF,FF#")), 32768 + static_cast<int>(std::lround(3.3 / 0.000152587890625)));

  bench->setVdd(0, 5.0);
  exchange("$R,P,O,1,FF,FF#");
  exchange("$R,M,V,1,FF,FF#");
  EXPECT_EQ(judgeAdc(exchange("$M,T,W,0,FF,FF#")), 65535) << "5 V is the top of the range";

  // DAC test code 7 puts an ideal chip at half its supply; the output reads
  // 0 V while the part is in OWI mode.
  enterOwi(0);
  writeRegister(0, 32, 7);
  writeRegister(0, 34, 1);
  exchange("$R,M,A,1,FF,FF#");
  EXPECT_EQ(judgeAdc(exchange("$M,T,W,0,FF,FF#")), 32768);
  EXPECT_EQ(bench->output(0), 0.0);
  exchange("$R,D,A,1,FF,FF#");
  EXPECT_EQ(judgeAdc(exchange("$M,T,W,0,FF,FF#")), 32768 + 16384);
  EXPECT_DOUBLE_EQ(bench->output(0), 50.0);
}

TEST_F(ProtocolTest, OwiCommandsNeedPowerOwiModeAndAnEnteredSession) {
  auto refusedQuietly = [&](const std::string& frameText, std::size_t hostLength) {
    const std::string line = exchange(frameText);
    EXPECT_FALSE(line.empty()) << frameText << ": the board answers";
    EXPECT_LT(line.size(), hostLength) << frameText << ": too short for the host to take";
  };
  refusedQuietly("$C,O,R,1,48,FF#", 18);  // no power
  exchange("$R,P,O,1,FF,FF#");
  refusedQuietly("$C,O,W,1,20,01#", 19);  // ADC mode
  refusedQuietly("$M,E,W,1,1F,55#", 13);
  exchange("$R,D,O,1,FF,FF#");
  refusedQuietly("$M,A,W,1,52,FF#", 22);  // OWI not entered
  refusedQuietly("$M,S,W,1,50,FF#", 17);
  EXPECT_EQ(exchange("$M,E,W,1,1F,55#").size(), 13u);
  EXPECT_EQ(judgeRead(exchange("$C,O,R,1,48,FF#")), 0x31);
  EXPECT_EQ(exchange("$M,e,W,1,1F,55#").size(), 21u);
  refusedQuietly("$C,O,R,1,48,FF#", 18);
  exchange("$M,E,W,1,1F,55#");
  exchange("$R,D,A,1,FF,FF#");
  refusedQuietly("$C,O,R,1,48,FF#", 18) /* ADC mode ends the session */;
}

TEST_F(ProtocolTest, EnteringBothPartsEntersEveryReadyPart) {
  exchange("$R,P,O,0,FF,FF#");
  exchange("$R,D,O,0,FF,FF#");
  EXPECT_EQ(exchange("$M,E,W,0,1F,55#").size(), 12u);
  EXPECT_EQ(judgeRead(exchange("$C,O,R,1,48,FF#")), 0x31);
  EXPECT_EQ(judgeRead(exchange("$C,O,R,2,48,FF#")), 0x31);
}

TEST_F(ProtocolTest, AnEmptyPositionNeverAnswersOwiCommands) {
  bench->setPresent(1, false);
  EXPECT_EQ(exchange("$R,P,O,2,FF,FF#").size(), 21u) << "the board's relays still answer";
  EXPECT_EQ(exchange("$R,D,O,2,FF,FF#").size(), 15u);
  for (const char* owi : {"$M,E,W,2,1F,55#", "$C,O,R,2,48,FF#", "$C,O,W,2,20,00#", "$M,A,W,2,52,FF#", "$M,S,W,2,50,FF#",
                          "$M,e,W,2,1F,55#"})
    EXPECT_EQ(exchange(owi, 50ms), "") << owi;
  bench->setPresent(1, true);
  EXPECT_EQ(exchange("$M,E,W,2,1F,55#").size(), 13u) << "a chip put back is powered and reachable";
  EXPECT_EQ(judgeRead(exchange("$C,O,R,2,48,FF#")), 0x31);
}

TEST_F(ProtocolTest, MalformedOrUnknownFramesGetNoReply) {
  for (const char* bad : {"$R;P,O,1,FF,FF#", "$R,P,O,3,FF,FF#", "$R,P,O,1,GF,FF#", "$R,P,O,1,FF,FF!", "$X,P,O,1,FF,FF#",
                          "$R,P,Q,1,FF,FF#", "$M,E,W,1,1F,54#", "$M,A,W,1,53,FF#", "$M,T,W,1,FF,FF#", "$V,V,R,1,FF,FF#",
                          "$r,P,O,1,FF,FF#", "$R,M,V,0,FF,FF#"})
    EXPECT_EQ(exchange(bad, 30ms), "") << bad;
  EXPECT_EQ(bench->frames().size(), 12u) << "every frame is recorded, answered or not";
  EXPECT_EQ(exchange("$R,P,O,1,FF,FF#").size(), 21u) << "the board still listens";
}

TEST_F(ProtocolTest, FramesAreFoundAfterNoiseAndRestartAtEveryDollar) {
  EXPECT_EQ(exchange(std::string("\x00\xFFnoise", 7) + "$R,P,O,1,FF,FF#").size(), 21u);
  EXPECT_EQ(exchange("$R,P,O$R,D,O,1,FF,FF#").size(), 15u) << "an interrupted frame is dropped";
  host->send("$R,P,O,2,FF,FF#$R,M,V,2,FF,FF#");
  EXPECT_EQ(host->readLine().value_or("").size(), 21u) << "two frames in one write, answered in order";
  EXPECT_EQ(host->readLine().value_or("").size(), 19u);
  host->send("$C,O,");
  EXPECT_EQ(host->readLine(30ms), std::nullopt) << "half a frame waits for the rest";
  host->send("R,9,48,FF#");
  EXPECT_EQ(host->readLine(30ms), std::nullopt) << "... and then is malformed";
  const auto frames = bench->frames();
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.back(), "$C,O,R,9,48,FF#");
}

}  // namespace
}  // namespace rx041::bench::test
