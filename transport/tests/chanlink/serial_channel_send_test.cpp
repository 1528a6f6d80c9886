#include <algorithm>

#include "channel_bench.h"

namespace rx041::chanlink::testing {
namespace {

using SerialChannelSend = ChannelBench;

TEST_F(SerialChannelSend, WritesTheTextAsItIsUpToAHundredBytes) {
  connect();
  EXPECT_EQ(channel->Send(Variant("AP1XXXXXXXXXXXX")), com::S_OK);
  EXPECT_EQ(line.readFor(100ms), "AP1XXXXXXXXXXXX") << "nothing is added";

  std::string text;
  for (int i = 0; i < 150; ++i) text += static_cast<char>('0' + i % 43);
  channel->Send(Variant(text));
  EXPECT_EQ(line.readFor(100ms), text.substr(0, 100));
  const auto waited = waits.asked();
  EXPECT_EQ(std::count(waited.begin(), waited.end(), 2ms), 2) << "a pause before each write";
}

TEST_F(SerialChannelSend, StopsAtTheFirstZeroByte) {
  connect();
  channel->Send(Variant(std::string("AB\0CD", 5)));
  EXPECT_EQ(line.readFor(100ms), "AB");
}

TEST_F(SerialChannelSend, TakesAReferenceToACallersString) {
  connect();
  std::string command = "by reference";
  channel->Send(Variant(com::StringRef{&command}));
  EXPECT_EQ(line.readFor(100ms), "by reference");
}

TEST_F(SerialChannelSend, AnythingButAStringIsRefusedWithAMessage) {
  connect();
  OperatorMessages messages;
  const Variant refused[] = {
      Variant(std::int32_t{7}),        Variant(std::int16_t{7}), Variant(1.5), Variant::fromBool(true), Variant(),
      Variant(com::StringRef{nullptr})};
  for (const Variant& data : refused) EXPECT_EQ(channel->Send(data), com::S_OK);
  EXPECT_EQ(messages.texts(),
            std::vector<std::string>(std::size(refused), "Not recognized type by SerialChannel send"));
  EXPECT_EQ(line.readFor(100ms), "");
}

}  // namespace
}  // namespace rx041::chanlink::testing
