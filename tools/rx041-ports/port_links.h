#pragma once
// Editing the port map for the operator: which device stands behind each of
// COM1 .. COM16, and putting USB serial adapters behind COM numbers by their
// stable names (/dev/serial/by-id), so that nobody has to make links by hand.
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace rx041::ports {

enum class LinkState {
  NotSet,     // no COMn link
  Missing,    // the link leads nowhere (an adapter that is unplugged)
  Available,  // the device could be opened
  Busy,       // another program holds the device
  NoAccess,   // the user may not open the device
  Unusable,   // the device cannot serve as a serial port (error says why)
};

struct PortLink {
  int number = 0;
  std::filesystem::path target;  // what COMn names; empty when not set
  std::filesystem::path device;  // where it leads; empty unless it exists
  LinkState state = LinkState::NotSet;
  int error = 0;  // errno behind Unusable
};

// What a change did and what it could not do, one line each.
struct Report {
  std::vector<std::string> done;
  std::vector<std::string> errors;
  bool ok() const { return errors.empty(); }
};

// COM1 .. COM16 of the port map in mapDirectory, each device opened once to see its state.
std::vector<PortLink> listPorts(const std::filesystem::path& mapDirectory);
std::string describe(const PortLink& link);

// The name in byIdDirectory that leads to the same device as device, else
// device itself (absolute): a USB adapter's by-id name survives replugging.
std::filesystem::path stableName(const std::filesystem::path& device, const std::filesystem::path& byIdDirectory);

// Only a terminal stands behind a COM number: why device is none (it is
// missing, no character device, or opens as no terminal), or nothing. A terminal
// that cannot be opened by this user, or is held exclusively, is one when the
// kernel's table of terminal drivers names its device number.
std::optional<std::string> notATerminal(const std::filesystem::path& device);
// Whether a table in the form of /proc/tty/drivers names the device number.
bool listedAsTerminal(std::istream& drivers, unsigned major, unsigned minor);

// Every change below holds a lock on the map (a lock file in its folder) from
// reading it to its last link, so that changes made at the same time never
// take one number twice or link one adapter twice.

// Puts device, a terminal, behind COMn (replacing what was there) under its stable name;
// another COM number that led to the same device is cleared, so a device has one.
Report setPort(const std::filesystem::path& mapDirectory, int number, const std::filesystem::path& device,
               const std::filesystem::path& byIdDirectory);

// Removes the COMn link; a COMn that is not set is no failure.
Report clearPort(const std::filesystem::path& mapDirectory, int number);

// Puts every adapter of byIdDirectory that no COM number leads to yet behind
// the lowest COM number without a link (a link to an unplugged adapter keeps its
// number); an entry that is no terminal is reported and gets none.
Report assignAdapters(const std::filesystem::path& mapDirectory, const std::filesystem::path& byIdDirectory);

}  // namespace rx041::ports
