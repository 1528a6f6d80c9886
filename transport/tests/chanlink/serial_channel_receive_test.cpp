#include <thread>

#include "channel_bench.h"

namespace rx041::chanlink::testing {
namespace {

using SerialChannelReceive = ChannelBench;

TEST_F(SerialChannelReceive, ChunksArrivedBeforeOneCallComeBackJoined) {
  connect();
  line.write("V1.2");
  settle();
  line.write("3 OK\n");
  settle();
  EXPECT_EQ(receive(), Variant("V1.23 OK\n"));
  EXPECT_TRUE(receive().isEmpty()) << "a Receive hands everything out once";
}

TEST_F(SerialChannelReceive, AChunkThatWouldMakeTheCountReach512IsDroppedWhole) {
  connect();
  struct Case {
    std::size_t buffered;
    bool kept;
  };
  for (const Case c : {Case{411, true}, Case{412, false}, Case{420, false}}) {
    line.write(std::string(c.buffered, 'a'));
    settle();
    line.write(std::string(100, 'b'));
    settle();
    const std::string expected = std::string(c.buffered, 'a') + (c.kept ? std::string(100, 'b') : "");
    EXPECT_EQ(receive(), Variant(expected)) << c.buffered << " buffered";
  }
}

TEST_F(SerialChannelReceive, NothingBufferedLeavesDataAsPassedAfterAQuarterSecond) {
  Variant unconnected("as passed");
  const auto idle = timed([&] { EXPECT_EQ(channel->Receive(1, 1, &unconnected), com::S_OK); });
  EXPECT_EQ(unconnected, Variant("as passed"));
  EXPECT_GE(idle, 250ms);
  EXPECT_LT(idle, 400ms);

  connect();
  Variant data("as passed");
  const auto elapsed = timed([&] { channel->Receive(1000, 5000, &data); });
  EXPECT_EQ(data, Variant("as passed")) << "the requested count and time-out are ignored";
  EXPECT_GE(elapsed, 250ms);
  EXPECT_LT(elapsed, 400ms);
}

TEST_F(SerialChannelReceive, AWaitingReceiveWakesWhenDataArrives) {
  connect();
  std::thread farEnd([this] {
    std::this_thread::sleep_for(20ms);
    line.write("R");
  });
  Variant data;
  const auto elapsed = timed([&] { channel->Receive(0, 0, &data); });
  farEnd.join();
  EXPECT_EQ(data, Variant("R"));
  EXPECT_LT(elapsed, 95ms) << "woken by the arrival, not by the end of a wait step";
}

TEST_F(SerialChannelReceive, TextEndsAtTheFirstZeroByte) {
  connect();
  line.write(std::string("OK\0junk", 7));
  settle();
  EXPECT_EQ(receive(), Variant("OK"));
}

TEST_F(SerialChannelReceive, ClearReceiveBufDiscardsWhatWasBuffered) {
  connect();
  line.write("stale");
  settle();
  EXPECT_EQ(channel->ClearReceiveBuf(), com::S_OK);
  line.write("fresh");
  settle();
  EXPECT_EQ(receive(), Variant("fresh"));
}

TEST_F(SerialChannelReceive, TakeReceivedHandsOutWhatIsBufferedWithoutWaiting) {
  const auto received = com::query<IReceivedText>(channel);
  ASSERT_TRUE(received);
  connect();
  const auto empty = timed([&] { EXPECT_EQ(received->takeReceived(), ""); });
  EXPECT_LT(empty, 50ms) << "no wait when nothing is there";
  line.write(std::string("late\0reply\n", 11));
  settle();
  EXPECT_EQ(received->takeReceived(), std::string("late\0reply\n", 11)) << "every byte, past a zero byte too";
  EXPECT_TRUE(receive().isEmpty()) << "taken bytes are not handed out again";
}

TEST_F(SerialChannelReceive, BufferedBytesOutliveADisconnect) {
  connect();
  line.write("late reply");
  settle();
  disconnect();
  EXPECT_EQ(receive(), Variant("late reply"));
}

}  // namespace
}  // namespace rx041::chanlink::testing
