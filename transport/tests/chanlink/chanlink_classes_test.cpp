#include <gtest/gtest.h>

#include <vector>

#include "rx041/component/notify.h"
#include "rx041/component/registry.h"
#include "rx041/transport/channel_interfaces.h"

namespace rx041::chanlink {
namespace {

TEST(ChanlinkClasses, EachClassIsCreatableByBothProgIds) {
  for (const char* progId : {"Chanlink.SerialChannel", "Chanlink.SerialChannel.1"})
    EXPECT_TRUE(com::createInstance<ISerialChannel>(progId)) << progId;
  for (const char* progId : {"Chanlink.MPTChannel", "Chanlink.MPTChannel.1"}) {
    auto object = com::createObject(progId).object;
    EXPECT_TRUE(com::query<IMPTChannel>(object)) << progId;
    EXPECT_FALSE(com::query<ISerialChannel>(object)) << progId << " is the generic channel only";
  }
  for (const char* progId : {"Chanlink.CommManager", "Chanlink.CommManager.1"})
    EXPECT_TRUE(com::createInstance<ICommManager>(progId)) << progId;
}

TEST(ChanlinkClasses, TheLibraryUnloadsOnlyWithoutLiveObjects) {
  auto manager = com::createInstance<ICommManager>("Chanlink.CommManager");
  ASSERT_TRUE(manager);
  EXPECT_EQ(com::freeUnusedLibraries(), 0u);
  EXPECT_EQ(manager->Quit(), com::S_OK);
  manager.reset();
  EXPECT_EQ(com::freeUnusedLibraries(), 1u);
  EXPECT_TRUE(com::createInstance<ICommManager>("Chanlink.CommManager")) << "loaded again on demand";
}

TEST(CommManager, EveryMemberSucceedsAndLeavesTheCallersVariablesAlone) {
  auto manager = com::createInstance<ICommManager>("Chanlink.CommManager");
  ASSERT_TRUE(manager);
  std::int32_t major = 7, minor = 9;
  EXPECT_EQ(manager->GetVersion(&major, &minor), com::S_OK);
  EXPECT_EQ(major, 7);
  EXPECT_EQ(minor, 9);

  std::vector<com::Variant> versionSlots{std::int32_t{7}, std::int32_t{9}};
  EXPECT_EQ(manager->invoke(ICommManager::Dispid::GetVersion, com::InvokeKind::Method, versionSlots, nullptr),
            com::S_OK);
  EXPECT_EQ(versionSlots[0], com::Variant(std::int32_t{7})) << "also when called by dispatch id";
  EXPECT_EQ(versionSlots[1], com::Variant(std::int32_t{9}));

  std::string name = "caller's", version = "caller's";
  EXPECT_EQ(manager->get_Name(&name), com::S_OK);
  EXPECT_EQ(manager->GetVersionStr(&version), com::S_OK);
  EXPECT_EQ(name, "caller's");
  EXPECT_EQ(version, "caller's");

  const std::shared_ptr<com::IDispatch> mine = manager;
  std::shared_ptr<com::IDispatch> channels = mine, devices = mine;
  EXPECT_EQ(manager->get_Channels(&channels), com::S_OK);
  EXPECT_EQ(manager->get_Devices(&devices), com::S_OK);
  EXPECT_EQ(channels, mine);
  EXPECT_EQ(devices, mine);
  EXPECT_EQ(manager->Quit(), com::S_OK);
}

TEST(MPTChannel, EveryMemberSucceedsAndDoesNothing) {
  auto channel = com::createInstance<IMPTChannel>("Chanlink.MPTChannel");
  ASSERT_TRUE(channel);
  std::vector<std::string> messages;
  com::setOperatorNotifier([&](std::string_view text) { messages.emplace_back(text); });

  std::int32_t number = 42;
  VARIANT_BOOL flag = 1;
  Variant data("caller's");
  EXPECT_EQ(channel->get_BytesInBuffer(&number), com::S_OK);
  EXPECT_EQ(channel->get_BufferSize(&number), com::S_OK);
  EXPECT_EQ(channel->put_BufferSize(1), com::S_OK);
  EXPECT_EQ(channel->get_Connected(&flag), com::S_OK);
  EXPECT_EQ(channel->put_Connected(com::VARIANT_TRUE), com::S_OK);
  EXPECT_EQ(channel->get_Busy(&flag), com::S_OK);
  EXPECT_EQ(channel->put_Busy(com::VARIANT_TRUE), com::S_OK);
  EXPECT_EQ(channel->Send(Variant(std::int32_t{3})), com::S_OK);
  EXPECT_EQ(channel->Receive(1, 1, &data), com::S_OK);
  EXPECT_EQ(channel->ReceiveAsync(1, 1, &data), com::S_OK);
  com::setOperatorNotifier({});

  EXPECT_EQ(number, 42);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(data, Variant("caller's"));
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace rx041::chanlink
