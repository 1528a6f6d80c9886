// rx41: opens the one working window its argument names ("/0" .. "/6") and
// lives as long as that window.
#include <QApplication>
#include <QStringList>
#include <memory>

#include "rx41/core/app_state.h"
#include "rx41/core/device_connection.h"
#include "rx41/core/window_catalogue.h"
#include "rx41/operator/qt_operator.h"
#include "working_windows.h"

namespace {

bool displayReachable() {
  return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
         qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char* argv[]) {
  // The whole command line counts, so Qt's own options are refused as well.
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

  // Without a display, messages still reach the log instead of Qt aborting.
  const bool headless = !displayReachable();
  if (headless) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("rx41"));
  QApplication::setApplicationDisplayName(QStringLiteral("RX41"));
  rx41::QtOperator operatorInterface;
  rx41::LibraryNotifications libraryMessages(operatorInterface);

  rx41::WindowCatalogue catalogue(rx41::workingWindows());
  if (headless && arguments.size() == 1 && catalogue.find(arguments.front())) {
    operatorInterface.message(QStringLiteral("RX41 needs a display to show its windows."));
    return 1;
  }
  std::unique_ptr<QWidget> window = rx41::openWorkingWindow(arguments, catalogue, operatorInterface);
  if (!window) return 1;
  const int status = QApplication::exec();
  window.reset();
  // Close the port before the libraries go away.
  rx41::StateMachine machine(rx41::appState(), operatorInterface);
  rx41::DeviceConnection(machine).ReleaseDevice();
  return status;
}
