// rx041-ports: sets up the operator's port map, COM1 .. COM16, so that nobody
// has to make the links by hand.
#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdio>

#include "port_links.h"
#include "rx041/transport/port_map.h"
#include "rx041/version.h"

namespace {

using namespace rx041;

constexpr const char* kSerialById = "/dev/serial/by-id";

// "3" or "COM3"; 0 for anything else.
int comNumber(const std::string& text) {
  if (const auto number = transport::parseComName(text)) return *number;
  int number = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  return ec == std::errc() && end == text.data() + text.size() ? number : 0;
}

int print(const ports::Report& report) {
  for (const auto& line : report.done) std::printf("%s\n", line.c_str());
  for (const auto& error : report.errors) std::fprintf(stderr, "rx041-ports: %s\n", error.c_str());
  return report.ok() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Sets up the port map: which serial device stands behind COM1 .. COM16."};
  app.set_version_flag("--version", versionLine("rx041-ports"));
  app.require_subcommand(1);
  app.footer(
      "The port map is the folder $RX041_PORTS, else $XDG_CONFIG_HOME/rx041/ports (normally\n"
      "~/.config/rx041/ports), holding links COM1 .. COM16 to terminal devices; every program of\n"
      "the bench software finds its ports there.");
  auto* list = app.add_subcommand("list", "show COM1 .. COM16, the device behind each and its state");
  std::string port;
  std::string device;
  auto* set = app.add_subcommand("set", "put DEVICE behind COMn (a USB adapter under its /dev/serial/by-id name)");
  set->add_option("N", port, "COM number, 1..16 (or COMn)")->required();
  set->add_option("DEVICE", device, "terminal device, such as /dev/ttyUSB0")->required();
  auto* clear = app.add_subcommand("clear", "remove COMn from the port map");
  clear->add_option("N", port, "COM number, 1..16 (or COMn)")->required();
  auto* assign = app.add_subcommand(
      "auto", "put every USB serial adapter of /dev/serial/by-id without a COM number behind the lowest free one");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }

  const auto map = transport::portDirectory();
  if (*list) {
    std::printf("Port map: %s\n", map.c_str());
    for (const auto& link : ports::listPorts(map)) std::printf("%s\n", ports::describe(link).c_str());
    return 0;
  }
  if (*assign) return print(ports::assignAdapters(map, kSerialById));
  const int number = comNumber(port);
  if (number < transport::kFirstComPort || number > transport::kLastComPort) {
    std::fprintf(stderr, "rx041-ports: '%s' is not a COM number from %d to %d\n", port.c_str(),
                 transport::kFirstComPort, transport::kLastComPort);
    return 2;
  }
  if (*set) return print(ports::setPort(map, number, device, kSerialById));
  return print(ports::clearPort(map, number));
}
