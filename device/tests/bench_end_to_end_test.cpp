// The whole programming flow against the virtual bench: a chip whose output
// DAC has gain and offset errors is calibrated, given a two-point curve with
// the offset correction, programmed, power-cycled and measured.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "connected_device.h"
#include "rx041/bench/bench.h"
#include "rx041/component/registry.h"

namespace rx041::zq3902 {
namespace {

using testing::result;
using testing::setSetting;

TEST(BenchEndToEndTest, CalibratedCurveHitsItsTargetsAfterAPowerCycle) {
  test::TempDir dir;
  test::ScopedEnv ports("RX041_PORTS", dir.path().c_str());
  test::ScopedEnv traces("RX041_TRACE_DIR", dir.path().c_str());
  bench::Bench bench(bench::BenchOptions{.comNumber = 1});
  bench.setDac(0, 0.97, 1.2);

  const auto device = com::createInstance<IZQ3902Device>("ZQ3902Module.ZQ3902Device");
  ASSERT_TRUE(device);
  std::int32_t status = -1;
  device->ConnectChannel(Variant(std::int32_t{1}), &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(result(&IZQ3902Device::Customized_PowerOn, *device, 0), 0);
  ASSERT_EQ(result(&IZQ3902Device::Customized_SetADCMode, *device, 0), 0);
  float vdd = 0;
  device->MeasureVdd(0, &vdd);
  EXPECT_NEAR(vdd, 5.0f, 0.01);
  ASSERT_EQ(result(&IZQ3902Device::Customized_EnterOWI, *device, 0), 0);

  float k0 = 0, b0 = 0, k1 = 0, b1 = 0;
  device->DAC_calibration(0, &k0, &b0, &k1, &b1, &status);
  EXPECT_NEAR(k0, 0.97 / 3.6, 1e-3);
  EXPECT_NEAR(b0, 1.2, 0.05);
  EXPECT_EQ(status, 0x11);  // the gain lies outside 0.27 .. 0.28

  std::shared_ptr<IZQ3902Advanced> advanced;
  device->get_Advanced(&advanced);
  constexpr int kOffset = 1;
  EXPECT_EQ(setSetting(*advanced, 0, SolverSettingClampingLow, 5.0f, kOffset), 0);
  EXPECT_EQ(setSetting(*advanced, 0, SolverSettingClampingHigh, 95.0f, kOffset), 0);
  EXPECT_EQ(setSetting(*advanced, 0, SolverSettingDP, 270.0f), 0);
  EXPECT_EQ(setSetting(*advanced, 0, SolverTargetAngleA, 40.0f), 0);
  EXPECT_EQ(setSetting(*advanced, 0, SolverTargetLevelPointA, 10.0f, kOffset), 0);
  for (auto [angle, level] : {std::pair{SolverTargetAngleB, SolverTargetLevelPointB},
                              {SolverTargetAngleC, SolverTargetLevelPointC},
                              {SolverTargetAngleD, SolverTargetLevelPointD}}) {
    EXPECT_EQ(setSetting(*advanced, 0, angle, 140.0f), 0);
    EXPECT_EQ(setSetting(*advanced, 0, level, 90.0f, kOffset), 0);
  }
  std::shared_ptr<IZQ3902Solver> solver;
  device->get_Solver(&solver);
  solver->CopySolverSettingsToParameters(0, &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(result(&IZQ3902Device::ProgramDevice, *device, 0), 0);

  ASSERT_EQ(result(&IZQ3902Device::Customized_PowerOff, *device, 0), 0);
  ASSERT_EQ(result(&IZQ3902Device::Customized_PowerOn, *device, 0), 0);
  ASSERT_EQ(result(&IZQ3902Device::Customized_SetADCMode, *device, 0), 0);
  ASSERT_EQ(result(&IZQ3902Device::Customized_Mode0V, *device, 0), 0);
  for (const auto& [angle, target] : {std::pair{40.0, 10.0}, {140.0, 90.0}, {90.0, 50.0}}) {
    bench.setAngle(0, angle);
    float output = 0;
    device->Measure(0, MeasPercentVDD, &output);
    EXPECT_NEAR(output, target, 0.3) << "at " << angle << " degrees";
  }
  device->Destroy(com::VARIANT_TRUE);
}

// A worn lock cell: the board acknowledges the write of the lock bit, the
// chip keeps its register. Nothing is stored, and the part is not locked.
TEST(BenchEndToEndTest, ALockBitTheChipDidNotTakeIsNotStored) {
  test::TempDir dir;
  test::ScopedEnv ports("RX041_PORTS", dir.path().c_str());
  test::ScopedEnv traces("RX041_TRACE_DIR", dir.path().c_str());
  bench::Bench bench(bench::BenchOptions{.comNumber = 1});
  const auto device = com::createInstance<IZQ3902Device>("ZQ3902Module.ZQ3902Device");
  ASSERT_TRUE(device);
  std::int32_t status = -1;
  device->ConnectChannel(Variant(std::int32_t{1}), &status);
  ASSERT_EQ(result(&IZQ3902Device::Customized_PowerOn, *device, 0), 0);
  ASSERT_EQ(result(&IZQ3902Device::Customized_EnterOWI, *device, 0), 0);
  ASSERT_EQ(bench.control("stuck 0 0x1C"), "ok");
  std::shared_ptr<IZQ3902Advanced> advanced;
  device->get_Advanced(&advanced);
  ASSERT_EQ(advanced->MemWrite(0, 0x30, 0x5A), com::S_OK);  // in RAM, for a store to take along
  std::shared_ptr<IZQ3902Solver> solver;
  device->get_Solver(&solver);
  const std::size_t framesBefore = bench.frames().size();
  solver->Commlock(0, &status);
  EXPECT_EQ(status, 5);
  const auto frames = bench.frames();
  for (auto frame = frames.begin() + static_cast<std::ptrdiff_t>(framesBefore); frame != frames.end(); ++frame)
    EXPECT_EQ(frame->rfind("$C,O,", 0), 0u) << "only register access: " << *frame;
  EXPECT_EQ(bench.eeprom(0, 0x1C), 0);
  EXPECT_EQ(bench.eeprom(0, 0x30), 0) << "the EEPROM was not stored";
  device->Destroy(com::VARIANT_TRUE);
}

// A board that answers one read after the read gave up, and every frame
// after it at once: each later read still gets its own register's value,
// whether the next read follows at once or after a pause, and the late line
// is named in the trace log. One case a test, as each waits out a late reply.
// The reply limit is short here (a second): how long a lost reply is waited
// for is not the point.
struct LateReply {
  const char* name;
  int lateMs;                       // the late reply, after its frame; the read gives up a little after 1 s
  std::chrono::milliseconds pause;  // before each later read
};

class LateReplyTest : public ::testing::TestWithParam<LateReply> {};

TEST_P(LateReplyTest, ReadsAfterItEachGetTheirOwnRegister) {
  const LateReply& c = GetParam();
  const test::ShortReplyLimits shortLimits;
  test::TempDir dir;
  test::ScopedEnv ports("RX041_PORTS", dir.path().c_str());
  test::ScopedEnv traces("RX041_TRACE_DIR", dir.path().c_str());
  std::ofstream(dir / "wispfly.txt") << "on\n";
  bench::Bench bench(bench::BenchOptions{.comNumber = 1});
  const auto device = com::createInstance<IZQ3902Device>("ZQ3902Module.ZQ3902Device");
  ASSERT_TRUE(device);
  std::int32_t status = -1;
  device->ConnectChannel(Variant(std::int32_t{1}), &status);
  ASSERT_EQ(result(&IZQ3902Device::Customized_PowerOn, *device, 0), 0);
  ASSERT_EQ(result(&IZQ3902Device::Customized_EnterOWI, *device, 0), 0);
  std::shared_ptr<IZQ3902Advanced> advanced;
  device->get_Advanced(&advanced);
  constexpr int kFirst = 0x10, kCount = 5;
  const auto valueOf = [](int address) { return 0xA0 + address; };
  for (int address = kFirst; address < kFirst + kCount; ++address)
    ASSERT_EQ(advanced->MemWrite(0, address, valueOf(address)), com::S_OK);

  ASSERT_EQ(bench.control("fault once delay " + std::to_string(c.lateMs) + " at C,O,R"), "ok");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(testing::memRead(*advanced, 0, kFirst), 511);
  for (int address = kFirst + 1; address < kFirst + kCount; ++address) {
    std::this_thread::sleep_for(c.pause);
    EXPECT_EQ(testing::memRead(*advanced, 0, address), valueOf(address)) << "register " << address;
  }
  // Once the late line has surely come, the session is not shifted by it.
  std::this_thread::sleep_until(start + std::chrono::milliseconds(c.lateMs + 300));
  EXPECT_EQ(testing::memRead(*advanced, 0, kFirst + 1), valueOf(kFirst + 1)) << "afterwards";
  // One trace line for the late reply, before whichever read it would have spoiled.
  std::ifstream log(dir / "KVTlog.txt");
  std::vector<std::string> discarded;
  for (std::string line; std::getline(log, line);)
    if (line.find(": Discarded before $C,O,R,1,") != std::string::npos) discarded.push_back(line);
  ASSERT_EQ(discarded.size(), 1u);
  EXPECT_NE(discarded.front().find("B0\\n\""), std::string::npos) << discarded.front();
  device->Destroy(com::VARIANT_TRUE);
}

using std::chrono::milliseconds;
INSTANTIATE_TEST_SUITE_P(BenchEndToEnd, LateReplyTest,
                         ::testing::Values(LateReply{"OneReadAfterAnother", 1600, milliseconds(0)},
                                           // the late line comes between two of them
                                           LateReply{"APauseBetweenReads", 1600, milliseconds(300)},
                                           LateReply{"ALineAfterTheQuietPeriod", 3000, milliseconds(600)}),
                         [](const ::testing::TestParamInfo<LateReply>& late) { return std::string(late.param.name); });

}  // namespace
}  // namespace rx041::zq3902
