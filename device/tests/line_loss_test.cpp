// A programmer line that hangs up or cannot be opened: the device tells it
// through IProgrammerLine, every operation fails at once instead of waiting
// out its time limits, and Destroy and ConnectChannel on the same COM number
// reconnect.
#include <gtest/gtest.h>

#include <chrono>

#include "connected_device.h"
#include "rx041/bench/bench.h"
#include "rx041/component/registry.h"
#include "rx041/device/programmer_line.h"
#include "rx041/test_support/open_files.h"
#include "rx041/transport/serial_device.h"

namespace rx041::zq3902 {
namespace {

using namespace std::chrono_literals;
using testing::result;

class LineLossTest : public ::testing::Test {
 protected:
  std::int32_t connect(std::int32_t com) {
    std::int32_t status = -1;
    device->ConnectChannel(Variant(com), &status);
    return status;
  }
  ProgrammerLine line() const { return com::query<IProgrammerLine>(device)->programmerLine(); }

  test::TempDir dir;
  test::ScopedEnv ports{"RX041_PORTS", dir.path().c_str()};
  test::ScopedEnv traces{"RX041_TRACE_DIR", dir.path().c_str()};
  std::shared_ptr<IZQ3902Device> device = com::createInstance<IZQ3902Device>("ZQ3902Module.ZQ3902Device");
};

std::chrono::milliseconds timed(const std::function<void()>& action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

TEST_F(LineLossTest, AHangUpIsReportedAsLostFailsEverythingAtOnceAndReconnects) {
  bench::Bench bench({.comNumber = 4});
  ASSERT_TRUE(device);
  EXPECT_EQ(line(), ProgrammerLine::NotConnected);
  ASSERT_EQ(connect(4), 0);
  EXPECT_EQ(line(), ProgrammerLine::Connected);
  ASSERT_EQ(result(&IZQ3902Device::Customized_PowerOn, *device, 0), 0);
  const auto firstLine = bench.devicePath();

  ASSERT_EQ(bench.control("fault once hangup"), "ok");
  EXPECT_LT(timed([&] { EXPECT_EQ(result(&IZQ3902Device::Customized_PowerOff, *device, 0), 1); }), 250ms)
      << "within the 500 ms limit of the command";
  EXPECT_EQ(line(), ProgrammerLine::Lost);
  EXPECT_EQ(test::descriptorsLeadingTo(firstLine), 0u) << "the dead descriptor is not kept";

  const auto afterLoss = timed([&] {
    EXPECT_EQ(result(&IZQ3902Device::Customized_EnterOWI, *device, 0), 1);
    EXPECT_EQ(result(&IZQ3902Device::ProgramDevice, *device, 0), 2);
    float value = 0;
    device->MeasureVdd(0, &value);
    EXPECT_EQ(value, -101.0f);
    device->GetAngle(0, &value);
    EXPECT_GE(value, 360.0f);
    float k0, b0, k1, b1;
    std::int32_t status = 0;
    device->DAC_calibration(0, &k0, &b0, &k1, &b1, &status);
    EXPECT_NE(status, 0);
  });
  EXPECT_LT(afterLoss, 100ms) << "no time limits and no relay waits on a lost line";
  EXPECT_EQ(line(), ProgrammerLine::Lost);

  device->Destroy(com::VARIANT_TRUE);
  EXPECT_EQ(line(), ProgrammerLine::NotConnected);
  ASSERT_EQ(connect(4), 0);
  EXPECT_EQ(line(), ProgrammerLine::Connected);
  EXPECT_EQ(result(&IZQ3902Device::Customized_PowerOn, *device, 0), 0) << "the board behind the same COM number";
}

TEST_F(LineLossTest, APortHeldByAnotherProgramIsBusyAndFailsAtOnce) {
  bench::Bench bench({.comNumber = 2});
  const auto held = transport::openSerialDevice(bench.devicePath());
  ASSERT_TRUE(held);
  ASSERT_EQ(connect(2), 0) << "ConnectChannel checks nothing";
  EXPECT_EQ(line(), ProgrammerLine::Busy);
  EXPECT_LT(timed([&] { EXPECT_EQ(result(&IZQ3902Device::Customized_PowerOn, *device, 0), 1); }), 50ms);
  transport::closeSerialDevice(held.fd);
  device->Destroy(com::VARIANT_TRUE);
}

}  // namespace
}  // namespace rx041::zq3902
