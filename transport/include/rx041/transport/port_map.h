#pragma once
// The port map: which terminal device stands behind the operator's "COMn".
//
// A directory holds links named COM1 .. COM16, each pointing at a terminal
// device (/dev/ttyUSB0, /dev/serial/by-id/..., a virtual bench's pseudo-
// terminal). The directory is $RX041_PORTS when set, else
// $XDG_CONFIG_HOME/rx041/ports (~/.config/rx041/ports). COMn exists exactly
// when the link COMn exists and leads to a device.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rx041::transport {

inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 16;

std::filesystem::path portDirectory();

// <port directory>/COMn, whether or not it exists.
std::filesystem::path comPortPath(int number);

// "COM7" -> 7 ("COM07" too); nullopt for anything else, numbers outside 1..16 included.
std::optional<int> parseComName(std::string_view text);

// "COMn" through the map, or a device path (anything containing '/') as given.
std::optional<std::filesystem::path> resolvePort(std::string_view text);

enum class PortProbe {
  Absent,     // no such device
  Available,  // could be opened and locked
  Busy,       // exists but another program holds it
};

// Opens and releases the device once to see whether it could be used.
PortProbe probePort(const std::filesystem::path& device);

// The port list the operator chooses from: "COM1" .. "COM16" probed in order.
// A free port is listed as it is probed; a port held by another program is
// listed when the next number is probed, so a busy COM16 is not listed (the
// port lists have always behaved so, and operators know a busy port by it).
std::vector<std::string> listComPorts();

}  // namespace rx041::transport
