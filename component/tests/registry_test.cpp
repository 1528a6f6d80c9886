#include "rx041/component/registry.h"

#include <gtest/gtest.h>

#include <fstream>

#include "fixture_interface.h"
#include "rx041/component/clock.h"
#include "rx041/component/notify.h"
#include "rx041/test_support/temp_dir.h"

namespace rx041::com {
namespace {

using test::ScopedEnv;
using test::TempDir;

class Registry : public ::testing::Test {
 protected:
  TempDir dir;
  std::filesystem::path file = dir / "classes.reg";
  ScopedEnv env{"RX041_REGISTRY", file.c_str()};
};

TEST_F(Registry, CreatesARegisteredClassByEitherProgId) {
  ASSERT_EQ(registerServer(FIXTURE_SERVER, file), S_OK);
  for (const char* id : {"Fixture.Counter", "Fixture.Counter.1"}) {
    auto counter = createInstance<fixture::ICounter>(id);
    ASSERT_TRUE(counter) << id;
    std::int32_t total = 0;
    counter->Add(3, 1.0f, &total);
    EXPECT_EQ(total, 3);
  }
}

TEST_F(Registry, WritesTheClassicEntries) {
  ASSERT_EQ(registerServer(FIXTURE_SERVER, file), S_OK);
  std::ifstream in(file);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("[Fixture.Counter]"), std::string::npos);
  EXPECT_NE(text.find("CurVer=Fixture.Counter.1"), std::string::npos);
  EXPECT_NE(text.find("ThreadingModel=Apartment"), std::string::npos);
  EXPECT_NE(text.find("VersionIndependentProgID=Fixture.Counter"), std::string::npos);
  EXPECT_NE(text.find("@=Fixture 1.0 Type Library"), std::string::npos);
}

TEST_F(Registry, KeepsOtherServersEntriesAndUnregisters) {
  {
    std::ofstream out(file);
    out << "[Other.Thing]\nCLSID={1}\n";
  }
  ASSERT_EQ(registerServer(FIXTURE_SERVER, file), S_OK);
  EXPECT_TRUE(createObject("Fixture.Counter"));
  ASSERT_EQ(unregisterServer(FIXTURE_SERVER, file), S_OK);
  const auto gone = createObject("Fixture.Counter");
  EXPECT_FALSE(gone);
  EXPECT_EQ(gone.status, REGDB_E_CLASSNOTREG);
  std::ifstream in(file);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("[Other.Thing]"), std::string::npos);
}

TEST_F(Registry, FailuresAreReportedNotThrown) {
  auto noRegistry = createObject("Fixture.Counter");
  EXPECT_FALSE(noRegistry);
  EXPECT_EQ(noRegistry.status, REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(noRegistry.message.empty());

  ASSERT_EQ(registerServer(FIXTURE_SERVER, file), S_OK);
  EXPECT_EQ(createObject("Fixture.Missing").status, REGDB_E_CLASSNOTREG);

  // A registry entry whose library has gone.
  {
    std::ofstream out(file);
    out << "[Gone.Thing]\nCLSID={9}\n[CLSID\\{9}]\nInprocServer32=" << (dir / "libgone.so").string() << "\n";
  }
  const auto gone = createObject("Gone.Thing");
  EXPECT_FALSE(gone);
  EXPECT_EQ(gone.status, CO_E_DLLNOTFOUND);

  std::string message;
  EXPECT_NE(registerServer(dir / "libnothing.so", file, &message), S_OK);
  EXPECT_FALSE(message.empty());
}

TEST_F(Registry, ServerUnloadsOnlyWhenIdle) {
  ASSERT_EQ(registerServer(FIXTURE_SERVER, file), S_OK);
  auto counter = createObject("Fixture.Counter");
  ASSERT_TRUE(counter);
  EXPECT_EQ(freeUnusedLibraries(), 0u) << "a live object keeps its server loaded";
  counter.object.reset();
  EXPECT_EQ(freeUnusedLibraries(), 1u);
  EXPECT_TRUE(createObject("Fixture.Counter")) << "loads again on the next creation";
}

TEST(OperatorNotifier, HookReceivesLibraryMessages) {
  std::string seen;
  setOperatorNotifier([&](std::string_view text) { seen = text; });
  notifyOperator("fail to create log.txt");
  setOperatorNotifier({});
  EXPECT_EQ(seen, "fail to create log.txt");
  testing::internal::CaptureStderr();
  notifyOperator("to stderr");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "to stderr\n");
}

TEST(ProcessClock, CountsMillisecondsForward) {
  const auto first = processMilliseconds();
  EXPECT_GE(first, 0);
  EXPECT_GE(processMilliseconds(), first);
}

}  // namespace
}  // namespace rx041::com
