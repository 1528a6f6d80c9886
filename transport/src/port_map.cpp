#include "rx041/transport/port_map.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>

#include "rx041/component/user_config.h"
#include "rx041/transport/serial_device.h"

namespace rx041::transport {

std::filesystem::path portDirectory() {
  if (const char* env = std::getenv("RX041_PORTS"); env && *env) return env;
  return com::userConfigDirectory() / "ports";
}

std::filesystem::path comPortPath(int number) { return portDirectory() / ("COM" + std::to_string(number)); }

std::optional<int> parseComName(std::string_view text) {
  if (text.size() < 4 || text.substr(0, 3) != "COM") return std::nullopt;
  int number = 0;
  const auto digits = text.substr(3);
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  // Only COM1..COM16 exist: a larger number must not reach a port by its low byte.
  if (number < kFirstComPort || number > kLastComPort) return std::nullopt;
  return number;
}

std::optional<std::filesystem::path> resolvePort(std::string_view text) {
  if (auto number = parseComName(text)) return comPortPath(*number);
  if (text.find('/') != std::string_view::npos) return std::filesystem::path(text);
  return std::nullopt;
}

PortProbe probePort(const std::filesystem::path& device) {
  std::error_code ec;
  if (!std::filesystem::exists(device, ec)) return PortProbe::Absent;
  const SerialOpenResult opened = openSerialDevice(device);
  if (!opened) return opened.error == EBUSY ? PortProbe::Busy : PortProbe::Absent;
  closeSerialDevice(opened.fd);
  return PortProbe::Available;
}

std::vector<std::string> listComPorts() {
  std::vector<std::string> ports;
  bool previousBusy = false;
  for (int n = kFirstComPort; n <= kLastComPort; ++n) {
    if (previousBusy) ports.push_back("COM" + std::to_string(n - 1));
    const PortProbe probe = probePort(comPortPath(n));
    previousBusy = probe == PortProbe::Busy;
    if (probe == PortProbe::Available) ports.push_back("COM" + std::to_string(n));
  }
  return ports;
}

}  // namespace rx041::transport
