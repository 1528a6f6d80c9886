#pragma once
// A device object created by ProgID from the build's registry, connected
// through the channel library to a scripted board peer behind COM1 of a
// private port map. Traces go to the same private directory.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "rx041/device/device_interfaces.h"
#include "rx041/test_support/instant_waits.h"
#include "rx041/test_support/scripted_board_peer.h"
#include "rx041/test_support/short_reply_limits.h"
#include "rx041/test_support/temp_dir.h"

namespace rx041::zq3902::testing {

class ConnectedDevice {
  // First, so that the port map and the trace directory exist before the
  // peer and the device.
  test::TempDir dir_;
  test::ScopedEnv ports_;
  test::ScopedEnv traces_;
  std::optional<test::InstantWaits> instant_;
  std::optional<test::ShortReplyLimits> shortLimits_;

 public:
  // traced: create the trace marker so that the device writes its log.
  // realWaits: the fixed waits take their time (a test of what the trace
  // clock shows); otherwise they are instant and only kept (waitsAsked).
  explicit ConnectedDevice(bool traced = false, bool realWaits = false);
  ~ConnectedDevice();

  IZQ3902Device& operator*() { return *device; }
  IZQ3902Device* operator->() { return device.get(); }
  std::shared_ptr<IZQ3902Advanced> advanced();
  std::shared_ptr<IZQ3902Solver> solver();

  // The frames received since the last call.
  std::vector<std::string> takeFrames();
  // The private port map and trace directory.
  const std::filesystem::path& directory() const { return dir_.path(); }
  // The device's trace log as written so far.
  std::string traceLog() const;

  // The fixed waits (relay and lock settling, the pause before a write) asked for so far.
  std::vector<std::chrono::milliseconds> waitsAsked() const {
    return instant_ ? instant_->asked() : std::vector<std::chrono::milliseconds>{};
  }

  test::ScriptedBoardPeer peer;
  std::shared_ptr<IZQ3902Device> device;
};

// Convenience calls that return the out-value.
std::int32_t result(HRESULT (IZQ3902Device::*member)(std::int32_t, std::int32_t*), IZQ3902Device& device,
                    std::int32_t chipIndex);
std::int32_t memRead(IZQ3902Advanced& advanced, std::int32_t chipIndex, std::int32_t address);
std::int32_t setSetting(IZQ3902Advanced& advanced, std::int32_t chipIndex, std::int32_t settingId, float value,
                        std::int32_t offsetFlag = 0);

// ADC code of a voltage as the programmer reports it.
int adcCodeOf(double volts);

// The (register, data) pairs of the OWI write frames, in order.
std::vector<std::pair<int, int>> writesIn(const std::vector<std::string>& frames);
// The registers of the OWI read frames, in order.
std::vector<int> readsIn(const std::vector<std::string>& frames);

}  // namespace rx041::zq3902::testing
