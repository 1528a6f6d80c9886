// Appending records: whole lines from several programs at once, nothing lost,
// a reason when the file cannot be written, no waiting on what is no file, and
// a failed append that leaves the file as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <thread>

#include "rx041/records/record_file.h"
#include "rx041/test_support/temp_dir.h"

namespace rx041::records {
namespace {

namespace fs = std::filesystem;

ProgrammingRecord recordOf(const std::string& host, std::int32_t number) {
  ProgrammingRecord record;
  record.time = "2026-05-12T14:03:07.250+02:00";
  record.host = host;
  record.chipId = number;
  record.registers = {{11, 0x66}, {12, 0x9A}};
  record.outcome = std::string(kStoredOutcome);
  return record;
}

// Runs body in a child process; its exit status, or -1 when it did not end in time (it is then killed).
int inChild(const std::function<int()>& body, std::chrono::seconds limit = std::chrono::seconds(20)) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  if (pid < 0) return -2;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

std::string contentsOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

RecordFileContents recordsIn(const fs::path& file) {
  std::ifstream in(file);
  return readRecords(in);
}

TEST(RecordAppendTest, ProgramsAppendingAtOnceLoseNothing) {
  const struct {
    int writers;
    int recordsEach;
  } cases[] = {{2, 500}, {3, 60}, {6, 300}};
  for (const auto& c : cases) {
    rx041::test::TempDir dir;
    const auto file = dir / "records" / "programming-records.jsonl";
    std::vector<pid_t> writers;
    for (int w = 0; w < c.writers; ++w) {
      const pid_t pid = ::fork();
      if (pid == 0) {
        for (int i = 0; i < c.recordsEach; ++i)
          if (appendLine(file, recordLine(recordOf("writer-" + std::to_string(w), i)))) ::_exit(1);
        ::_exit(0);
      }
      writers.push_back(pid);
    }
    for (const pid_t writer : writers) {
      ASSERT_GT(writer, 0);
      int status = 0;
      ASSERT_EQ(::waitpid(writer, &status, 0), writer);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    const RecordFileContents contents = recordsIn(file);
    EXPECT_TRUE(contents.problems.empty())
        << contents.problems.front().line << ": " << contents.problems.front().reason;
    EXPECT_EQ(contents.records.size(), static_cast<std::size_t>(c.writers * c.recordsEach));
    std::map<std::string, std::set<std::int32_t>> seen;
    for (const auto& [line, record] : contents.records) seen[record.host].insert(record.chipId.value_or(-1));
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(c.writers));
    for (const auto& [host, numbers] : seen) {
      EXPECT_EQ(numbers.size(), static_cast<std::size_t>(c.recordsEach)) << host;
      EXPECT_EQ(*numbers.begin(), 0) << host;
      EXPECT_EQ(*numbers.rbegin(), c.recordsEach - 1) << host;
    }
  }
}

TEST(RecordAppendTest, AFileThatCannotBeWrittenGivesTheReason) {
  rx041::test::TempDir dir;
  std::ofstream(dir / "occupied") << "a file where the folder should be";
  const auto problem = appendLine(dir / "occupied" / "programming-records.jsonl", "{}");
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->rfind((dir / "occupied").string(), 0), 0u) << *problem;
}

TEST(RecordAppendTest, WhatIsNoRegularFileIsRefusedWithoutWaiting) {
  rx041::test::TempDir dir;
  const auto fifo = dir / "fifo.jsonl";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const auto heldFifo = dir / "held-fifo.jsonl";
  ASSERT_EQ(::mkfifo(heldFifo.c_str(), 0644), 0);
  const int reader = ::open(heldFifo.c_str(), O_RDONLY | O_NONBLOCK);  // a reader makes the open succeed
  ASSERT_GE(reader, 0);
  fs::create_directories(dir / "folder.jsonl");
  fs::create_symlink("/dev/null", dir / "device.jsonl");

  for (const char* name : {"fifo.jsonl", "held-fifo.jsonl", "folder.jsonl", "device.jsonl"}) {
    const auto file = dir / name;
    const int status = inChild(
        [&] {
          const auto problem = appendLine(file, recordLine(recordOf("bench", 1)));
          return problem && problem->find("not a regular file") != std::string::npos ? 0 : 1;
        },
        std::chrono::seconds(5));
    EXPECT_EQ(status, 0) << name << (status == -1 ? ": still waiting" : ": not refused as no regular file");
  }
  char byte = 0;
  EXPECT_LE(::read(reader, &byte, 1), 0) << "nothing went into the FIFO";
  ::close(reader);
}

// A full disk, as the kernel reports it to a process over its file size limit.
TEST(RecordAppendTest, AFailedAppendLeavesTheFileAsItWas) {
  rx041::test::TempDir dir;
  const auto file = dir / "programming-records.jsonl";
  ASSERT_FALSE(appendLine(file, recordLine(recordOf("first", 1))));
  const std::string before = contentsOf(file);
  const std::string line = recordLine(recordOf("second", 2));

  for (const std::size_t room : {std::size_t{0}, std::size_t{1}, line.size() / 2, line.size()}) {
    const int status = inChild([&] {
      ::signal(SIGXFSZ, SIG_IGN);
      rlimit limit{};
      ::getrlimit(RLIMIT_FSIZE, &limit);
      const rlim_t unlimited = limit.rlim_cur;
      limit.rlim_cur = before.size() + room;
      ::setrlimit(RLIMIT_FSIZE, &limit);
      const auto problem = appendLine(file, line);
      if (!problem || problem->find("too large") == std::string::npos) return 1;
      if (contentsOf(file) != before) return 2;
      limit.rlim_cur = unlimited;
      ::setrlimit(RLIMIT_FSIZE, &limit);
      return appendLine(file, line) ? 3 : 0;
    });
    EXPECT_EQ(status, 0) << "room for " << room << " bytes: 1 not refused, 2 file changed, 3 next append failed";
    const RecordFileContents contents = recordsIn(file);
    EXPECT_TRUE(contents.problems.empty()) << room << ": " << contents.problems.front().reason;
    ASSERT_EQ(contents.records.size(), 2u) << room;
    EXPECT_EQ(contents.records.back().record.host, "second");
    std::ofstream(file, std::ios::trunc) << before;
  }
}

TEST(RecordAppendTest, ARecordCutByACrashDoesNotSwallowTheNext) {
  rx041::test::TempDir dir;
  const auto file = dir / "programming-records.jsonl";
  const std::string whole = recordLine(recordOf("crashed", 1));
  std::ofstream(file) << whole.substr(0, whole.size() / 2);

  ASSERT_FALSE(appendLine(file, recordLine(recordOf("next", 2))));
  ASSERT_FALSE(appendLine(file, recordLine(recordOf("after", 3))));
  const RecordFileContents contents = recordsIn(file);
  ASSERT_EQ(contents.problems.size(), 1u);
  EXPECT_EQ(contents.problems.front().line, 1u);
  ASSERT_EQ(contents.records.size(), 2u);
  EXPECT_EQ(contents.records[0].line, 2u);
  EXPECT_EQ(contents.records[0].record.host, "next");
  EXPECT_EQ(contents.records[1].line, 3u) << "a file that ends its line gets no blank line";
}

}  // namespace
}  // namespace rx041::records
