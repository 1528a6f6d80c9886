// The reply limits a test may cap, and the cap given back for restoring.
#include "rx041/component/clock.h"

#include <gtest/gtest.h>

namespace rx041::com {
namespace {

using std::chrono::milliseconds;

TEST(ReplyLimitCap, ShortensOnlyTheLimitsBeyondItAndIsGivenBack) {
  struct Row {
    milliseconds cap;
    std::int64_t limit, expected;
  };
  const Row rows[] = {{milliseconds(0), 5000, 5000},
                      {milliseconds(1000), 5000, 1000},
                      {milliseconds(1000), 500, 500},
                      {milliseconds(1000), 1000, 1000}};
  for (const Row& row : rows) {
    const milliseconds before = setReplyLimitCap(row.cap);
    EXPECT_EQ(replyLimitMs(row.limit), row.expected) << row.cap.count() << " ms cap, " << row.limit << " ms limit";
    EXPECT_EQ(setReplyLimitCap(before), row.cap);
  }
  EXPECT_EQ(replyLimitMs(5000), 5000);
}

}  // namespace
}  // namespace rx041::com
