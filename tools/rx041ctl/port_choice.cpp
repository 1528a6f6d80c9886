#include "port_choice.h"

#include <stdlib.h>

#include <string>
#include <system_error>

#include "removal_on_signal.h"
#include "rx041/transport/port_map.h"

namespace rx041::ctl {

std::optional<PortChoice> PortChoice::fromText(std::string_view text) {
  if (const auto number = transport::parseComName(text)) return PortChoice(*number, {});
  if (text.find('/') != std::string_view::npos) return PortChoice(1, std::filesystem::path(text));
  return std::nullopt;
}

PortChoice::~PortChoice() {
  if (privateMap_.empty()) return;
  keepOnSignal();
  std::error_code ec;
  std::filesystem::remove_all(privateMap_, ec);
}

bool PortChoice::install() {
  if (device_.empty()) return true;
  std::error_code ec;
  const auto target = std::filesystem::absolute(device_, ec);
  if (ec) return false;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / "rx041ctl-ports-XXXXXX").string();
  const StopSignalsHeld held;
  if (ec || !::mkdtemp(pattern.data())) return false;
  privateMap_ = pattern;
  const auto link = privateMap_ / ("COM" + std::to_string(comNumber_));
  removeOnSignal(link, privateMap_);
  std::filesystem::create_symlink(target, link, ec);
  return !ec && ::setenv("RX041_PORTS", privateMap_.c_str(), 1) == 0;
}

}  // namespace rx041::ctl
