// Bytes arriving steadily while the caller keeps receiving, at times too slowly
// for the buffer: every chunk the reader takes either reaches the caller once,
// in order, or is dropped whole because the buffer could not take it. Each
// chunk is known from the trace log.
#include <atomic>
#include <cstdio>
#include <thread>

#include "channel_bench.h"

namespace rx041::chanlink::testing {
namespace {

constexpr std::size_t kBufferSize = 512;

std::string numberedRecords(int count) {
  std::string text;
  char record[16];
  for (int i = 0; i < count; ++i) {
    std::snprintf(record, sizeof record, "r%05d;", i);
    text += record;
  }
  return text;
}

std::vector<std::string> chunksFromLog(const std::vector<std::string>& lines) {
  static const std::string label = ": MakePacket buf ";
  std::vector<std::string> chunks;
  for (const auto& line : lines) {
    if (const auto at = line.find(label); at != std::string::npos) chunks.push_back(line.substr(at + label.size()));
  }
  return chunks;
}

using SerialChannelFlood = ChannelBench;

TEST_F(SerialChannelFlood, OnlyWholeChunksTheFullBufferRefusedAreMissing) {
  createMarker();
  connect();
  const std::string sent = numberedRecords(2000);
  std::atomic<bool> allSent = false;
  std::thread farEnd([&] {
    for (std::size_t at = 0; at < sent.size(); at += 37) {
      line.write(sent.substr(at, 37));
      std::this_thread::sleep_for(100us);
    }
    allSent = true;
  });

  std::vector<std::string> results;
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (std::chrono::steady_clock::now() < deadline) {
    const bool quietAfterTheEnd = allSent;
    const Variant data = receive();
    if (const std::string* text = data.getIf<std::string>()) {
      results.push_back(*text);
    } else if (quietAfterTheEnd) {
      break;
    }
    // A caller that is sometimes busy lets the buffer fill up now and then.
    std::this_thread::sleep_for(1ms * (results.size() % 5));
  }
  farEnd.join();

  const std::vector<std::string> chunks = chunksFromLog(logLines());
  std::string read;
  for (const auto& chunk : chunks) {
    EXPECT_GT(chunk.size(), 0u);
    EXPECT_LE(chunk.size(), 100u);
    read += chunk;
  }
  ASSERT_EQ(read, sent) << "the reader takes every byte off the line";

  std::string received;
  std::vector<std::size_t> resultStarts;
  for (const auto& result : results) {
    EXPECT_FALSE(result.empty());
    resultStarts.push_back(received.size());
    received += result;
  }

  std::size_t at = 0;
  std::size_t dropped = 0;
  for (const auto& chunk : chunks) {
    if (received.compare(at, chunk.size(), chunk) == 0) {
      at += chunk.size();
      continue;
    }
    ++dropped;
    // The buffer held at most the bytes of the same Receive result that came
    // before this chunk; the drop is right only if they left no room for it.
    std::size_t resultStart = 0;
    for (const std::size_t start : resultStarts) {
      if (start < at) resultStart = start;
    }
    const std::size_t heldAtMost = at - resultStart;
    EXPECT_GE(heldAtMost + chunk.size(), kBufferSize)
        << "a chunk of " << chunk.size() << " dropped with at most " << heldAtMost << " bytes buffered";
  }
  EXPECT_EQ(at, received.size()) << "nothing received twice or out of order";
  EXPECT_LT(dropped, chunks.size());
}

}  // namespace
}  // namespace rx041::chanlink::testing
