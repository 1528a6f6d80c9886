#pragma once
// The state and the operations that the device, solver and advanced objects
// of one device share: the channel and its command layer, both parts'
// settings and register images, and the device's trace log.
#include <chrono>
#include <cstdint>
#include <memory>

#include "command_layer.h"
#include "part_state.h"
#include "rx041/device/programmer_line.h"
#include "rx041/transport/channel_interfaces.h"
#include "rx041/transport/trace_log.h"

namespace rx041::zq3902 {

inline constexpr float kAdcTimeoutReading = -101.0f;
inline constexpr float kUnknownMeasureType = -100.0f;

// Results of ProgramDevice.
inline constexpr std::int32_t kProgramDone = 0;
inline constexpr std::int32_t kProgramBadChip = 1;
inline constexpr std::int32_t kProgramStepFailed = 2;

// Result of WriteBufToDevice when a register write failed.
inline constexpr std::int32_t kWriteBufFailed = 2;

// A measurement with the ADC code it came from: the code tells a reading at
// the ADC's ends (0, 65535) or a time-out (65536) from one inside its range.
struct AdcReading {
  std::int32_t code = kAdcTimeout;
  float value = kAdcTimeoutReading;
};

class DeviceCore {
 public:
  // channel: Chanlink's SerialChannel, or null when it could not be created.
  explicit DeviceCore(std::shared_ptr<chanlink::ISerialChannel> channel);
  DeviceCore(const DeviceCore&) = delete;
  DeviceCore& operator=(const DeviceCore&) = delete;

  static bool isSinglePart(std::int32_t chipIndex) { return chipIndex == 0 || chipIndex == 1; }

  CommandLayer& commands() { return commands_; }
  transport::TraceLog& trace() { return trace_; }
  // Part#1's state for ChipIndex 0, Part#2's for any other index.
  PartState& part(std::int32_t chipIndex) { return parts_[chipIndex == 0 ? 0 : 1]; }

  // 0 when the port was handed to the channel, 1 without a channel or a port number.
  std::int32_t connectChannel(const com::Variant& port);
  void destroy(com::VARIANT_BOOL flag);

  void initializeAllSettings();
  // Supply voltage of Part#1 (0), Part#2 (1) or both (3); other indexes store nothing.
  void storeSupplyVoltage(std::int32_t chipIndex, float volts);

  std::int32_t powerOn(std::int32_t chipIndex);
  std::int32_t powerOff(std::int32_t chipIndex);
  std::int32_t mode0V(std::int32_t chipIndex);
  std::int32_t setAdcMode(std::int32_t chipIndex);
  std::int32_t enterOwi(std::int32_t chipIndex);
  std::int32_t quitOwi(std::int32_t chipIndex);
  float measure(std::int32_t chipIndex, std::int32_t measureType) {
    return measureReading(chipIndex, measureType).value;
  }
  AdcReading measureReading(std::int32_t chipIndex, std::int32_t measureType);
  float measureVdd(std::int32_t chipIndex);
  std::int32_t programDevice(std::int32_t chipIndex);
  // Every register write of the device goes through here, so that the part's
  // written image stays true: 0 written, 1 failed, 2 refused.
  std::int32_t writeRegister(std::int32_t chipIndex, std::int32_t address, std::int32_t data);
  // Writes every changed register of the part in ascending order: 0, or 2 at
  // the first failed write (later registers stay marked).
  std::int32_t writeBufToDevice(std::int32_t chipIndex);

  // The fixed waits that let the board's relays settle. Without a channel, or
  // with its line dead, there is nothing to settle.
  void settle(std::chrono::milliseconds duration);

  ProgrammerLine programmerLine() const;

 private:
  void setOwiStep(std::int32_t chipIndex);
  // Trace lines for what the command layer cleared off the line before a frame.
  void traceClearing(const LineClearing& clearing);

  std::shared_ptr<chanlink::ISerialChannel> channel_;
  std::shared_ptr<chanlink::ISerialLine> line_;  // null for a channel that does not tell
  CommandLayer commands_;
  PartState parts_[2];
  transport::TraceLog trace_;
};

}  // namespace rx041::zq3902
