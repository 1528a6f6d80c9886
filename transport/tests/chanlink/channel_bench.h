#pragma once
// Test bench for the channel library: a SerialChannel created by ProgID through
// the build's class registry, with a pseudo-terminal as the far end behind a
// COM number of a temporary port map, and a temporary trace directory.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "rx041/test_support/instant_waits.h"
#include "rx041/test_support/pty_pair.h"
#include "rx041/test_support/temp_dir.h"
#include "rx041/transport/channel_interfaces.h"

namespace rx041::chanlink::testing {

using namespace std::chrono_literals;

// "Chanlink.SerialChannel" from the class registry.
std::shared_ptr<ISerialChannel> createSerialChannel();

class ChannelBench : public ::testing::Test {
 protected:
  static constexpr int kPort = 5;

  void SetUp() override;

  // Links COMn of the temporary port map to a device.
  void mapPort(int number, const std::filesystem::path& device);
  void connect(int port = kPort);
  void disconnect();
  VARIANT_BOOL connected();
  // One Receive call; an empty Variant when nothing came.
  Variant receive();

  void createMarker();
  std::filesystem::path logFile() const { return traceDir / "log.txt"; }
  std::vector<std::string> logLines() const;

  // The pause before a write and the wait after closing are kept, not waited.
  test::InstantWaits waits;
  test::TempDir ports;
  test::TempDir traceDir;
  test::ScopedEnv portsEnv{"RX041_PORTS", ports.path().c_str()};
  test::ScopedEnv traceEnv{"RX041_TRACE_DIR", traceDir.path().c_str()};
  test::PtyPair line;
  std::shared_ptr<ISerialChannel> channel = createSerialChannel();
};

// Time for the reader to take what the far end has written.
void settle();

// Channel reader threads running in this process, found by their name; allows
// an ended reader a moment to leave the process's task list.
std::size_t readerThreads();

std::chrono::milliseconds timed(const std::function<void()>& action);

// Collects what the libraries show the operator while the object lives.
class OperatorMessages {
 public:
  OperatorMessages();
  ~OperatorMessages();
  OperatorMessages(const OperatorMessages&) = delete;
  OperatorMessages& operator=(const OperatorMessages&) = delete;

  std::vector<std::string> texts() const;

 private:
  struct Shared {
    std::mutex mutex;
    std::vector<std::string> texts;
  };
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

}  // namespace rx041::chanlink::testing
