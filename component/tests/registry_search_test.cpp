#include "registry_search.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "rx041/test_support/temp_dir.h"

namespace rx041::com::detail {
namespace {

using test::TempDir;

class RegistrySearch : public ::testing::Test {
 protected:
  TempDir dir;
  std::filesystem::path explicitFile = dir / "explicit.reg";
  std::filesystem::path program = dir / "prefix" / "bin";
  std::filesystem::path buildTree = dir / "prefix" / "etc" / "rx041" / "classes.reg";
  std::filesystem::path userConfig = dir / "config" / "rx041";
};

TEST_F(RegistrySearch, ConsultsTheFilesInOrder) {
  const std::map<std::string, std::filesystem::path> files{{"explicit", explicitFile},
                                                           {"build tree", buildTree},
                                                           {"user", userConfig / "classes.reg"},
                                                           {"system", systemRegistry(program)}};
  struct Case {
    const char* what;
    bool setExplicit;
    bool haveBuildTree;
    bool knowProgram;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"an explicit file alone, even in a build tree", true, true, true, {"explicit"}},
      {"a build tree's registry alone", false, true, true, {"build tree"}},
      {"an installation: the user's, then the system-wide", false, false, true, {"user", "system"}},
      {"a program of unknown place: the user's", false, false, false, {"user"}},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(buildTree.parent_path());
    if (c.haveBuildTree) {
      std::filesystem::create_directories(buildTree.parent_path());
      std::ofstream(buildTree) << "";
    }
    const RegistryPlaces places{c.setExplicit ? explicitFile : std::filesystem::path(),
                                c.knowProgram ? program : std::filesystem::path(), userConfig};
    std::vector<std::filesystem::path> expected;
    for (const auto& name : c.expected) expected.push_back(files.at(name));
    EXPECT_EQ(searchPath(places), expected) << c.what;
  }
}

TEST_F(RegistrySearch, SystemRegistryIsTheInstallationsState) {
  const struct {
    std::filesystem::path programDirectory;
    std::filesystem::path registry;
  } cases[] = {
      {"/usr/bin", "/var/lib/rx041/classes.reg"},  // the package: never under /usr, which is read-only data
      {"/usr/bin/", "/var/lib/rx041/classes.reg"},
      {"/usr/sbin/../bin", "/var/lib/rx041/classes.reg"},
      {"/usr/local/bin", "/usr/local/var/lib/rx041/classes.reg"},
      {"/opt/rx041/bin", "/opt/rx041/var/lib/rx041/classes.reg"},
      {"/home/op/rx041/bin", "/home/op/rx041/var/lib/rx041/classes.reg"},
  };
  for (const auto& c : cases) EXPECT_EQ(systemRegistry(c.programDirectory), c.registry) << c.programDirectory;
}

// Two registries naming classes; the first that names a class provides it.
class ClassLookup : public ::testing::Test {
 protected:
  TempDir dir;
  std::filesystem::path user = dir / "user.reg";
  std::filesystem::path system = dir / "system.reg";

  static void write(const std::filesystem::path& file, const std::string& clsid, const std::string& library) {
    std::ofstream(file, std::ios::app) << "[Fixture.Counter]\nCLSID=" << clsid << "\nCurVer=Fixture.Counter.1\n"
                                       << "[Fixture.Counter.1]\nCLSID=" << clsid << "\n"
                                       << "[CLSID\\" << clsid << "]\n"
                                       << (library.empty() ? "" : "InprocServer32=" + library + "\n");
  }
};

TEST_F(ClassLookup, TakesTheFirstRegistryThatNamesTheClass) {
  struct Case {
    const char* what;
    const char* userLibrary;    // nullptr: the user's registry does not name the class
    const char* systemLibrary;  // nullptr: nor does the system-wide one
    const char* expectedLibrary;
  };
  const Case cases[] = {
      {"only the system-wide registry", nullptr, "/usr/lib/rx041/libfixture.so", "/usr/lib/rx041/libfixture.so"},
      {"the user's registry first", "/home/dev/build/lib/libfixture.so", "/usr/lib/rx041/libfixture.so",
       "/home/dev/build/lib/libfixture.so"},
      {"only the user's registry", "/home/dev/build/lib/libfixture.so", nullptr, "/home/dev/build/lib/libfixture.so"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(user);
    std::filesystem::remove(system);
    if (c.userLibrary) write(user, "{U}", c.userLibrary);
    if (c.systemLibrary) write(system, "{S}", c.systemLibrary);
    for (const char* progId : {"Fixture.Counter", "Fixture.Counter.1"}) {
      const auto found = locateClass({user, system}, progId, nullptr);
      ASSERT_TRUE(found) << c.what;
      EXPECT_EQ(found->library, c.expectedLibrary) << c.what;
      EXPECT_EQ(found->progId, "Fixture.Counter.1") << c.what;
      EXPECT_EQ(found->registry, c.userLibrary ? user : system) << c.what;
    }
  }
}

TEST_F(ClassLookup, ReportsWhereItLookedOrWhatIsBroken) {
  std::string message;
  EXPECT_FALSE(locateClass({user, system}, "Fixture.Counter", &message));
  EXPECT_NE(message.find(user.string()), std::string::npos) << message;
  EXPECT_NE(message.find(system.string()), std::string::npos) << message;

  // A user's entry without its library is reported, not passed over for the system's.
  write(user, "{U}", "");
  write(system, "{S}", "/usr/lib/rx041/libfixture.so");
  EXPECT_FALSE(locateClass({user, system}, "Fixture.Counter", &message));
  EXPECT_NE(message.find("names no server library"), std::string::npos) << message;
}

}  // namespace
}  // namespace rx041::com::detail
