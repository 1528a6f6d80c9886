// zq3902-benchmark: the cost of the device library on top of the serial line,
// measured against the virtual bench.
//
// 1. The median round trip of one MemRead through the device object, beside
//    the same frame and reply exchanged by a bare write/read loop on the same
//    pseudo-terminal.
// 2. One full programming cycle (clear, program, DAC calibration, eleven
//    settings, copy, program) beside its floor: the fixed waits plus the
//    channel's 2 ms pause before each command.
// 3. The read-back of the written solver registers that the application
//    makes before a store: reads per part and their time.
#include <poll.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "rx041/bench/bench.h"
#include "rx041/component/registry.h"
#include "rx041/device/device_interfaces.h"
#include "rx041/device/written_image.h"
#include "rx041/records/register_verification.h"
#include "rx041/transport/serial_device.h"
#include "rx041/version.h"

namespace {

using namespace rx041;
using Clock = std::chrono::steady_clock;

constexpr int kRoundTrips = 200;
constexpr int kCycles = 3;
constexpr double kPauseBeforeSendMs = 2.0;
constexpr double kCalibrationWaitsMs = 3 * 300.0;
constexpr int kMostReadsPerPart = 25;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "zq3902-benchmark: %s\n", what);
  std::exit(1);
}

double deviceRoundTrip(zq3902::IZQ3902Advanced& advanced) {
  std::vector<double> times;
  for (int i = 0; i < kRoundTrips + 10; ++i) {
    std::int32_t value = 0;
    const auto start = Clock::now();
    advanced.MemRead(0, 0x48, &value);
    if (value == 511) fail("MemRead failed");
    if (i >= 10) times.push_back(millisecondsSince(start));
  }
  return median(times);
}

// The bare exchange: write the frame, read until the reply's line feed.
double rawRoundTrip(const std::filesystem::path& device) {
  const transport::SerialOpenResult port = transport::openSerialDevice(device);
  if (!port) fail("cannot open the bench's line");
  const std::string frame = "$C,O,R,1,48,FF#";
  std::vector<double> times;
  for (int i = 0; i < kRoundTrips + 10; ++i) {
    const auto start = Clock::now();
    if (::write(port.fd, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) fail("raw write failed");
    for (bool lineEnded = false; !lineEnded;) {
      pollfd p{port.fd, POLLIN, 0};
      if (::poll(&p, 1, 1000) <= 0) fail("no raw reply");
      char buffer[128];
      const ssize_t n = ::read(port.fd, buffer, sizeof buffer);
      lineEnded = n > 0 && std::find(buffer, buffer + n, '\n') != buffer + n;
    }
    if (i >= 10) times.push_back(millisecondsSince(start));
  }
  transport::closeSerialDevice(port.fd);
  return median(times);
}

struct CycleTime {
  double elapsedMs;
  std::size_t commands;
  double readBackMs;
  int readBackReads;
};

// The read-back the application makes before a store, through the same routine.
records::Verification readBack(zq3902::IZQ3902Device& device, zq3902::IZQ3902Advanced& advanced) {
  const auto* written = dynamic_cast<const zq3902::IZQ3902WrittenImage*>(&device);
  if (!written) fail("the device object keeps no written image");
  return records::verifyRegisters(records::writtenRegisters(written->lastWrittenImage(0)), [&](std::int32_t address) {
    std::int32_t value = 0;
    advanced.MemRead(0, address, &value);
    return std::optional<std::int32_t>(value);
  });
}

CycleTime programmingCycle(bench::Bench& bench, zq3902::IZQ3902Device& device, zq3902::IZQ3902Advanced& advanced,
                           zq3902::IZQ3902Solver& solver) {
  using namespace zq3902;
  const std::size_t framesBefore = bench.frames().size();
  const auto start = Clock::now();
  std::int32_t status = 0;
  solver.ClearSolverSettings(0, &status);
  if (status != 0) fail("ClearSolverSettings failed");
  device.ProgramDevice(0, &status);
  if (status != 0) fail("ProgramDevice failed");
  float k0, b0, k1, b1;
  device.DAC_calibration(0, &k0, &b0, &k1, &b1, &status);
  const std::pair<SolverSettingCodes, float> settings[] = {
      {SolverSettingClampingLow, 5}, {SolverSettingClampingHigh, 95}, {SolverSettingDP, 270},
      {SolverTargetLevelPointA, 10}, {SolverTargetLevelPointB, 90},   {SolverTargetLevelPointC, 90},
      {SolverTargetLevelPointD, 90}, {SolverTargetAngleA, 40},        {SolverTargetAngleB, 140},
      {SolverTargetAngleC, 140},     {SolverTargetAngleD, 140}};
  for (const auto& [code, value] : settings) {
    advanced.SetSolverSetting(0, code, com::Variant(value), code == SolverSettingDP ? 0 : 1, &status);
    if (status != 0) fail("SetSolverSetting failed");
  }
  solver.CopySolverSettingsToParameters(0, &status);
  if (status != 0) fail("CopySolverSettingsToParameters failed");
  const auto readBackStart = Clock::now();
  const records::Verification verification = readBack(device, advanced);
  const double readBackMs = millisecondsSince(readBackStart);
  if (verification.result != records::VerificationResult::Passed) fail("the read-back found a mismatch");
  device.ProgramDevice(0, &status);
  if (status != 0) fail("ProgramDevice failed");
  // The cycle is measured without the read-back, which has its own line, so its figures stay comparable.
  return {millisecondsSince(start) - readBackMs,
          bench.frames().size() - framesBefore - static_cast<std::size_t>(verification.reads), readBackMs,
          verification.reads};
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Measures the device library against an in-process virtual bench: the MemRead round trip beside a raw\n"
      "write/read exchange, a full programming cycle beside its fixed waits, and the read-back before a store."};
  app.set_version_flag("--version", versionLine("zq3902-benchmark"));
  CLI11_PARSE(app, argc, argv);

  char pattern[] = "/tmp/zq3902-benchmark-XXXXXX";
  if (!::mkdtemp(pattern)) fail("cannot make a temporary directory");
  const std::filesystem::path dir = pattern;
  ::setenv("RX041_PORTS", dir.c_str(), 1);
  ::setenv("RX041_TRACE_DIR", dir.c_str(), 1);

  double deviceMs = 0;
  double rawMs = 0;
  std::vector<CycleTime> cycles;
  {
    bench::Bench bench(bench::BenchOptions{.comNumber = 1});
    {
      const auto device = com::createInstance<zq3902::IZQ3902Device>("ZQ3902Module.ZQ3902Device");
      if (!device) fail("cannot create ZQ3902Module.ZQ3902Device");
      std::int32_t status = -1;
      device->ConnectChannel(com::Variant(std::int32_t{1}), &status);
      device->Customized_PowerOn(0, &status);
      device->Customized_EnterOWI(0, &status);
      if (status != 0) fail("the bench's Part#1 does not enter OWI mode");
      std::shared_ptr<zq3902::IZQ3902Advanced> advanced;
      device->get_Advanced(&advanced);
      std::shared_ptr<zq3902::IZQ3902Solver> solver;
      device->get_Solver(&solver);

      deviceMs = deviceRoundTrip(*advanced);
      // The calibration leaves the part in OWI mode, ready for the next cycle.
      for (int i = 0; i < kCycles; ++i) cycles.push_back(programmingCycle(bench, *device, *advanced, *solver));
      device->Destroy(com::VARIANT_TRUE);
    }
    rawMs = rawRoundTrip(bench.devicePath());
  }
  std::filesystem::remove_all(dir);

  const double targetMs = rawMs + kPauseBeforeSendMs + 0.5;
  std::printf("MemRead round trip (median of %d)\n", kRoundTrips);
  std::printf("  device object      %7.3f ms\n", deviceMs);
  std::printf("  raw write/read     %7.3f ms\n", rawMs);
  std::printf("  ratio              %7.2f\n", deviceMs / rawMs);
  std::printf("  target             %7.3f ms (raw + 2 ms pause + 0.5 ms): %s\n", targetMs,
              deviceMs <= targetMs ? "met" : "missed");

  std::vector<double> elapsed;
  for (const auto& cycle : cycles) elapsed.push_back(cycle.elapsedMs);
  const CycleTime& typical = cycles.front();
  const double floorMs = kCalibrationWaitsMs + kPauseBeforeSendMs * static_cast<double>(typical.commands);
  const double cycleMs = median(elapsed);
  std::printf("Programming cycle (median of %d, %zu commands)\n", kCycles, typical.commands);
  std::printf("  measured           %7.1f ms\n", cycleMs);
  std::printf("  floor              %7.1f ms (3 x 300 ms waits + 2 ms per command)\n", floorMs);
  std::printf("  over the floor     %7.2f %% (target 5 %%): %s\n", (cycleMs / floorMs - 1.0) * 100.0,
              cycleMs <= floorMs * 1.05 ? "met" : "missed");

  std::vector<double> readBacks;
  for (const auto& cycle : cycles) readBacks.push_back(cycle.readBackMs);
  std::printf("Read-back before the EEPROM store (median of %d)\n", kCycles);
  std::printf("  reads per part     %7d (target at most %d): %s\n", typical.readBackReads, kMostReadsPerPart,
              typical.readBackReads <= kMostReadsPerPart ? "met" : "missed");
  std::printf("  measured           %7.1f ms (%.2f ms a read, no fixed waits)\n", median(readBacks),
              median(readBacks) / typical.readBackReads);
  return 0;
}
