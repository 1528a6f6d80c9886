#include "com_link.h"

#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <system_error>

#include "rx041/transport/port_map.h"

namespace fs = std::filesystem;

namespace rx041::bench {

ComLink::ComLink(int number, const fs::path& device) : link_(transport::comPortPath(number)) {
  if (number < transport::kFirstComPort || number > transport::kLastComPort)
    throw std::runtime_error("COM numbers run from " + std::to_string(transport::kFirstComPort) + " to " +
                             std::to_string(transport::kLastComPort));
  std::error_code ec;
  fs::create_directories(link_.parent_path(), ec);
  if (ec) throw std::runtime_error("cannot create " + link_.parent_path().string() + ": " + ec.message());
  const fs::file_status status = fs::symlink_status(link_, ec);
  if (fs::exists(status)) {
    if (!fs::is_symlink(status)) throw std::runtime_error(link_.string() + " exists and is not a link");
    const fs::path target = fs::read_symlink(link_, ec);
    if (target != device && fs::exists(link_, ec))
      throw std::runtime_error(link_.string() + " leads to " + target.string() +
                               ", which is not this bench's terminal: another bench serves COM" +
                               std::to_string(number) +
                               ", or the link is stale (left by a bench that was killed) and now leads to another "
                               "program's terminal. Remove the link if no bench serves COM" +
                               std::to_string(number) + ".");
  }
  pointAt(device);
}

ComLink::~ComLink() {
  std::error_code ec;
  if (fs::read_symlink(link_, ec) == device_ && !ec) fs::remove(link_, ec);
}

void ComLink::retarget(const fs::path& device) {
  std::error_code ec;
  if (fs::read_symlink(link_, ec) != device_ || ec) return;
  try {
    pointAt(device);
  } catch (const std::runtime_error&) {
    // The port map cannot be written: the bench serves on, behind no COM number.
  }
}

void ComLink::pointAt(const fs::path& device) {
  // A new link under a temporary name, renamed over the old one: the port map
  // never shows a missing or half-made COMn.
  const fs::path temporary = link_.string() + ".new." + std::to_string(::getpid());
  std::error_code ec;
  fs::remove(temporary, ec);
  fs::create_symlink(device, temporary, ec);
  if (!ec) fs::rename(temporary, link_, ec);
  if (ec) {
    fs::remove(temporary, ec);
    throw std::runtime_error("cannot link " + link_.string() + " to " + device.string());
  }
  device_ = device;
}

}  // namespace rx041::bench
