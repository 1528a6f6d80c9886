#include "rx41/core/window_catalogue.h"

#include <QtGlobal>
#include <algorithm>
#include <iterator>

#include "rx41/operator/control_names.h"

namespace rx41 {

const WorkingWindowKind kWorkingWindows[7] = {
    {"/0", "MainForm2Parts1Src"},
    {"/1", "MainForm2Parts2Src"},
    {"/2", "MainForm2PointsProgramming"},
    {"/3", "MainForm2PointsProgrammingforDual"},
    {"/4", "MainForm2PointsProgrammingWithPwr"},
    {"/5", "MainForm2PointsProgrammingforDualWithPwr"},
    {"/6", "MainForm1PointProgramming"},
};

namespace {

bool isWorkingWindowClass(const QString& className) {
  return std::any_of(std::begin(kWorkingWindows), std::end(kWorkingWindows),
                     [&](const WorkingWindowKind& kind) { return className == QLatin1String(kind.className); });
}

}  // namespace

bool WindowCatalogue::add(const QString& className, WindowFactory factory) {
  if (!isWorkingWindowClass(className) || !factory) {
    qWarning("rx41: %s is not a working window class", qPrintable(className));
    return false;
  }
  return factories_.emplace(className, std::move(factory)).second;
}

bool WindowCatalogue::has(const QString& className) const { return factories_.count(className) != 0; }

std::optional<QString> WindowCatalogue::classNameFor(const QString& argument) {
  for (const WorkingWindowKind& kind : kWorkingWindows)
    if (argument == QLatin1String(kind.argument)) return QString::fromLatin1(kind.className);
  return std::nullopt;
}

std::unique_ptr<QWidget> WindowCatalogue::open(const QString& className, OperatorInterface& operatorInterface) {
  const auto factory = factories_.find(className);
  if (factory == factories_.end()) return nullptr;
  std::unique_ptr<QWidget> window = factory->second(operatorInterface);
  if (!window) return nullptr;
  if (window->objectName().isEmpty()) setControlName(*window, className);
  opened_[className] = window.get();
  window->show();
  return window;
}

QWidget* WindowCatalogue::openedWindow(const QString& className) const {
  const auto window = opened_.find(className);
  return window != opened_.end() ? window->second.data() : nullptr;
}

std::unique_ptr<QWidget> openWorkingWindow(const QStringList& arguments, WindowCatalogue& catalogue,
                                           OperatorInterface& operatorInterface) {
  const std::optional<QString> className =
      arguments.size() == 1 ? WindowCatalogue::classNameFor(arguments.front()) : std::nullopt;
  if (!className) {
    operatorInterface.message(QStringLiteral("Error Commands received!"));
    return nullptr;
  }
  if (!catalogue.has(*className)) {
    operatorInterface.message(
        QStringLiteral("The window %1 (%2) is not part of this build.").arg(*className, arguments.front()));
    return nullptr;
  }
  return catalogue.open(*className, operatorInterface);
}

}  // namespace rx41
