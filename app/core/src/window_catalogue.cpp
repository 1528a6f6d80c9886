#include "rx41/core/window_catalogue.h"

namespace rx41 {

std::unique_ptr<WorkingWindow> WorkingWindowEntry::make(OperatorInterface& operatorInterface, AppState& state,
                                                        DeviceFactory deviceFactory) const {
  if (!factory) return nullptr;
  return factory(identity(), operatorInterface, state, std::move(deviceFactory));
}

const WorkingWindowEntry* findWorkingWindow(std::span<const WorkingWindowEntry> entries, const QString& argument) {
  for (const WorkingWindowEntry& entry : entries)
    if (argument == QLatin1String(entry.argument)) return &entry;
  return nullptr;
}

std::unique_ptr<WorkingWindow> WindowCatalogue::open(const WorkingWindowEntry& entry,
                                                     OperatorInterface& operatorInterface) {
  std::unique_ptr<WorkingWindow> window = entry.make(operatorInterface);
  if (!window) return nullptr;
  opened_[QLatin1String(entry.className)] = window.get();
  window->show();
  return window;
}

QWidget* WindowCatalogue::openedWindow(const QString& className) const {
  const auto window = opened_.find(className);
  return window != opened_.end() ? window->second.data() : nullptr;
}

std::unique_ptr<WorkingWindow> openWorkingWindow(const QStringList& arguments, WindowCatalogue& catalogue,
                                                 OperatorInterface& operatorInterface) {
  const WorkingWindowEntry* entry = arguments.size() == 1 ? catalogue.find(arguments.front()) : nullptr;
  if (!entry) {
    operatorInterface.message(QStringLiteral("Error Commands received!"));
    return nullptr;
  }
  if (!entry->factory) {
    operatorInterface.message(QStringLiteral("The window %1 (%2) is not part of this build.")
                                  .arg(QLatin1String(entry->className), arguments.front()));
    return nullptr;
  }
  return catalogue.open(*entry, operatorInterface);
}

}  // namespace rx41
