#include "rx41/core/record_origin.h"

#include <QString>
#include <QSysInfo>
#include <filesystem>

#include "rx041/transport/port_map.h"

namespace rx41 {
namespace {

// The device the port map puts behind COMn, as the link names it.
std::string deviceBehind(std::int16_t port) {
  if (port == 0) return {};
  const std::filesystem::path link = rx041::transport::comPortPath(port);
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink(link, error);
  if (error) return {};
  return (target.is_absolute() ? target : link.parent_path() / target).lexically_normal().string();
}

}  // namespace

rx041::records::ProgrammingRecord recordOfPart(const AppState& state, const WindowIdentity& window, std::int16_t part) {
  rx041::records::ProgrammingRecord record;
  record.host = QSysInfo::machineHostName().toStdString();
  record.mode = window.argument;
  record.window = window.className;
  if (state.connectedPort != 0) record.port = "COM" + std::to_string(state.connectedPort);
  record.device = deviceBehind(state.connectedPort);
  record.part = part + 1;
  return record;
}

}  // namespace rx41
