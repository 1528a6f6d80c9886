#include "port_links.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "rx041/component/shown_text.h"
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

// A path as a message shows it: a name with control characters must not drive the terminal.
std::string shown(const fs::path& path) { return shownText(path.string()); }

constexpr const char* kLockName = ".rx041-ports.lock";
// How long a change waits for another rx041-ports to finish its own.
constexpr auto kLockWait = std::chrono::seconds(10);

// Every change of the map holds this lock from reading the map to its last
// link, so that two programs never take the same free number or both link
// one adapter. Released when the object goes (closing the descriptor).
class MapLock {
 public:
  explicit MapLock(const fs::path& mapDirectory) {
    std::error_code ec;
    fs::create_directories(mapDirectory, ec);
    if (ec) {
      problem_ = "cannot make the port map " + shown(mapDirectory) + ": " + ec.message();
      return;
    }
    const auto file = mapDirectory / kLockName;
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd_ < 0) {
      problem_ = "cannot open the lock of the port map " + shown(file) + ": " + std::strerror(errno);
      return;
    }
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      if (error != EWOULDBLOCK && error != EINTR) {
        problem_ = "cannot lock the port map " + shown(file) + ": " + std::strerror(error);
        return;
      }
      if (std::chrono::steady_clock::now() >= deadline) {
        problem_ = "the port map " + shown(mapDirectory) + " is being changed by another program; try again";
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  ~MapLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  MapLock(const MapLock&) = delete;
  MapLock& operator=(const MapLock&) = delete;

  // Why the map could not be locked; empty when it is.
  const std::string& problem() const { return problem_; }

 private:
  int fd_ = -1;
  std::string problem_;
};

// Replaces the link in one step, so that COMn never goes missing in between.
// The reason is taken where the step failed: the clean-up must not overwrite it.
bool writeLink(const fs::path& link, const fs::path& target, std::string& error) {
  std::error_code ec;
  fs::create_directories(link.parent_path(), ec);
  if (ec) {
    error = "cannot make the port map " + shown(link.parent_path()) + ": " + ec.message();
    return false;
  }
  const auto temporary =
      link.parent_path() / ("." + link.filename().string() + "." + std::to_string(::getpid()) + ".new");
  std::error_code ignored;
  fs::remove(temporary, ignored);
  fs::create_symlink(target, temporary, ec);
  if (ec) {
    error = "cannot link " + shown(link) + ": " + ec.message();
    return false;
  }
  fs::rename(temporary, link, ec);
  if (ec) {
    error = "cannot link " + shown(link) + ": " + ec.message();
    fs::remove(temporary, ignored);
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

// Whether the kernel's table of terminal drivers (/proc/tty/drivers) names the device number.
bool listedTerminal(dev_t device) {
  std::ifstream drivers("/proc/tty/drivers");
  return listedAsTerminal(drivers, ::major(device), ::minor(device));
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
  text += shown(link.target);
  if (!link.device.empty() && link.device != link.target) text += " -> " + shown(link.device);
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

bool listedAsTerminal(std::istream& drivers, unsigned major, unsigned minor) {
  // "name  /dev/ttyUSB  188 0-511 serial": the driver's device numbers, a minor or a range.
  for (std::string line; std::getline(drivers, line);) {
    std::istringstream fields(line);
    std::string name, path, minors;
    unsigned driverMajor = 0;
    if (!(fields >> name >> path >> driverMajor >> minors) || driverMajor != major) continue;
    unsigned first = 0, last = 0;
    char dash = 0;
    std::istringstream range(minors);
    if (!(range >> first)) continue;
    if (!(range >> dash >> last) || dash != '-') last = first;
    if (minor >= first && minor <= last) return true;
  }
  return false;
}

std::optional<std::string> notATerminal(const fs::path& device) {
  struct stat info {};
  if (::stat(device.c_str(), &info) != 0) {
    const int error = errno;
    return shown(device) + (error == ENOENT ? " does not exist" : std::string(": ") + std::strerror(error));
  }
  if (!S_ISCHR(info.st_mode)) return shown(device) + " is not a terminal device";
  // /dev/tty, /dev/console and /dev/ptmx stand for whichever terminal is at hand, never for a line.
  constexpr unsigned kTerminalAliasMajor = 5;
  if (::major(info.st_rdev) == kTerminalAliasMajor)
    return shown(device) + " stands for another terminal, not a serial line";
  // Opened without waiting for a carrier and without becoming the controlling terminal.
  const int fd = ::open(device.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd >= 0) {
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    if (terminal) return std::nullopt;
    return shown(device) + " is not a terminal device";
  }
  // A terminal the user may not open (not yet in dialout) or that another
  // program holds exclusively can still be linked: the kernel lists its driver.
  const int openError = errno;
  if (listedTerminal(info.st_rdev)) return std::nullopt;
  return shown(device) + " cannot be opened to see whether it is a terminal device: " + std::strerror(openError);
}

Report setPort(const fs::path& mapDirectory, int number, const fs::path& device, const fs::path& byIdDirectory) {
  if (number < transport::kFirstComPort || number > transport::kLastComPort)
    return failed("COM numbers run from " + std::to_string(transport::kFirstComPort) + " to " +
                  std::to_string(transport::kLastComPort));
  if (auto problem = notATerminal(device)) return failed(*problem);
  const MapLock lock(mapDirectory);
  if (!lock.problem().empty()) return failed(lock.problem());
  const auto link = comLink(mapDirectory, number);
  if (isTaken(link) && !isLink(link)) return failed(shown(link) + " is not a link; it is left alone");

  std::error_code ec;
  auto name = stableName(device, byIdDirectory);
  // Given another COM link, link the device behind it, not the link.
  if (name.parent_path() == fs::absolute(mapDirectory, ec)) name = fs::canonical(device, ec);
  Report report;
  std::string error;
  if (!writeLink(link, name, error)) return failed(error);
  report.done.push_back("COM" + std::to_string(number) + " -> " + shown(name));
  for (int other = transport::kFirstComPort; other <= transport::kLastComPort; ++other) {
    const auto otherLink = comLink(mapDirectory, other);
    if (other == number || !isLink(otherLink) || !sameDevice(otherLink, device)) continue;
    if (fs::remove(otherLink, ec); ec) {
      report.errors.push_back("cannot clear " + shown(otherLink) + ", which leads to the same device: " + ec.message());
      continue;
    }
    report.done.push_back("COM" + std::to_string(other) + " cleared: the device is COM" + std::to_string(number) +
                          " now");
  }
  return report;
}

Report clearPort(const fs::path& mapDirectory, int number) {
  const auto link = comLink(mapDirectory, number);
  const std::string name = "COM" + std::to_string(number);
  if (!isTaken(link)) return {{name + " was not set"}, {}};
  const MapLock lock(mapDirectory);
  if (!lock.problem().empty()) return failed(lock.problem());
  if (!isTaken(link)) return {{name + " was not set"}, {}};
  if (!isLink(link)) return failed(shown(link) + " is not a link; it is left alone");
  std::error_code ec;
  fs::remove(link, ec);
  if (ec) return failed("cannot remove " + shown(link) + ": " + ec.message());
  return {{name + " cleared"}, {}};
}

Report assignAdapters(const fs::path& mapDirectory, const fs::path& byIdDirectory) {
  const auto adapters = adaptersIn(byIdDirectory);
  if (adapters.empty()) return {{"No USB serial adapters in " + shown(byIdDirectory)}, {}};
  const MapLock lock(mapDirectory);
  if (!lock.problem().empty()) return failed(lock.problem());
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
      report.done.push_back("COM" + std::to_string(mapped) + " -> " + shown(adapter) + " (already)");
    } else if (auto problem = notATerminal(adapter)) {
      report.errors.push_back(*problem + "; it gets no COM number");
    } else if (firstFree == 0) {
      report.errors.push_back("no free COM number for " + shown(adapter));
    } else if (std::string error; writeLink(comLink(mapDirectory, firstFree), adapter, error)) {
      report.done.push_back("COM" + std::to_string(firstFree) + " -> " + shown(adapter));
    } else {
      report.errors.push_back(error);
    }
  }
  return report;
}

}  // namespace rx041::ports
