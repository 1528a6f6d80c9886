#include "channel_bench.h"

#include <fstream>
#include <thread>

#include "rx041/component/notify.h"
#include "rx041/component/registry.h"
#include "rx041/transport/port_map.h"

namespace rx041::chanlink::testing {

std::shared_ptr<ISerialChannel> createSerialChannel() {
  return com::createInstance<ISerialChannel>("Chanlink.SerialChannel");
}

void ChannelBench::SetUp() {
  ASSERT_TRUE(channel) << "Chanlink.SerialChannel is not creatable";
  mapPort(kPort, line.slavePath());
}

void ChannelBench::mapPort(int number, const std::filesystem::path& device) {
  std::filesystem::create_symlink(device, transport::comPortPath(number));
}

void ChannelBench::connect(int port) {
  ASSERT_EQ(channel->put_Port(static_cast<SerialPortNumber>(port)), com::S_OK);
  ASSERT_EQ(channel->put_Connected(com::VARIANT_TRUE), com::S_OK);
}

void ChannelBench::disconnect() { ASSERT_EQ(channel->put_Connected(com::VARIANT_FALSE), com::S_OK); }

VARIANT_BOOL ChannelBench::connected() {
  VARIANT_BOOL value = 1;  // neither true nor false: must be overwritten
  EXPECT_EQ(channel->get_Connected(&value), com::S_OK);
  return value;
}

Variant ChannelBench::receive() {
  Variant data;
  EXPECT_EQ(channel->Receive(0, 0, &data), com::S_OK);
  return data;
}

void ChannelBench::createMarker() { std::ofstream(traceDir / "wispfly.txt") << ""; }

std::vector<std::string> ChannelBench::logLines() const {
  std::ifstream in(logFile());
  std::vector<std::string> lines;
  for (std::string text; std::getline(in, text);) lines.push_back(text);
  return lines;
}

void settle() { std::this_thread::sleep_for(100ms); }

namespace {

std::size_t countReaderThreads() {
  std::size_t count = 0;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::string name;
    std::getline(std::ifstream(task.path() / "comm"), name);
    if (name == "chanlink-reader") ++count;
  }
  return count;
}

}  // namespace

std::size_t readerThreads() {
  // A joined thread may linger in /proc for a moment while the kernel reaps it.
  const auto deadline = std::chrono::steady_clock::now() + 50ms;
  std::size_t count = countReaderThreads();
  while (count > 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(1ms);
    count = countReaderThreads();
  }
  return count;
}

std::chrono::milliseconds timed(const std::function<void()>& action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

OperatorMessages::OperatorMessages() {
  com::setOperatorNotifier([shared = shared_](std::string_view text) {
    std::lock_guard lock(shared->mutex);
    shared->texts.emplace_back(text);
  });
}

OperatorMessages::~OperatorMessages() { com::setOperatorNotifier({}); }

std::vector<std::string> OperatorMessages::texts() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->texts;
}

}  // namespace rx041::chanlink::testing
