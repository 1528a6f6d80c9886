#include "connected_device.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "rx041/component/registry.h"

namespace rx041::zq3902::testing {

ConnectedDevice::ConnectedDevice(bool traced, bool realWaits)
    : ports_("RX041_PORTS", dir_.path().c_str()), traces_("RX041_TRACE_DIR", dir_.path().c_str()) {
  if (!realWaits) {
    instant_.emplace();
    shortLimits_.emplace();
  }
  if (traced) std::ofstream(dir_ / "wispfly.txt") << "on\n";
  std::filesystem::create_symlink(peer.slavePath(), dir_ / "COM1");
  device = com::createInstance<IZQ3902Device>("ZQ3902Module.ZQ3902Device");
  if (!device) throw std::runtime_error("ZQ3902Module.ZQ3902Device cannot be created");
  std::int32_t connected = -1;
  device->ConnectChannel(Variant(std::int32_t{1}), &connected);
  if (connected != 0) throw std::runtime_error("the device did not connect its channel");
}

ConnectedDevice::~ConnectedDevice() { device->Destroy(com::VARIANT_TRUE); }

std::shared_ptr<IZQ3902Advanced> ConnectedDevice::advanced() {
  std::shared_ptr<IZQ3902Advanced> advanced;
  device->get_Advanced(&advanced);
  return advanced;
}

std::shared_ptr<IZQ3902Solver> ConnectedDevice::solver() {
  std::shared_ptr<IZQ3902Solver> solver;
  device->get_Solver(&solver);
  return solver;
}

std::vector<std::string> ConnectedDevice::takeFrames() {
  auto frames = peer.frames();
  peer.clearFrames();
  return frames;
}

std::string ConnectedDevice::traceLog() const {
  std::ifstream file(dir_ / "KVTlog.txt");
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::int32_t result(HRESULT (IZQ3902Device::*member)(std::int32_t, std::int32_t*), IZQ3902Device& device,
                    std::int32_t chipIndex) {
  std::int32_t value = -7;
  EXPECT_EQ((device.*member)(chipIndex, &value), com::S_OK);
  return value;
}

std::int32_t memRead(IZQ3902Advanced& advanced, std::int32_t chipIndex, std::int32_t address) {
  std::int32_t value = -7;
  EXPECT_EQ(advanced.MemRead(chipIndex, address, &value), com::S_OK);
  return value;
}

std::int32_t setSetting(IZQ3902Advanced& advanced, std::int32_t chipIndex, std::int32_t settingId, float value,
                        std::int32_t offsetFlag) {
  std::int32_t status = -7;
  const Variant typed =
      settingId == SolverTargetSwoPolarity ? Variant(static_cast<std::int32_t>(value)) : Variant(value);
  EXPECT_EQ(
      advanced.SetSolverSetting(chipIndex, static_cast<SolverSettingCodes>(settingId), typed, offsetFlag, &status),
      com::S_OK);
  return status;
}

int adcCodeOf(double volts) { return 32768 + static_cast<int>(std::lround(volts / 0.000152587890625)); }

std::vector<std::pair<int, int>> writesIn(const std::vector<std::string>& frames) {
  std::vector<std::pair<int, int>> writes;
  for (const auto& frame : frames) {
    if (frame.rfind("$C,O,W,", 0) == 0)
      writes.emplace_back(std::stoi(frame.substr(9, 2), nullptr, 16), std::stoi(frame.substr(12, 2), nullptr, 16));
  }
  return writes;
}

std::vector<int> readsIn(const std::vector<std::string>& frames) {
  std::vector<int> reads;
  for (const auto& frame : frames) {
    if (frame.rfind("$C,O,R,", 0) == 0) reads.push_back(std::stoi(frame.substr(9, 2), nullptr, 16));
  }
  return reads;
}

}  // namespace rx041::zq3902::testing
