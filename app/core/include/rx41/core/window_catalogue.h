#pragma once
// The working windows rx41 can open, keyed by its command-line argument. The
// argument-to-class table is fixed here; each window library has a
// register...Windows(WindowCatalogue&) that adds the factories of the windows
// it builds, and rx41's main calls them.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "rx41/operator/operator_interface.h"

namespace rx41 {

using WindowFactory = std::function<std::unique_ptr<QWidget>(OperatorInterface& operatorInterface)>;

struct WorkingWindowKind {
  const char* argument;   // "/2"
  const char* className;  // "MainForm2PointsProgramming"
};

// "/0" .. "/6" in the order they are matched.
extern const WorkingWindowKind kWorkingWindows[7];

class WindowCatalogue {
 public:
  // False (and nothing added) for a class name not in kWorkingWindows or one
  // that already has a factory.
  bool add(const QString& className, WindowFactory factory);
  bool has(const QString& className) const;

  // The class name for an argument text compared whole and exactly, or none.
  static std::optional<QString> classNameFor(const QString& argument);

  // Creates and shows the window of the class and keeps track of it; null if
  // the class has no factory.
  std::unique_ptr<QWidget> open(const QString& className, OperatorInterface& operatorInterface);
  // The window of the class this catalogue opened, while it exists.
  QWidget* openedWindow(const QString& className) const;

 private:
  std::map<QString, WindowFactory> factories_;
  std::map<QString, QPointer<QWidget>> opened_;
};

// The entry routine: the command-line arguments after the program name must
// be exactly one text "/0" .. "/6". Opens that window, or tells the operator
// why not and returns null (the process then ends with a failure status).
std::unique_ptr<QWidget> openWorkingWindow(const QStringList& arguments, WindowCatalogue& catalogue,
                                           OperatorInterface& operatorInterface);

}  // namespace rx41
