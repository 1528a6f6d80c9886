// rx041-programmer: the launcher that starts rx41 in the chosen working mode.
#include <CLI/CLI.hpp>
#include <QApplication>
#include <QDir>

#include "launcher_window.h"
#include "rx041/version.h"
#include "rx41/operator/qt_operator.h"

int main(int argc, char* argv[]) {
  // --help and --version are answered before Qt needs a display; anything
  // else (-platform, -style, ...) is left to QApplication.
  CLI::App commandLine{
      "RX041 Programmer: the launcher of the RX41 bench software. Each button starts rx41 in one working mode\n"
      "(rx41 /0 .. rx41 /6) and closes the launcher; the blank area at the top right opens a raw command\n"
      "console for the programmer board."};
  commandLine.set_version_flag("--version", rx041::versionLine("rx041-programmer"));
  commandLine.allow_extras();
  commandLine.footer("rx41 is looked for in the current directory first, then beside rx041-programmer.");
  CLI11_PARSE(commandLine, argc, argv);

  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("RX041 Programmer"));
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("com.zentavo.rx041programmer"));
  rx41::QtOperator screenOperator;
  // rx41 is looked for where the operator started the launcher, then beside it.
  rx041::launcher::LauncherWindow window(screenOperator, {QDir::currentPath(), QCoreApplication::applicationDirPath()});
  window.show();
  return QApplication::exec();
}
