// Profile text: the kinds of file a loader refuses (binary, oversized, long
// lines, no regular file) with their error numbers, the texts it still takes,
// and values by character position.
#include "rx41/rules/profile_text.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>

#include "rx041/test_support/temp_dir.h"

namespace {

using namespace rx41;

const std::vector<std::size_t> kTwoLines = {3, 3};  // "A:" and "B:" labels

std::string line(std::size_t bytes) { return "A:" + std::string(bytes - 2, '7') + "\r\n"; }

struct FileCase {
  const char* kind;
  std::string bytes;
  int errorNumber;
};

TEST(ProfileText, RefusesWhatIsNoProfileText) {
  const std::string fill = line(1000);
  std::string fullSize;
  while (fullSize.size() + fill.size() <= kProfileMaxBytes) fullSize += fill;
  fullSize += std::string(kProfileMaxBytes - fullSize.size(), '\n');
  const FileCase cases[] = {
      {"NUL byte", std::string("A:1\r\nB:\0\r\n", 10), profile_error::kNotText},
      {"control character", "A:1\x1B[0m\r\nB:2\r\n", profile_error::kNotText},
      {"DEL", "A:1\x7F\r\nB:2\r\n", profile_error::kNotText},
      {"8-bit byte", "A:1\xB0\r\nB:2\r\n", profile_error::kNotText},
      {"overlong form", "A:\xC0\xAF\r\nB:2\r\n", profile_error::kNotText},
      {"surrogate", "A:\xED\xA0\x80\r\nB:2\r\n", profile_error::kNotText},
      {"cut-off sequence", "A:1\r\nB:\xE2\x82", profile_error::kNotText},
      {"UTF-16",
       std::string("\xFF\xFE"
                   "A\0:\0",
                   6),
       profile_error::kNotText},
      {"one byte over 64 KiB", fullSize + "\n", profile_error::kFileTooLarge},
      {"line over 4 KiB", "A:1\r\n" + line(kProfileMaxLineBytes + 1), profile_error::kLineTooLong},
      {"long last line", "A:1\r\n" + std::string(kProfileMaxLineBytes + 1, 'x'), profile_error::kLineTooLong},
      {"exactly 64 KiB", fullSize, 0},
      {"line of exactly 4 KiB", "A:1\r\n" + line(kProfileMaxLineBytes), 0},
      {"tabs, byte-order mark, UTF-8",
       "\xEF\xBB\xBF"
       "A:\t1\r\nB:90\xC2\xB0\r\n",
       0},
  };
  const rx041::test::TempDir dir;
  for (const FileCase& file : cases) {
    SCOPED_TRACE(file.kind);
    const auto path = dir / "profile.txt";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << file.bytes;
    const ProfileText read = readProfileText(path, kTwoLines);
    EXPECT_EQ(read.errorNumber, file.errorNumber);
    EXPECT_EQ(read.values.size(), file.errorNumber ? 0u : 2u);
  }
}

TEST(ProfileText, RefusesWhatIsNoRegularFileWithoutReadingOrWaiting) {
  const rx041::test::TempDir dir;
  const auto huge = dir / "huge.txt";
  std::ofstream(huge) << "A:1\r\n";
  std::filesystem::resize_file(huge, 300u << 20);  // sparse: no disk needed
  const auto fifo = dir / "fifo.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::filesystem::path, int> cases[] = {
      {huge, profile_error::kFileTooLarge},
      {fifo, profile_error::kFileAccess},  // nobody writes: opening must not wait
      {dir.path(), profile_error::kFileAccess},
      {"/dev/zero", profile_error::kFileAccess},
      {dir / "missing.txt", profile_error::kFileNotFound},
      {dir / "missing" / "p.txt", profile_error::kFileNotFound},
  };
  for (const auto& [path, errorNumber] : cases) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readProfileText(path, kTwoLines).errorNumber, errorNumber) << path;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500)) << path;
  }
}

TEST(ProfileText, ValuesStartAtTheirCharacter) {
  struct Case {
    std::string text;
    std::vector<std::string> values;
    int errorNumber;
  };
  const Case cases[] = {
      {"A:1\r\nB:2\r\n", {"1", "2"}, 0},
      {"A:1\nB:2", {"1", "2"}, 0},
      {"A\r\nB:\r\n", {"", ""}, 0},              // a short line gives an empty value
      {"\xC2\xB0:1\r\nB:2\r\n", {"1", "2"}, 0},  // positions count characters, not bytes
      {"A:1\r\r\nB:2\r", {"1", "2"}, 0},         // every CR dropped
      {"\r\nA:1\r\n", {"", "1"}, 0},             // a blank line shifts what follows
      {"A:1\r\n", {"1"}, profile_error::kInputPastEnd},
      {"", {}, profile_error::kInputPastEnd},
  };
  for (const Case& c : cases) {
    const ProfileText parsed = parseProfileText(c.text, kTwoLines);
    EXPECT_EQ(parsed.values, c.values) << c.text;
    EXPECT_EQ(parsed.errorNumber, c.errorNumber) << c.text;
  }
}

TEST(ProfileText, ChoicesAreWholeNumbersInRange) {
  const std::pair<const char*, int> cases[] = {{"0", 0},
                                               {"1", 0},
                                               {" 1.4 ", 0},
                                               {"1.5", profile_error::kInvalidValue},
                                               {"2", profile_error::kInvalidValue},
                                               {"-1", profile_error::kInvalidValue},
                                               {"40000", profile_error::kTypeMismatch},
                                               {"", profile_error::kTypeMismatch},
                                               {"1e0", profile_error::kTypeMismatch},
                                               {"CW", profile_error::kTypeMismatch}};
  for (const auto& [value, errorNumber] : cases) EXPECT_EQ(profileChoiceError(value, 2), errorNumber) << value;
}

}  // namespace
