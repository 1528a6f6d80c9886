#include <sys/stat.h>
#include <time.h>

#include <fstream>
#include <thread>

#include "channel_bench.h"
#include "rx041/test_support/open_files.h"
#include "rx041/transport/port_map.h"
#include "rx041/transport/serial_device.h"

namespace rx041::chanlink::testing {
namespace {

using SerialChannelConnection = ChannelBench;

// Whether another user could open the line now (the channel has let it go).
bool lineIsFree(const std::filesystem::path& device) {
  const auto opened = transport::openSerialDevice(device);
  transport::closeSerialDevice(opened.fd);
  return static_cast<bool>(opened);
}

std::chrono::milliseconds processCpuTime() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::seconds(now.tv_sec) +
                                                               std::chrono::nanoseconds(now.tv_nsec));
}

TEST_F(SerialChannelConnection, OnlyMinusOneConnectsAnyOtherValueDisconnects) {
  EXPECT_EQ(connected(), com::VARIANT_FALSE);
  connect();
  EXPECT_EQ(connected(), com::VARIANT_TRUE);
  EXPECT_FALSE(lineIsFree(line.slavePath())) << "the channel holds its port";

  EXPECT_EQ(channel->put_Connected(1), com::S_OK);
  EXPECT_EQ(connected(), com::VARIANT_FALSE);
  EXPECT_TRUE(lineIsFree(line.slavePath()));
}

TEST_F(SerialChannelConnection, DisconnectWithAReadPendingEndsTheReaderWithinTheFixedWait) {
  connect();
  EXPECT_EQ(readerThreads(), 1u) << "one reader per connected channel";
  settle();  // the reader is now blocked waiting for bytes

  // The reader ends at once; the fixed wait after closing is the only one.
  const auto before = waits.asked().size();
  const auto elapsed = timed([&] { disconnect(); });
  EXPECT_LT(elapsed, 150ms);
  const auto waited = waits.asked();
  EXPECT_EQ(std::vector(waited.begin() + static_cast<std::ptrdiff_t>(before), waited.end()),
            std::vector<std::chrono::milliseconds>{500ms});
  EXPECT_EQ(readerThreads(), 0u) << "the reader has ended";
  EXPECT_TRUE(lineIsFree(line.slavePath()));
  line.write("after");
  EXPECT_TRUE(receive().isEmpty()) << "nothing is read once disconnected";
}

TEST_F(SerialChannelConnection, ReconnectReopensThePortWithOneReader) {
  connect();
  connect();
  EXPECT_EQ(readerThreads(), 1u);
  line.write("once");
  settle();
  EXPECT_EQ(receive(), Variant("once"));
  channel->Send(Variant("still open"));
  EXPECT_EQ(line.readFor(100ms), "still open");
}

TEST_F(SerialChannelConnection, ReleaseWhileConnectedClosesThePortAndEndsTheReader) {
  connect();
  const auto elapsed = timed([&] { channel.reset(); });
  EXPECT_LT(elapsed, 200ms);
  EXPECT_EQ(readerThreads(), 0u);
  EXPECT_TRUE(lineIsFree(line.slavePath()));
}

TEST_F(SerialChannelConnection, LoadConnectsToComThreeWhateverItIsGiven) {
  test::PtyPair com3;
  mapPort(3, com3.slavePath());
  channel->put_Port(COM7);
  EXPECT_EQ(channel->Load(channel), com::S_OK);
  SerialPortNumber port{};
  channel->get_Port(&port);
  EXPECT_EQ(port, COM3);
  EXPECT_EQ(connected(), com::VARIANT_TRUE);
  com3.write("from COM3");
  settle();
  EXPECT_EQ(receive(), Variant("from COM3"));
}

TEST_F(SerialChannelConnection, PortKeepsTheLowByte) {
  SerialPortNumber port = COM8;
  channel->get_Port(&port);
  EXPECT_EQ(port, 0) << "no port at first";
  EXPECT_EQ(channel->put_Port(static_cast<SerialPortNumber>(300)), com::S_OK);
  channel->get_Port(&port);
  EXPECT_EQ(port, 44);
  channel->put_Port(static_cast<SerialPortNumber>(-1));
  channel->get_Port(&port);
  EXPECT_EQ(port, 255);
}

TEST_F(SerialChannelConnection, APortThatCannotBeOpenedIsNotReported) {
  const auto held = transport::openSerialDevice(line.slavePath());
  ASSERT_TRUE(held) << "the test holds the line so that the channel cannot open it";
  struct Case {
    const char* what;
    int port;
  };
  for (const Case c : {Case{"no port", 0}, Case{"not in the port map", 9}, Case{"held by another", kPort}}) {
    OperatorMessages messages;
    connect(c.port);
    EXPECT_EQ(connected(), com::VARIANT_TRUE) << c.what;
    channel->Send(Variant("lost"));
    line.write("unheard");
    settle();
    EXPECT_TRUE(receive().isEmpty()) << c.what;
    EXPECT_TRUE(messages.texts().empty()) << c.what;
  }
  transport::closeSerialDevice(held.fd);
  EXPECT_EQ(line.readFor(50ms), "") << "the sends went nowhere";
}

LineState lineState(const std::shared_ptr<ISerialChannel>& channel) {
  return com::query<ISerialLine>(channel)->lineState();
}

TEST_F(SerialChannelConnection, LineStateTellsWhatStandsBehindThePort) {
  std::ofstream(ports / "plain") << "not a terminal";
  ASSERT_EQ(::mkfifo((ports / "fifo").c_str(), 0600), 0);
  const auto held = transport::openSerialDevice(line.slavePath());
  ASSERT_TRUE(held);
  const struct {
    const char* what;
    std::filesystem::path target;  // empty: no link
    LineState expected;
  } cases[] = {
      {"no port map entry", {}, LineState::NoDevice},
      {"a dangling link", ports / "gone", LineState::NoDevice},
      {"a regular file", ports / "plain", LineState::NotSerial},
      {"a directory", ports.path(), LineState::NotSerial},
      {"/dev/null", "/dev/null", LineState::NotSerial},
      {"a FIFO", ports / "fifo", LineState::NotSerial},
      {"a terminal another program holds", line.slavePath(), LineState::Busy},
  };
  EXPECT_EQ(lineState(channel), LineState::Closed);
  int com = 6;
  for (const auto& c : cases) {
    if (!c.target.empty()) mapPort(com, c.target);
    connect(com++);
    EXPECT_EQ(lineState(channel), c.expected) << c.what;
  }
  transport::closeSerialDevice(held.fd);
  connect(kPort);
  EXPECT_EQ(lineState(channel), LineState::Open);
  disconnect();
  EXPECT_EQ(lineState(channel), LineState::Closed);
}

TEST_F(SerialChannelConnection, AHangUpClosesThePortAtOnceAndReconnectingRecovers) {
  auto farEnd = std::make_unique<test::PtyPair>();
  const auto firstDevice = farEnd->slavePath();
  mapPort(6, firstDevice);
  connect(6);
  farEnd.reset();  // the adapter is unplugged
  settle();
  EXPECT_EQ(lineState(channel), LineState::Lost);
  EXPECT_EQ(connected(), com::VARIANT_TRUE) << "Connected still reads as it was set";
  EXPECT_EQ(test::descriptorsLeadingTo(firstDevice), 0u) << "the dead descriptor is not kept";
  EXPECT_EQ(readerThreads(), 0u);
  EXPECT_LT(timed([&] { EXPECT_TRUE(receive().isEmpty()); }), 50ms) << "nothing to wait for";

  test::PtyPair replugged;
  std::filesystem::remove(transport::comPortPath(6));
  mapPort(6, replugged.slavePath());
  disconnect();
  connect(6);
  EXPECT_EQ(lineState(channel), LineState::Open);
  replugged.write("back");
  settle();
  EXPECT_EQ(receive(), Variant("back"));
}

TEST_F(SerialChannelConnection, AHungUpLineDoesNotSpinTheReader) {
  auto farEnd = std::make_unique<test::PtyPair>();
  mapPort(6, farEnd->slavePath());
  connect(6);
  farEnd.reset();  // the far end goes away: the line hangs up
  settle();
  const auto cpuBefore = processCpuTime();
  std::this_thread::sleep_for(300ms);
  EXPECT_LT(processCpuTime() - cpuBefore, 60ms);
  const auto elapsed = timed([&] { disconnect(); });
  EXPECT_LT(elapsed, 650ms);
}

}  // namespace
}  // namespace rx041::chanlink::testing
