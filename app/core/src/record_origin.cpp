#include "rx41/core/record_origin.h"

#include <QSysInfo>
#include <QWidget>
#include <filesystem>

#include "rx041/transport/port_map.h"
#include "rx41/core/window_catalogue.h"

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

const WorkingWindowKind* workingWindowOf(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    const QString className = widget->objectName();
    for (const WorkingWindowKind& kind : kWorkingWindows)
      if (widget->isWindow() && className == QLatin1String(kind.className)) return &kind;
  }
  return nullptr;
}

}  // namespace

RecordOrigin recordOrigin(const AppState& state, const QWidget* owner) {
  RecordOrigin origin;
  origin.host = QSysInfo::machineHostName().toStdString();
  if (const WorkingWindowKind* kind = workingWindowOf(owner)) {
    origin.mode = kind->argument;
    origin.window = kind->className;
  } else if (owner) {
    origin.window = owner->window()->objectName().toStdString();
  }
  if (state.connectedPort != 0) origin.port = "COM" + std::to_string(state.connectedPort);
  origin.device = deviceBehind(state.connectedPort);
  return origin;
}

}  // namespace rx41
