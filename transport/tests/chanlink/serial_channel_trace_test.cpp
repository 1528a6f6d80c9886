#include <gmock/gmock.h>

#include <fstream>

#include "channel_bench.h"

namespace rx041::chanlink::testing {
namespace {

using SerialChannelTrace = ChannelBench;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;

TEST_F(SerialChannelTrace, NoLogWithoutTheMarker) {
  connect();
  channel->Send(Variant("V?"));
  line.write("V1");
  settle();
  receive();
  disconnect();
  EXPECT_FALSE(std::filesystem::exists(logFile()));
}

TEST_F(SerialChannelTrace, StartsWithTheNextEventOnceTheMarkerAppears) {
  std::ofstream(logFile()) << "an old session\n";
  connect();  // not traced: no marker yet
  createMarker();
  channel->Send(Variant("AP1"));
  line.write("OK");
  settle();
  disconnect();
  EXPECT_THAT(logLines(),
              ElementsAre(MatchesRegex("[0-9]+: SerialChannel Send: AP1"), MatchesRegex("[0-9]+: MakePacket buf OK"),
                          MatchesRegex("[0-9]+: SerialChannel Exit")));
}

TEST_F(SerialChannelTrace, EachNewChannelStartsTheLogAfresh) {
  createMarker();
  channel->Send(Variant("first channel"));
  ASSERT_EQ(logLines().size(), 1u);

  auto second = createSerialChannel();
  ASSERT_TRUE(second);
  second->put_Connected(com::VARIANT_TRUE);  // port 0: nothing is opened
  EXPECT_THAT(logLines(), ElementsAre(MatchesRegex("[0-9]+: SerialChannel Load")));
  second->put_Connected(com::VARIANT_FALSE);
}

TEST_F(SerialChannelTrace, ALogThatCannotBeCreatedIsReportedOncePerProcessAndTheSendStillGoes) {
  createMarker();
  std::filesystem::create_directory(logFile());
  OperatorMessages messages;
  connect();
  EXPECT_EQ(channel->Send(Variant("AP2")), com::S_OK);
  EXPECT_EQ(line.readFor(100ms), "AP2");
  line.write("OK");
  settle();
  receive();
  const auto second = createSerialChannel();
  second->Send(Variant("AP3"));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"fail to create log.txt"}) << "one message, then silence";
}

}  // namespace
}  // namespace rx041::chanlink::testing
