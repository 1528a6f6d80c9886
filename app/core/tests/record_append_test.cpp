// Appending records: whole lines from several programs at once, nothing lost,
// and a reason when the file cannot be written.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <set>

#include "rx041/test_support/temp_dir.h"
#include "rx41/record_file.h"

namespace rx41 {
namespace {

constexpr int kRecordsPerWriter = 500;

// A writer process: its records carry its name as host and their number as chip id.
pid_t startWriter(const std::filesystem::path& file, const std::string& name) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  ProgrammingRecord record;
  record.time = "2026-05-12T14:03:07.250+02:00";
  record.host = name;
  record.registers = {{11, 0x66}, {12, 0x9A}};
  record.outcome = std::string(kStoredOutcome);
  for (int i = 0; i < kRecordsPerWriter; ++i) {
    record.chipId = i;
    if (appendLine(file, recordLine(record))) ::_exit(1);
  }
  ::_exit(0);
}

TEST(RecordAppendTest, TwoProgramsAppendingAtOnceLoseNothing) {
  rx041::test::TempDir dir;
  const auto file = dir / "records" / "programming-records.jsonl";
  const pid_t writers[] = {startWriter(file, "writer-a"), startWriter(file, "writer-b")};
  for (const pid_t writer : writers) {
    ASSERT_GT(writer, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  std::ifstream in(file);
  const RecordFileContents contents = readRecords(in);
  EXPECT_TRUE(contents.problems.empty()) << contents.problems.front().line << ": " << contents.problems.front().reason;
  std::map<std::string, std::set<std::int32_t>> seen;
  for (const auto& [line, record] : contents.records) seen[record.host].insert(record.chipId.value_or(-1));
  ASSERT_EQ(seen.size(), 2u);
  for (const auto& [host, numbers] : seen) {
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(kRecordsPerWriter)) << host;
    EXPECT_EQ(*numbers.begin(), 0) << host;
    EXPECT_EQ(*numbers.rbegin(), kRecordsPerWriter - 1) << host;
  }
}

TEST(RecordAppendTest, AFileThatCannotBeWrittenGivesTheReason) {
  rx041::test::TempDir dir;
  std::ofstream(dir / "occupied") << "a file where the folder should be";
  const auto problem = appendLine(dir / "occupied" / "programming-records.jsonl", "{}");
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->rfind((dir / "occupied").string(), 0), 0u) << *problem;
}

}  // namespace
}  // namespace rx41
