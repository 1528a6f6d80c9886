#include "rx041/transport/trace_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "rx041/component/notify.h"
#include "rx041/test_support/temp_dir.h"

namespace rx041::transport {
namespace {

using test::ScopedEnv;
using test::TempDir;

std::string contents(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class Trace : public ::testing::Test {
 protected:
  TempDir dir;
  ScopedEnv env{"RX041_TRACE_DIR", dir.path().c_str()};
  void createMarker() { std::ofstream(dir / "wispfly.txt") << ""; }
};

TEST_F(Trace, NothingWithoutTheMarker) {
  TraceLog log("log.txt", "w");
  log.write("%ld: %s %s\n", 1L, "SerialChannel", "Load");
  EXPECT_FALSE(log.isOpen());
  EXPECT_FALSE(std::filesystem::exists(dir / "log.txt"));
}

TEST_F(Trace, StartsWithTheNextLineOnceTheMarkerAppearsAndTruncates) {
  std::ofstream(dir / "log.txt") << "old contents\n";
  TraceLog log("log.txt", "w");
  log.write("dropped\n");
  createMarker();
  log.write("%ld: %s %s\n", 12L, "SerialChannel", "Load");
  std::filesystem::remove(dir / "wispfly.txt");
  log.write("%s\n", "kept: the marker is checked only until the log is open");
  EXPECT_EQ(contents(dir / "log.txt"),
            "12: SerialChannel Load\nkept: the marker is checked only until the log is open\n");
}

TEST_F(Trace, CreationFailureRunsTheHandlerAndDropsTheLine) {
  createMarker();
  std::filesystem::create_directory(dir / "log.txt");  // cannot be opened as a file
  std::vector<TraceFailure> failures;
  TraceLog log("log.txt", "w", [&](TraceFailure failure) { failures.push_back(failure); });
  log.write("a\n");
  log.write("b\n");
  EXPECT_EQ(failures, std::vector<TraceFailure>(2, TraceFailure::Create))
      << "every line retries while the log cannot be created";
  EXPECT_FALSE(log.isOpen());
}

TEST_F(Trace, AFullDiskClosesTheLogAfterOneFailure) {
  createMarker();
  std::filesystem::create_symlink("/dev/full", dir / "KVTlog.txt");
  std::vector<TraceFailure> failures;
  TraceLog log("KVTlog.txt", "wt+", [&](TraceFailure failure) { failures.push_back(failure); });
  for (int line = 0; line < 3; ++line) log.write("%d: a line the disk has no room for\n", line);
  EXPECT_EQ(failures, std::vector<TraceFailure>{TraceFailure::Write});
  EXPECT_FALSE(log.isOpen());
}

TEST(TraceFailureNoticeTest, ShowsTheFirstFailureOnlyAndThenStaysSilent) {
  std::vector<std::string> shown;
  com::setOperatorNotifier([&](std::string_view text) { shown.emplace_back(text); });
  TraceFailureNotice notice("cannot create", "cannot write");
  notice.report(TraceFailure::Write);
  notice.report(TraceFailure::Create);
  notice.report(TraceFailure::Write);
  com::setOperatorNotifier({});
  EXPECT_EQ(shown, std::vector<std::string>{"cannot write"});
}

TEST(TraceDirectory, DefaultsUnderXdgState) {
  ScopedEnv trace("RX041_TRACE_DIR", nullptr);
  ScopedEnv state("XDG_STATE_HOME", "/state");
  EXPECT_EQ(traceDirectory(), std::filesystem::path("/state/rx041"));
}

}  // namespace
}  // namespace rx041::transport
