// The command layer against an in-process channel: frames, reply assembly,
// judging and time limits, on a scripted clock.
#include "command_layer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "scripted_channel.h"

namespace rx041::zq3902 {
namespace {

using testing::ScriptedChannel;

class CommandLayerTest : public ::testing::Test {
 protected:
  CommandLayerTest() {
    auto owned = std::make_unique<ScriptedChannel>();
    channel = owned.get();
    commands = std::make_unique<CommandLayer>(std::move(owned), channel->clock(),
                                              [this](const LineClearing& c) { clearings.push_back(c); });
  }
  // The line the board answers the next frame with, or its chunks poll by poll.
  void reply(std::string text) { channel->answers.push_back({std::move(text)}); }
  void replyInChunks(std::vector<std::string> chunks) { channel->answers.push_back(std::move(chunks)); }

  ScriptedChannel* channel;
  std::unique_ptr<CommandLayer> commands;
  std::vector<LineClearing> clearings;
};

TEST_F(CommandLayerTest, FramesCarryPartFieldAndUpperCaseHex) {
  const struct {
    std::function<void(CommandLayer&)> send;
    const char* frame;
  } cases[] = {
      {[](CommandLayer& c) { c.CmdPowerOn(0); }, "$R,P,O,1,FF,FF#"},
      {[](CommandLayer& c) { c.CmdPowerOn(3); }, "$R,P,O,2,FF,FF#"},
      {[](CommandLayer& c) { c.CmdPowerOff(1); }, "$R,P,F,2,FF,FF#"},
      {[](CommandLayer& c) { c.CmdRelayVdd(0); }, "$R,M,V,1,FF,FF#"},
      {[](CommandLayer& c) { c.CmdRelayAnalog(-1); }, "$R,M,A,2,FF,FF#"},
      {[](CommandLayer& c) { c.CmdSetOwiMode(0); }, "$R,D,O,1,FF,FF#"},
      {[](CommandLayer& c) { c.CmdSetAdcMode(1); }, "$R,D,A,2,FF,FF#"},
      {[](CommandLayer& c) { c.CmdReadByteAddr(0, 255); }, "$C,O,R,1,FF,FF#"},
      {[](CommandLayer& c) { c.CmdWriteByteAddr(1, 0xAB, 0x0A); }, "$C,O,W,2,AB,0A#"},
      {[](CommandLayer& c) { c.CmdEnterOwi(3); }, "$M,E,W,0,1F,55#"},
      {[](CommandLayer& c) { c.CmdEnterOwi(0); }, "$M,E,W,1,1F,55#"},
      {[](CommandLayer& c) { c.CmdEnterOwi(7); }, "$M,E,W,2,1F,55#"},
      {[](CommandLayer& c) { c.CmdExitOwi(0); }, "$M,e,W,1,1F,55#"},
      {[](CommandLayer& c) { c.CmdErase(1); }, "$M,A,W,2,52,FF#"},
      {[](CommandLayer& c) { c.CmdStore(0); }, "$M,S,W,1,50,FF#"},
      {[](CommandLayer& c) { c.CmdReadProgrammerADCvalue(); }, "$M,T,W,0,FF,FF#"},
      {[](CommandLayer& c) { c.CmdReadVersion(); }, "$V,V,R,0,FF,FF#"},
  };
  for (const auto& c : cases) {
    channel->sent.clear();
    reply(std::string(40, 'x') + "\n");  // any long line ends the wait at once
    c.send(*commands);
    channel->answers.clear();
    ASSERT_EQ(channel->sent.size(), 1u) << c.frame;
    EXPECT_EQ(channel->sent[0], c.frame);
  }
}

TEST_F(CommandLayerTest, ByteFieldsOutsideARegisterAreNotSent) {
  EXPECT_EQ(commands->CmdReadByteAddr(0, 256), kReadFailed);
  EXPECT_EQ(commands->CmdReadByteAddr(0, -1), kReadFailed);
  EXPECT_EQ(commands->CmdWriteByteAddr(0, 0x300, 1), kCommandFailed);
  EXPECT_EQ(commands->CmdWriteByteAddr(0, 0x20, 0x1FF), kCommandFailed);
  EXPECT_TRUE(channel->sent.empty());
}

TEST_F(CommandLayerTest, LengthJudgedRepliesUseTheLastNCharacters) {
  reply("Part#1 Relay Power On\n");  // exactly 21
  EXPECT_EQ(commands->CmdPowerOn(0), kCommandOk);
  reply("noise before: Part#1 Relay Power On\n");  // longer lines are accepted
  EXPECT_EQ(commands->CmdPowerOn(0), kCommandOk);
  reply("Part#1 OWI Mode\n");  // 15 characters: enough for the mode command
  EXPECT_EQ(commands->CmdSetOwiMode(0), kCommandOk);
  reply(std::string("Part#1 Relay\0Power On", 21) + "\n");  // a zero byte is not a character
  EXPECT_EQ(commands->CmdPowerOn(0), kCommandFailed);
  reply("OWI Enter OK\n");  // 12: enough for both parts, not for one
  EXPECT_EQ(commands->CmdEnterOwi(3), kCommandOk);
  reply("OWI Enter OK\n");
  EXPECT_EQ(commands->CmdEnterOwi(0), kCommandFailed);
}

TEST_F(CommandLayerTest, ShortLinesAreDroppedAndTheWaitGoesOn) {
  replyInChunks({"ok\n", "Part#1 Relay Power Off\n"});
  EXPECT_EQ(commands->CmdPowerOff(0), kCommandOk);
  EXPECT_EQ(channel->polls, 2);
}

TEST_F(CommandLayerTest, SecondLineOfAChunkIsLookedAtOnlyAfterTheNextPoll) {
  reply("stale\nPart#1 Relay Power Off\n");
  EXPECT_EQ(commands->CmdPowerOff(0), kCommandOk);
  EXPECT_EQ(channel->polls, 2);  // the second poll returned nothing and cost its wait
  EXPECT_EQ(channel->now, 1 + ScriptedChannel::kEmptyPollMs);
}

TEST_F(CommandLayerTest, LineArrivingInTwoChunksIsAssembled) {
  replyInChunks({"Part#1 Relay ", "Power Off\n"});
  EXPECT_EQ(commands->CmdPowerOff(0), kCommandOk);
}

TEST_F(CommandLayerTest, NoReplyEndsOnePollAfterTheLimit) {
  EXPECT_EQ(commands->CmdPowerOn(0), kCommandFailed);
  EXPECT_EQ(channel->now, 750);  // checked after each poll: 250, 500 (not over), 750
  // The next frame first waits out the quiet second after the give-up.
  EXPECT_EQ(commands->CmdReadByteAddr(0, 0x48), kReadFailed);
  EXPECT_EQ(channel->now, 750 + kQuietAfterGiveUpMs + 5250);
}

TEST_F(CommandLayerTest, LineBufferKeepsOnlyAHundredBytes) {
  replyInChunks({std::string(95, 'x'), "Part#1 Relay Power On\n"});  // the line feed falls off
  EXPECT_EQ(commands->CmdPowerOn(0), kCommandFailed);
  replyInChunks({std::string(70, 'x'), "Part#1 Relay Power On\n"});
  EXPECT_EQ(commands->CmdPowerOn(0), kCommandOk);
}

TEST_F(CommandLayerTest, WriteReplyJudging) {
  reply("OWI Write 55->1F ok\n");
  EXPECT_EQ(commands->CmdWriteByteAddr(0, 0x1F, 0x55), kCommandOk);
  reply("OWI Write 55->1f ok\n");  // either case
  EXPECT_EQ(commands->CmdWriteByteAddr(0, 0x1F, 0x55), kCommandOk);
  reply("OWI Write 55->1E ok\n");  // echo of another address
  EXPECT_EQ(commands->CmdWriteByteAddr(0, 0x1F, 0x55), kCommandFailed);
  reply("OWI Write 1F: fail!\n");
  EXPECT_EQ(commands->CmdWriteByteAddr(0, 0x1F, 0x55), kWriteRefused);
  reply("then OWI Write 1F: fail!\n");  // judged on the last 19 characters
  EXPECT_EQ(commands->CmdWriteByteAddr(0, 0x1F, 0x55), kWriteRefused);
  EXPECT_EQ(commands->CmdWriteByteAddr(0, 0x1F, 0x55), kCommandFailed);  // no reply
}

TEST_F(CommandLayerTest, ReadReplyJudging) {
  reply("OWI Read @48: 0xA5\n");
  EXPECT_EQ(commands->CmdReadByteAddr(1, 0x48), 0xA5);
  reply("OWI Read @48: 0xc3\n");
  EXPECT_EQ(commands->CmdReadByteAddr(1, 0x48), 0xC3);
  reply("OWI Read @48: 0xZ9\n");  // a character that is no hex digit counts as 0
  EXPECT_EQ(commands->CmdReadByteAddr(1, 0x48), 0x09);
  reply("OWI Rdea @48: 0xA5\n");
  EXPECT_EQ(commands->CmdReadByteAddr(1, 0x48), kReadFailed);
  reply(">OWI Read @48: 0xA5\n");  // the word must lie in the last 18 characters
  EXPECT_EQ(commands->CmdReadByteAddr(1, 0x48), 0xA5);
  reply("OWI Read 48: 0xA5\n");  // 17: too short, dropped; then time-out
  EXPECT_EQ(commands->CmdReadByteAddr(1, 0x48), kReadFailed);
}

TEST_F(CommandLayerTest, EraseAndStoreReplyJudging) {
  reply("Part#1 OWI Erase Done!\n");
  EXPECT_EQ(commands->CmdErase(0), kCommandOk);
  reply("ab OWI Erase is done!!\n");  // at offset 3: too early
  EXPECT_EQ(commands->CmdErase(0), kCommandFailed);
  reply("abc OWI Erase is done!\n");  // at offset 4
  EXPECT_EQ(commands->CmdErase(0), kCommandOk);
  reply("OWI Store Part#1!\n");
  EXPECT_EQ(commands->CmdStore(0), kCommandOk);
  reply("Part#1: OWI Store\n");
  EXPECT_EQ(commands->CmdStore(0), kCommandOk);
  reply("OWI Stored Part#1\n");
  EXPECT_EQ(commands->CmdStore(0), kCommandOk);
  reply("EEPROM Store fail\n");
  EXPECT_EQ(commands->CmdStore(0), kCommandFailed);
}

TEST_F(CommandLayerTest, VersionReply) {
  reply("Firmware version RX041 V1.2.3\n");
  VersionReply version = commands->CmdReadVersion();
  EXPECT_EQ(version.result, kCommandOk);
  EXPECT_EQ(version.major, 1);
  EXPECT_EQ(version.minor, 2);
  EXPECT_EQ(version.build, 3);

  reply("Firmware version RX041 Vx.y.9\n");
  version = commands->CmdReadVersion();
  EXPECT_EQ(version.result, kCommandOk);
  EXPECT_EQ(version.major, 0);
  EXPECT_EQ(version.minor, 0);
  EXPECT_EQ(version.build, 9);

  reply("Firmware version 4.5.6 of RX041\n");
  version = commands->CmdReadVersion();
  EXPECT_EQ(version.result, kCommandFailed);
  EXPECT_EQ(version.major + version.minor + version.build, 0);

  replyInChunks({"firmware of this board: RX041 V7", "\n"});  // digits past the window count as 0
  version = commands->CmdReadVersion();
  EXPECT_EQ(version.result, kCommandOk);
  EXPECT_EQ(version.major, 7);
  EXPECT_EQ(version.minor, 0);
}

TEST_F(CommandLayerTest, AdcReplyAcceptsLinesEndingIn0DOr2D) {
  reply("ADC:80,00,0D\n");
  EXPECT_EQ(commands->CmdReadProgrammerADCvalue(), 0x8000);
  reply("xADC:12;ab;2D\n");  // separators are not checked
  EXPECT_EQ(commands->CmdReadProgrammerADCvalue(), 0x12AB);
  replyInChunks({"ADC:ff,f", "f,0D\n"});
  EXPECT_EQ(commands->CmdReadProgrammerADCvalue(), 0xFFFF);
}

TEST_F(CommandLayerTest, NonMatchingAdcLineBlocksUntilTheLimit) {
  for (const char* ending : {"1D", "0E"}) {
    replyInChunks({std::string("ADC:80,00,") + ending + "\n", "ADC:80,00,0D\n"});
    const std::int64_t start = channel->now;
    EXPECT_EQ(commands->CmdReadProgrammerADCvalue(), kAdcTimeout) << ending;
    EXPECT_GT(channel->now - start, 5000);
  }
  reply("8000,0D\n");  // line feed before index 8
  EXPECT_EQ(commands->CmdReadProgrammerADCvalue(), kAdcTimeout);
}

TEST_F(CommandLayerTest, ADeadLineEndsTheWaitAtOnceButWhatArrivedIsJudged) {
  const struct {
    const char* what;
    std::function<std::int32_t(CommandLayer&)> command;
    const char* arrived;  // in the poll after which the line dies
    std::int32_t expected;
  } cases[] = {
      {"half a write reply", [](CommandLayer& c) { return c.CmdWriteByteAddr(0, 0x20, 1); }, "P1 OWI Write", 1},
      {"a whole relay reply", [](CommandLayer& c) { return c.CmdPowerOn(0); }, "Part#1 power relay ON\n", 0},
      {"half an ADC reply", [](CommandLayer& c) { return c.CmdReadProgrammerADCvalue(); }, "ADC code: 80,0",
       kAdcTimeout},
      {"a whole ADC reply", [](CommandLayer& c) { return c.CmdReadProgrammerADCvalue(); }, "ADC code: 80,01,0D\n",
       0x8001},
  };
  for (const auto& c : cases) {
    channel->now = 0;
    channel->polls = 0;
    channel->diesAtPoll = 1;
    reply(c.arrived);
    EXPECT_EQ(c.command(*commands), c.expected) << c.what;
    EXPECT_EQ(channel->polls, 1) << c.what << ": no further waits";
  }
  channel->sent.clear();
  EXPECT_EQ(commands->CmdReadByteAddr(0, 0x48), kReadFailed);
  EXPECT_EQ(commands->CmdReadVersion().result, kCommandFailed);
  EXPECT_TRUE(channel->sent.empty()) << "nothing is sent on a dead line";
  EXPECT_FALSE(commands->canReachBoard());
}

// Each command against a stale reply of its own kind that waits in the
// channel when its frame is about to go out, and its own reply after the frame.
struct StaleCase {
  const char* what;
  std::function<std::int32_t(CommandLayer&)> command;
  const char* stale;
  std::vector<std::string> own;  // none: the board does not answer this frame
  std::int32_t expected;
};

const StaleCase kStaleCases[] = {
    {"read",
     [](CommandLayer& c) { return c.CmdReadByteAddr(0, 0x11); },
     "OWI Read @10: 0x55\n",
     {"OWI Read @11: 0x66\n"},
     0x66},
    {"unanswered read",
     [](CommandLayer& c) { return c.CmdReadByteAddr(0, 0x11); },
     "OWI Read @10: 0x55\n",
     {},
     kReadFailed},
    {"write",
     [](CommandLayer& c) { return c.CmdWriteByteAddr(0, 0x11, 1); },
     "OWI Write 01->11 ok\n",
     {},
     kCommandFailed},
    {"power on", [](CommandLayer& c) { return c.CmdPowerOn(0); }, "Part#1 Relay Power On\n", {}, kCommandFailed},
    {"OWI enter after a mode reply",
     [](CommandLayer& c) { return c.CmdEnterOwi(0); },
     "Part#1 OWI Mode\n",
     {},
     kCommandFailed},
    {"ADC",
     [](CommandLayer& c) { return c.CmdReadProgrammerADCvalue(); },
     "ADC:12,34,0D\n",
     {"ADC:80,00,0D\n"},
     0x8000},
    {"store", [](CommandLayer& c) { return c.CmdStore(0); }, "OWI Store Part#1!\n", {}, kCommandFailed},
};

TEST_F(CommandLayerTest, TextWaitingBeforeAFrameIsThrownAwayAndNamedForTheTrace) {
  for (const StaleCase& c : kStaleCases) {
    clearings.clear();
    channel->sent.clear();
    channel->waiting = c.stale;
    channel->answers = {c.own};
    EXPECT_EQ(c.command(*commands), c.expected) << c.what;
    ASSERT_EQ(clearings.size(), 1u) << c.what;
    EXPECT_EQ(clearings[0].discarded, c.stale) << c.what;
    ASSERT_EQ(channel->sent.size(), 1u) << c.what;
    EXPECT_EQ(clearings[0].frame, channel->sent[0]) << c.what;
  }
}

TEST_F(CommandLayerTest, ClearingAnEmptyLineCostsNoWaitAndIsNotTraced) {
  reply("Part#1 Relay Power On\n");
  EXPECT_EQ(commands->CmdPowerOn(0), kCommandOk);
  EXPECT_EQ(channel->drains, 1) << "the line is cleared before the frame";
  EXPECT_EQ(channel->now, 1) << "one poll, for the reply";
  EXPECT_TRUE(clearings.empty());
}

TEST_F(CommandLayerTest, WhatFollowedTheJudgedLineIsThrownAwayBeforeTheNextFrame) {
  reply("Part#1 Relay Power On\nOWI Read @10: 0x55\n");  // a stray second line in the chunk
  EXPECT_EQ(commands->CmdPowerOn(0), kCommandOk);
  EXPECT_EQ(commands->CmdReadByteAddr(0, 0x11), kReadFailed) << "the stray line is not the read's reply";
  ASSERT_EQ(clearings.size(), 1u);
  EXPECT_EQ(clearings[0].discarded, "OWI Read @10: 0x55\n");
  EXPECT_EQ(clearings[0].frame, "$C,O,R,1,11,FF#");
}

TEST_F(CommandLayerTest, AfterAGiveUpTheNextFrameWaitsForTheQuietPeriodAndDropsWhatArrives) {
  const struct {
    const char* what;
    std::int64_t pauseMs;           // between the give-up and the next command
    std::vector<std::string> late;  // arriving poll by poll after the give-up
  } cases[] = {
      {"late reply right after the give-up", 0, {"OWI Read @10: 0x55\n"}},
      {"late reply in two chunks", 0, {"OWI Read @1", "0: 0x55\n"}},
      {"nothing late", 0, {}},
      {"part of the quiet period already passed", 600, {"OWI Read @10: 0x55\n"}},
      {"next command long after", kQuietAfterGiveUpMs, {}},
  };
  for (const auto& c : cases) {
    clearings.clear();
    EXPECT_EQ(commands->CmdReadByteAddr(0, 0x10), kReadFailed) << c.what;
    channel->now += c.pauseMs;
    channel->script.assign(c.late.begin(), c.late.end());
    reply("OWI Read @11: 0x66\n");
    EXPECT_EQ(commands->CmdReadByteAddr(0, 0x11), 0x66) << c.what;

    const std::int64_t quietLeft = std::max<std::int64_t>(0, kQuietAfterGiveUpMs - c.pauseMs);
    std::string late;
    for (const auto& chunk : c.late) late += chunk;
    if (quietLeft == 0 && late.empty()) {
      EXPECT_TRUE(clearings.empty()) << c.what;
      continue;
    }
    ASSERT_EQ(clearings.size(), 1u) << c.what;
    EXPECT_EQ(clearings[0].discarded, late) << c.what;
    // The frame goes out once the quiet period after the give-up has passed,
    // at most one poll later.
    EXPECT_GE(clearings[0].quietMs, quietLeft) << c.what;
    EXPECT_LT(clearings[0].quietMs, quietLeft + ScriptedChannel::kEmptyPollMs) << c.what;
  }
}

TEST_F(CommandLayerTest, OnlyAGiveUpBringsOnTheQuietPeriod) {
  const struct {
    const char* what;
    std::function<std::int32_t(CommandLayer&)> command;
    std::vector<std::string> answer;
    bool givesUp;
  } cases[] = {
      {"refused write",
       [](CommandLayer& c) { return c.CmdWriteByteAddr(0, 0x1F, 1); },
       {"OWI Write 1F: fail!\n"},
       false},
      {"lost write reply", [](CommandLayer& c) { return c.CmdWriteByteAddr(0, 0x1F, 1); }, {}, true},
      {"ADC line that never matches",
       [](CommandLayer& c) { return c.CmdReadProgrammerADCvalue(); },
       {"ADC:80,00,1D\n"},
       true},
  };
  for (const auto& c : cases) {
    clearings.clear();
    channel->answers = {c.answer};
    c.command(*commands);
    reply("Part#1 Relay Power On\n");
    const std::int64_t before = channel->now;
    EXPECT_EQ(commands->CmdPowerOn(0), kCommandOk) << c.what;
    EXPECT_EQ(channel->now - before > 1, c.givesUp) << c.what;
    const bool quiet = !clearings.empty() && clearings.back().quietMs > 0;
    EXPECT_EQ(quiet, c.givesUp) << c.what;
  }
}

TEST(CommandLayerWithoutChannel, EveryCommandFailsAtOnce) {
  CommandLayer commands(nullptr, [] { return std::int64_t{0}; });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(commands.canReachBoard());
  EXPECT_EQ(commands.CmdPowerOn(0), kCommandFailed);
  EXPECT_EQ(commands.CmdEnterOwi(3), kCommandFailed);
  EXPECT_EQ(commands.CmdWriteByteAddr(0, 1, 2), kCommandFailed);
  EXPECT_EQ(commands.CmdReadByteAddr(0, 1), kReadFailed);
  EXPECT_EQ(commands.CmdErase(0), kCommandFailed);
  EXPECT_EQ(commands.CmdReadProgrammerADCvalue(), kAdcTimeout);
  const VersionReply version = commands.CmdReadVersion();
  EXPECT_EQ(version.result, kCommandFailed);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
}

}  // namespace
}  // namespace rx041::zq3902
