// Reply lines as they really arrive through the channel: longer than needed,
// split, preceded by stale lines, two at once, or missing.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "connected_device.h"

namespace rx041::zq3902 {
namespace {

using test::PeerReply;
using test::ScriptedBoardPeer;
using testing::ConnectedDevice;
using testing::result;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class ReplyLineTest : public ::testing::Test {
 protected:
  std::int32_t powerOn() { return result(&IZQ3902Device::Customized_PowerOn, *device, 0); }

  ConnectedDevice device;
  const std::string reply = ScriptedBoardPeer::powerOnLine('1');
};

TEST_F(ReplyLineTest, LinesThatEndUpAcceptable) {
  device.peer.scriptReply("$R,P,O", PeerReply::line("Board says: " + reply));
  EXPECT_EQ(powerOn(), 0);
  device.peer.scriptReply("$R,P,O", PeerReply::split(reply, 9));
  EXPECT_EQ(powerOn(), 0);
  device.peer.scriptReply("$R,P,O", PeerReply::staleThen("OK", reply));
  EXPECT_EQ(powerOn(), 0);
  EXPECT_EQ(device.takeFrames().size(), 3u);
}

TEST_F(ReplyLineTest, SecondLineOfAChunkWaitsForTheNextPoll) {
  device.peer.scriptReply("$R,P,O", PeerReply::together({"busy", reply}));
  const auto start = Clock::now();
  EXPECT_EQ(powerOn(), 0);
  // The short first line is dropped; the next poll finds nothing new and
  // waits out the channel's receive limit before the second line is examined.
  EXPECT_GE(Clock::now() - start, milliseconds(200));
}

TEST_F(ReplyLineTest, MissingOrShortReplyFailsAfterTheLimit) {
  device.peer.scriptReply("$R,P,O", PeerReply::silence());
  auto start = Clock::now();
  EXPECT_EQ(powerOn(), 1);
  EXPECT_GE(Clock::now() - start, milliseconds(500));
  EXPECT_LT(Clock::now() - start, milliseconds(1000));

  device.peer.scriptReply("$R,P,O", PeerReply::line(reply.substr(1)));  // one character short
  start = Clock::now();
  EXPECT_EQ(powerOn(), 1);
  EXPECT_GE(Clock::now() - start, milliseconds(500));
}

TEST_F(ReplyLineTest, ALineLeftFromAnEarlierCommandIsNeverTheNextOnesReply) {
  // The board answers the power-on twice; the second line waits in the
  // channel when the power-off goes out, whose own reply is lost.
  device.peer.scriptReply("$R,P,O",
                          PeerReply{{reply + "\n", ScriptedBoardPeer::powerOffLine('1') + "\n"}, milliseconds(50)});
  device.peer.scriptReply("$R,P,F", PeerReply::silence());
  EXPECT_EQ(powerOn(), 0);
  std::this_thread::sleep_for(milliseconds(100));
  EXPECT_EQ(result(&IZQ3902Device::Customized_PowerOff, *device, 0), 1);
}

}  // namespace
}  // namespace rx041::zq3902
