#include "port_links.h"

#include <grp.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "rx041/transport/port_map.h"
#include "rx041/transport/serial_device.h"

namespace rx041::ports {
namespace {

namespace fs = std::filesystem;

fs::path comLink(const fs::path& mapDirectory, int number) { return mapDirectory / ("COM" + std::to_string(number)); }

bool isLink(const fs::path& path) {
  std::error_code ec;
  return fs::is_symlink(fs::symlink_status(path, ec));
}

bool isTaken(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

// std::filesystem::equivalent refuses device files, so compare what stat says.
bool sameDevice(const fs::path& a, const fs::path& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

Report failed(std::string reason) { return {{}, {std::move(reason)}}; }

// Replaces the link in one step, so that COMn never goes missing in between.
bool writeLink(const fs::path& link, const fs::path& target, std::string& error) {
  std::error_code ec;
  fs::create_directories(link.parent_path(), ec);
  const auto temporary = link.parent_path() / ("." + link.filename().string() + ".new");
  fs::remove(temporary, ec);
  fs::create_symlink(target, temporary, ec);
  if (!ec) fs::rename(temporary, link, ec);
  if (ec) {
    fs::remove(temporary, ec);
    error = "cannot link " + link.string() + ": " + ec.message();
    return false;
  }
  return true;
}

std::string groupOf(const fs::path& device) {
  struct stat info {};
  if (::stat(device.c_str(), &info) != 0) return {};
  const group* owner = ::getgrgid(info.st_gid);
  return owner ? owner->gr_name : std::to_string(info.st_gid);
}

std::vector<fs::path> adaptersIn(const fs::path& byIdDirectory) {
  std::vector<fs::path> adapters;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(byIdDirectory, ec)) adapters.push_back(entry.path());
  std::sort(adapters.begin(), adapters.end());
  return adapters;
}

}  // namespace

std::vector<PortLink> listPorts(const fs::path& mapDirectory) {
  std::vector<PortLink> links;
  for (int number = transport::kFirstComPort; number <= transport::kLastComPort; ++number) {
    PortLink link;
    link.number = number;
    const auto path = comLink(mapDirectory, number);
    std::error_code ec;
    if (!isTaken(path)) {
      links.push_back(link);
      continue;
    }
    link.target = isLink(path) ? fs::read_symlink(path, ec) : path;
    link.state = LinkState::Missing;
    if (fs::exists(path, ec)) {
      link.device = fs::canonical(path, ec);
      const transport::SerialOpenResult opened = transport::openSerialDevice(path);
      transport::closeSerialDevice(opened.fd);
      if (opened) {
        link.state = LinkState::Available;
      } else if (opened.error == EBUSY) {
        link.state = LinkState::Busy;
      } else if (opened.error == EACCES || opened.error == EPERM) {
        link.state = LinkState::NoAccess;
      } else {
        link.state = LinkState::Unusable;
        link.error = opened.error;
      }
    }
    links.push_back(link);
  }
  return links;
}

std::string describe(const PortLink& link) {
  std::string text = "COM" + std::to_string(link.number);
  text.resize(std::max<std::size_t>(text.size(), 5) + 1, ' ');
  if (link.state == LinkState::NotSet) return text + "-";
  text += link.target.string();
  if (!link.device.empty() && link.device != link.target) text += " -> " + link.device.string();
  switch (link.state) {
    case LinkState::NotSet: break;
    case LinkState::Missing: return text + "  missing (unplugged?)";
    case LinkState::Available: return text + "  available";
    case LinkState::Busy: return text + "  busy (held by another program)";
    case LinkState::NoAccess: return text + "  no access (the device belongs to group " + groupOf(link.device) + ")";
    case LinkState::Unusable: return text + "  unusable (" + std::strerror(link.error) + ")";
  }
  return text;
}

fs::path stableName(const fs::path& device, const fs::path& byIdDirectory) {
  std::error_code ec;
  const auto absolute = fs::absolute(device, ec);
  if (absolute.parent_path() == byIdDirectory) return absolute;
  for (const auto& adapter : adaptersIn(byIdDirectory))
    if (sameDevice(adapter, device)) return adapter;
  return absolute;
}

Report setPort(const fs::path& mapDirectory, int number, const fs::path& device, const fs::path& byIdDirectory) {
  if (number < transport::kFirstComPort || number > transport::kLastComPort)
    return failed("COM numbers run from " + std::to_string(transport::kFirstComPort) + " to " +
                  std::to_string(transport::kLastComPort));
  std::error_code ec;
  if (!fs::exists(device, ec)) return failed(device.string() + " does not exist");
  if (!fs::is_character_file(device, ec)) return failed(device.string() + " is not a terminal device");
  const auto link = comLink(mapDirectory, number);
  if (isTaken(link) && !isLink(link)) return failed(link.string() + " is not a link; it is left alone");

  auto name = stableName(device, byIdDirectory);
  // Given another COM link, link the device behind it, not the link.
  if (name.parent_path() == fs::absolute(mapDirectory, ec)) name = fs::canonical(device, ec);
  Report report;
  std::string error;
  if (!writeLink(link, name, error)) return failed(error);
  report.done.push_back("COM" + std::to_string(number) + " -> " + name.string());
  for (int other = transport::kFirstComPort; other <= transport::kLastComPort; ++other) {
    const auto otherLink = comLink(mapDirectory, other);
    if (other == number || !isLink(otherLink) || !sameDevice(otherLink, device)) continue;
    fs::remove(otherLink, ec);
    report.done.push_back("COM" + std::to_string(other) + " cleared: the device is COM" + std::to_string(number) +
                          " now");
  }
  return report;
}

Report clearPort(const fs::path& mapDirectory, int number) {
  const auto link = comLink(mapDirectory, number);
  const std::string name = "COM" + std::to_string(number);
  if (!isTaken(link)) return {{name + " was not set"}, {}};
  if (!isLink(link)) return failed(link.string() + " is not a link; it is left alone");
  std::error_code ec;
  fs::remove(link, ec);
  if (ec) return failed("cannot remove " + link.string() + ": " + ec.message());
  return {{name + " cleared"}, {}};
}

Report assignAdapters(const fs::path& mapDirectory, const fs::path& byIdDirectory) {
  const auto adapters = adaptersIn(byIdDirectory);
  if (adapters.empty()) return {{"No USB serial adapters in " + byIdDirectory.string()}, {}};
  Report report;
  for (const auto& adapter : adapters) {
    int mapped = 0;
    int firstFree = 0;
    for (int number = transport::kFirstComPort; number <= transport::kLastComPort; ++number) {
      const auto link = comLink(mapDirectory, number);
      std::error_code ec;
      if (isLink(link) && (fs::read_symlink(link, ec) == adapter || sameDevice(link, adapter))) mapped = number;
      if (firstFree == 0 && !isTaken(link)) firstFree = number;
    }
    if (mapped != 0) {
      report.done.push_back("COM" + std::to_string(mapped) + " -> " + adapter.string() + " (already)");
    } else if (firstFree == 0) {
      report.errors.push_back("no free COM number for " + adapter.string());
    } else if (std::string error; writeLink(comLink(mapDirectory, firstFree), adapter, error)) {
      report.done.push_back("COM" + std::to_string(firstFree) + " -> " + adapter.string());
    } else {
      report.errors.push_back(error);
    }
  }
  return report;
}

}  // namespace rx041::ports
