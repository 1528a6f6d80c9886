#include "device_core.h"

#include <cstdio>
#include <string>

#include "rx041/component/clock.h"
#include "rx041/device/device_interfaces.h"
#include "serial_channel_link.h"

namespace rx041::zq3902 {
namespace {

using transport::traceClock;

std::unique_ptr<ReplyChannel> linkTo(const std::shared_ptr<chanlink::ISerialChannel>& channel) {
  if (!channel) return nullptr;
  return std::make_unique<SerialChannelLink>(channel);
}

constexpr double kVoltsPerCode = 0.000152587890625;  // 5 V full scale either side of code 32768
constexpr std::int32_t kZeroVoltCode = 32768;
constexpr auto kRelaySettleTime = std::chrono::milliseconds(300);

// Received text as one trace line: printable ASCII as it is, anything else
// (line ends, zero bytes) as a C escape.
std::string printable(const std::string& text) {
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (c == '\\' || c == '"') {
      shown += '\\';
      shown += c;
    } else if (byte >= 0x20 && byte < 0x7F) {
      shown += c;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
    }
  }
  return shown;
}

// One notice for every device of the process; the first text is message 112 of the library's catalogue.
void reportTraceFailure(transport::TraceFailure failure) {
  static transport::TraceFailureNotice notice("ZQ3902Module:ZQ3902Device(112): fail to create KVT log.txt!",
                                              "ZQ3902Module:ZQ3902Device: fail to write KVT log.txt!");
  notice.report(failure);
}

}  // namespace

DeviceCore::DeviceCore(std::shared_ptr<chanlink::ISerialChannel> channel)
    : channel_(std::move(channel)),
      line_(std::dynamic_pointer_cast<chanlink::ISerialLine>(channel_)),
      commands_(linkTo(channel_), com::processMilliseconds,
                [this](const LineClearing& clearing) { traceClearing(clearing); }),
      trace_("KVTlog.txt", "wt+", reportTraceFailure) {
  for (auto& part : parts_) part.image.clear();
  initializeAllSettings();
}

void DeviceCore::traceClearing(const LineClearing& clearing) {
  if (clearing.quietMs > 0)
    trace_.write("%ld: Waited %ld ms after a reply time-out before %s\n", traceClock(),
                 static_cast<long>(clearing.quietMs), clearing.frame.c_str());
  if (!clearing.discarded.empty())
    trace_.write("%ld: Discarded before %s: \"%s\"\n", traceClock(), clearing.frame.c_str(),
                 printable(clearing.discarded).c_str());
}

std::int32_t DeviceCore::connectChannel(const com::Variant& port) {
  trace_.write("%ld: Called of ConnectChannel from KVT Lib Device module with string: ", traceClock());
  const auto number = port.toInt32();
  if (!channel_ || !number) return kCommandFailed;
  channel_->put_Port(static_cast<chanlink::SerialPortNumber>(*number));
  channel_->put_Connected(com::VARIANT_TRUE);
  return kCommandOk;
}

void DeviceCore::destroy(com::VARIANT_BOOL flag) {
  if (flag == com::VARIANT_TRUE && channel_) channel_->put_Connected(com::VARIANT_FALSE);
}

void DeviceCore::initializeAllSettings() {
  trace_.write("%d: Called InitializeAllSettings KVT Lib Device\n", static_cast<int>(traceClock()));
  for (auto& part : parts_) {
    part.settings.initialize();
    part.switchConfigured = false;
  }
}

void DeviceCore::storeSupplyVoltage(std::int32_t chipIndex, float volts) {
  if (chipIndex == 0 || chipIndex == kBothParts) parts_[0].settings.setReal(kSupplyVoltageSetting, volts);
  if (chipIndex == 1 || chipIndex == kBothParts) parts_[1].settings.setReal(kSupplyVoltageSetting, volts);
}

std::int32_t DeviceCore::powerOn(std::int32_t chipIndex) {
  trace_.write("%ld, Called Customized_PowerOn KVT Lib Device\n", traceClock());
  const std::int32_t result = commands_.CmdPowerOn(chipIndex);
  PartState& state = part(chipIndex);
  if (result != kCommandOk) {
    // It may have come up or not: the next acknowledged power-on decides.
    state.power = PartPower::Unknown;
    return result;
  }
  // A chip coming up loads its RAM from the EEPROM: nothing written before
  // counts. One that was on already keeps its RAM, and what was written to it.
  if (state.power != PartPower::On) state.written = {};
  state.power = PartPower::On;
  return result;
}

std::int32_t DeviceCore::powerOff(std::int32_t chipIndex) {
  trace_.write("%ld, Called Customized_PowerOff KVT Lib Device\n", traceClock());
  const std::int32_t result = commands_.CmdPowerOff(chipIndex);
  // Without an answer the part may be off all the same.
  part(chipIndex).power = result == kCommandOk ? PartPower::Off : PartPower::Unknown;
  return result;
}

std::int32_t DeviceCore::mode0V(std::int32_t chipIndex) {
  trace_.write("%ld, Called Customized_Mode0V KVT Lib Device\n", traceClock());
  return commands_.CmdRelayAnalog(chipIndex);
}

std::int32_t DeviceCore::setAdcMode(std::int32_t chipIndex) {
  trace_.write("%ld, Called Customized_SetADCMode KVT Lib Device\n", traceClock());
  return commands_.CmdSetAdcMode(chipIndex);
}

void DeviceCore::setOwiStep(std::int32_t chipIndex) {
  trace_.write("%ld, Called Customized_SetOWI KVT Lib Device\n", traceClock());
  commands_.CmdSetOwiMode(chipIndex);
}

std::int32_t DeviceCore::enterOwi(std::int32_t chipIndex) {
  if (isSinglePart(chipIndex)) {
    setOwiStep(chipIndex);
  } else if (chipIndex == kBothParts) {
    setOwiStep(0);
    setOwiStep(1);
  }
  const std::int32_t result = commands_.CmdEnterOwi(chipIndex);
  trace_.write("%ld, Called Customized_EnterOWI KVT Lib Device with result:%d\n", traceClock(), result);
  return result;
}

std::int32_t DeviceCore::quitOwi(std::int32_t chipIndex) {
  const std::int32_t result = commands_.CmdExitOwi(chipIndex);
  trace_.write("%ld, Called Customized_QuitOWI KVT Lib Device with result:%d\n", traceClock(), result);
  return result;
}

AdcReading DeviceCore::measureReading(std::int32_t chipIndex, std::int32_t measureType) {
  const std::int32_t code = commands_.CmdReadProgrammerADCvalue();
  if (code == kAdcTimeout) return {code, kAdcTimeoutReading};
  const double volts = (code - kZeroVoltCode) * kVoltsPerCode;
  switch (measureType) {
    case MeasPercentVDD:
      return {code, static_cast<float>(volts * 100.0 / part(chipIndex).settings.real(kSupplyVoltageSetting))};
    case MeasVolt: return {code, static_cast<float>(volts)};
    default: return {code, kUnknownMeasureType};
  }
}

float DeviceCore::measureVdd(std::int32_t chipIndex) {
  // The board has one VDD relay path per part; "both" measures through Part#1.
  const std::int32_t relayPart = chipIndex == kBothParts ? 0 : chipIndex;
  trace_.write("%ld, Called Customized_Mode5V KVT Lib Device\n", traceClock());
  commands_.CmdRelayVdd(relayPart);
  settle(kRelaySettleTime);
  const float volts = measure(relayPart, MeasVolt);
  if (volts <= kAdcTimeoutReading) return volts;
  commands_.CmdRelayAnalog(relayPart);
  storeSupplyVoltage(chipIndex, volts);
  return volts;
}

std::int32_t DeviceCore::programDevice(std::int32_t chipIndex) {
  const long start = traceClock();
  trace_.write("%ld: Called ProgramDevice KVT Lib Device\n", start);
  if (!isSinglePart(chipIndex)) return kProgramBadChip;

  long stepStart = traceClock();
  const std::int32_t erased = commands_.CmdErase(chipIndex);
  long now = traceClock();
  trace_.write("%ld: CmdErase time cost is %ld with result:%d\n", now, now - stepStart, erased);
  if (erased != kCommandOk) return kProgramStepFailed;

  stepStart = traceClock();
  const std::int32_t stored = commands_.CmdStore(chipIndex);
  now = traceClock();
  trace_.write("%ld: CmdStore time cost is %ld with result:%d\n", now, now - stepStart, stored);
  if (stored != kCommandOk) return kProgramStepFailed;

  now = traceClock();
  trace_.write("%ld: Called ProgramDevice KVT Lib Device. Total time cost:%ld\n", now, now - start);
  return kProgramDone;
}

std::int32_t DeviceCore::writeRegister(std::int32_t chipIndex, std::int32_t address, std::int32_t data) {
  const std::int32_t result = commands_.CmdWriteByteAddr(chipIndex, address, data);
  // What was sent is what the chip should hold, whatever the board answered;
  // addresses or data outside a byte are never sent.
  if (address >= 0 && address < WrittenImage::kRegisterCount && data >= 0 && data <= 0xFF)
    part(chipIndex).written.values[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(data);
  return result;
}

std::int32_t DeviceCore::writeBufToDevice(std::int32_t chipIndex) {
  RegisterImage& image = part(chipIndex).image;
  for (std::int32_t address = 0; address < RegisterImage::kRegisterCount; ++address) {
    if (!image.changed(address)) continue;
    const long start = traceClock();
    const std::int32_t result = writeRegister(chipIndex, address, image.value(address));
    image.markWritten(address);
    const long now = traceClock();
    trace_.write("%ld: CmdWriteByteAddr with result:%d and time cost is %ld\n", now, result, now - start);
    if (result != kCommandOk) return kWriteBufFailed;
  }
  return kCommandOk;
}

void DeviceCore::settle(std::chrono::milliseconds duration) {
  if (commands_.canReachBoard()) com::fixedWait(duration);
}

ProgrammerLine DeviceCore::programmerLine() const {
  if (!channel_) return ProgrammerLine::NotConnected;
  if (!line_) {
    VARIANT_BOOL connected = com::VARIANT_FALSE;
    channel_->get_Connected(&connected);
    return connected == com::VARIANT_TRUE ? ProgrammerLine::Connected : ProgrammerLine::NotConnected;
  }
  switch (line_->lineState()) {
    case chanlink::LineState::Closed: return ProgrammerLine::NotConnected;
    case chanlink::LineState::Open: return ProgrammerLine::Connected;
    case chanlink::LineState::NoDevice: return ProgrammerLine::NoDevice;
    case chanlink::LineState::Busy: return ProgrammerLine::Busy;
    case chanlink::LineState::NotSerial: return ProgrammerLine::NotSerial;
    case chanlink::LineState::NoAccess: return ProgrammerLine::NoAccess;
    case chanlink::LineState::Lost: return ProgrammerLine::Lost;
  }
  return ProgrammerLine::NotConnected;
}

}  // namespace rx041::zq3902
