// The device's companions, a device released under them, and a device whose
// channel library cannot be created.
#include <gtest/gtest.h>

#include <chrono>

#include "connected_device.h"
#include "rx041/component/registry.h"

namespace rx041::zq3902 {
namespace {

using testing::ConnectedDevice;

TEST(ObjectLifetimeTest, CompanionsAreCreatedOnceAndHandedOutAgain) {
  ConnectedDevice device;
  const auto advanced = device.advanced();
  const auto solver = device.solver();
  ASSERT_TRUE(advanced && solver);
  EXPECT_EQ(device.advanced(), advanced);
  EXPECT_EQ(device.solver(), solver);
  EXPECT_EQ(advanced->interfaceInfo().name, "IZQ3902Advanced");
  EXPECT_EQ(device->get_Solver(nullptr), com::E_POINTER);
}

TEST(ObjectLifetimeTest, CompanionsOutlivingTheirDeviceFailSafely) {
  std::shared_ptr<IZQ3902Advanced> advanced;
  std::shared_ptr<IZQ3902Solver> solver;
  {
    ConnectedDevice device;
    advanced = device.advanced();
    solver = device.solver();
  }
  std::int32_t value = -7;
  EXPECT_EQ(advanced->MemRead(0, 0x48, &value), com::S_OK);
  EXPECT_EQ(value, 511);
  EXPECT_EQ(advanced->get_ChipVersion(0, &value), com::S_OK);
  EXPECT_EQ(value, 511);
  EXPECT_EQ(advanced->MemWrite(0, 0x20, 1), com::S_OK);
  EXPECT_EQ(testing::setSetting(*advanced, 0, SolverSettingDP, 10.0f), 1);
  for (auto member : {&IZQ3902Solver::Commlock, &IZQ3902Solver::CopySolverSettingsToParameters,
                      &IZQ3902Solver::ClearSolverSettings}) {
    value = -7;
    EXPECT_EQ(((*solver).*member)(0, &value), com::S_OK);
    EXPECT_EQ(value, 1);
  }
}

// A registry that knows the device library but not the channel library.
class WithoutChannelLibrary : public ::testing::Test {
 protected:
  WithoutChannelLibrary() : registry_("RX041_REGISTRY", (dir_ / "classes.reg").c_str()) {
    EXPECT_EQ(com::registerServer(ZQ3902_MODULE_FILE, dir_ / "classes.reg"), com::S_OK);
    device = com::createInstance<IZQ3902Device>("ZQ3902Module.ZQ3902Device");
  }

  test::TempDir dir_;
  test::ScopedEnv registry_;
  std::shared_ptr<IZQ3902Device> device;
};

TEST_F(WithoutChannelLibrary, EveryOperationReportsItsFailureAtOnce) {
  ASSERT_TRUE(device);
  const auto start = std::chrono::steady_clock::now();
  std::int32_t value = -7;
  device->ConnectChannel(Variant(std::int32_t{1}), &value);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(testing::result(&IZQ3902Device::Customized_PowerOn, *device, 0), 1);
  EXPECT_EQ(testing::result(&IZQ3902Device::Customized_EnterOWI, *device, 3), 1);
  EXPECT_EQ(testing::result(&IZQ3902Device::ProgramDevice, *device, 0), 2);
  float reading = 0;
  device->Measure(0, MeasVolt, &reading);
  EXPECT_EQ(reading, -101.0f);
  device->MeasureVdd(0, &reading);
  EXPECT_EQ(reading, -101.0f);
  device->GetAngle(0, &reading);
  EXPECT_EQ(reading, 511 * 257 / 64.0f);
  std::int32_t major = 5, minor = 5, build = 5;
  device->ProgrammerVersion(&major, &minor, &build, &value);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(major + minor + build, 0);
  float k0, b0, k1, b1;
  device->DAC_calibration(0, &k0, &b0, &k1, &b1, &value);
  EXPECT_NE(value & 0x10, 0);  // every reading was a time-out

  std::shared_ptr<IZQ3902Solver> solver;
  device->get_Solver(&solver);
  std::shared_ptr<IZQ3902Advanced> advanced;
  device->get_Advanced(&advanced);
  ASSERT_TRUE(solver && advanced);
  testing::setSetting(*advanced, 0, SolverSettingClampingHigh, 90.0f);
  solver->CopySolverSettingsToParameters(0, &value);
  EXPECT_EQ(value, 2);
  solver->ClearSolverSettings(0, &value);
  EXPECT_EQ(value, 2);
  solver->Commlock(0, &value);
  EXPECT_EQ(value, 4);
  EXPECT_EQ(testing::memRead(*advanced, 0, 0x48), 511);
  EXPECT_EQ(device->Destroy(com::VARIANT_TRUE), com::S_OK);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
}

}  // namespace
}  // namespace rx041::zq3902
