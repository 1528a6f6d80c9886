// The COM link before reuse: only a dangling link or one that leads to the
// bench's own terminal is taken over; anything else is refused, and a link
// someone changed is not followed.
#include "com_link.h"

#include <gtest/gtest.h>

#include <fstream>

#include "rx041/test_support/temp_dir.h"
#include "rx041/transport/port_map.h"

namespace rx041::bench {
namespace {

namespace fs = std::filesystem;

class ComLinkReuseTest : public ::testing::Test {
 protected:
  ComLinkReuseTest() {
    for (const char* name : {"own", "other", "next"}) std::ofstream(dir / name) << "a terminal";
  }
  fs::path target() const { return fs::read_symlink(transport::comPortPath(7)); }

  rx041::test::TempDir dir;
  rx041::test::ScopedEnv ports{"RX041_PORTS", dir.path().c_str()};
};

TEST_F(ComLinkReuseTest, ALinkToTheBenchsOwnTerminalIsReusedAndAnyOtherIsRefusedWithTheReason) {
  fs::create_symlink(dir / "own", transport::comPortPath(7));
  { ComLink link(7, dir / "own"); }
  EXPECT_FALSE(fs::exists(fs::symlink_status(transport::comPortPath(7)))) << "taken over, then removed";

  fs::create_symlink(dir / "other", transport::comPortPath(7));
  try {
    ComLink link(7, dir / "own");
    ADD_FAILURE() << "a link to another terminal was taken over";
  } catch (const std::runtime_error& refused) {
    const std::string reason = refused.what();
    EXPECT_NE(reason.find("leads to " + (dir / "other").string() + ", which is not this bench's terminal"),
              std::string::npos)
        << reason;
    EXPECT_NE(reason.find("stale"), std::string::npos) << reason;
  }
  EXPECT_EQ(target(), dir / "other") << "left as it was";
}

TEST_F(ComLinkReuseTest, TheLinkFollowsTheBenchOnlyWhileItIsStillTheBenchs) {
  ComLink link(7, dir / "own");
  link.retarget(dir / "next");
  EXPECT_EQ(target(), dir / "next");

  fs::remove(transport::comPortPath(7));
  fs::create_symlink(dir / "other", transport::comPortPath(7));  // someone else's now
  link.retarget(dir / "own");
  EXPECT_EQ(target(), dir / "other");
}

}  // namespace
}  // namespace rx041::bench
