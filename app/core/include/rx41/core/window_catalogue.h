#pragma once
// The working windows rx41 can open, one row each: the start-up argument, the
// class name and the factory. Each window library lists the rows of the
// windows it builds (quickWindowEntries, dualWindowEntries); rx41's table
// joins them, and everything else comes from the rows: which argument opens
// which window, the order arguments are matched in, the window's design name
// and the identity its programming records carry.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <span>

#include "rx41/core/app_state.h"
#include "rx41/core/device_connection.h"
#include "rx41/core/window_identity.h"
#include "rx41/core/working_window.h"
#include "rx41/operator/operator_interface.h"

namespace rx41 {

// Makes the window of the identity's row on the state, with the device
// objects the factory hands out.
using WindowFactory = std::unique_ptr<WorkingWindow> (*)(const WindowIdentity& identity,
                                                         OperatorInterface& operatorInterface, AppState& state,
                                                         DeviceFactory deviceFactory);

struct WorkingWindowEntry {
  const char* argument;   // "/2"
  const char* className;  // "MainForm2PointsProgramming"
  // Null for a window this build leaves out: its argument is known, and
  // refused as not part of the build.
  WindowFactory factory;

  WindowIdentity identity() const { return {argument, className}; }
  // The window on the state with the device objects of the factory.
  std::unique_ptr<WorkingWindow> make(OperatorInterface& operatorInterface, AppState& state = appState(),
                                      DeviceFactory deviceFactory = createDeviceObject) const;
};

// The row whose argument equals the text, compared whole and exactly, or null.
const WorkingWindowEntry* findWorkingWindow(std::span<const WorkingWindowEntry> entries, const QString& argument);

class WindowCatalogue {
 public:
  // The rows in the order their arguments are matched.
  explicit WindowCatalogue(std::span<const WorkingWindowEntry> entries) : entries_(entries) {}

  std::span<const WorkingWindowEntry> entries() const { return entries_; }
  const WorkingWindowEntry* find(const QString& argument) const { return findWorkingWindow(entries_, argument); }

  // Creates the row's window on the process-wide state and the device
  // library, shows it and keeps track of it; null for a row without a factory.
  std::unique_ptr<WorkingWindow> open(const WorkingWindowEntry& entry, OperatorInterface& operatorInterface);
  // The window of the class this catalogue opened, while it exists.
  QWidget* openedWindow(const QString& className) const;

 private:
  std::span<const WorkingWindowEntry> entries_;
  std::map<QString, QPointer<QWidget>> opened_;
};

// The entry routine: the command-line arguments after the program name must
// be exactly one text "/0" .. "/6". Opens that window, or tells the operator
// why not and returns null (the process then ends with a failure status).
std::unique_ptr<WorkingWindow> openWorkingWindow(const QStringList& arguments, WindowCatalogue& catalogue,
                                                 OperatorInterface& operatorInterface);

}  // namespace rx41
