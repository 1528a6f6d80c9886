// rx041-programmer: the launcher that starts rx41 in the chosen working mode.
#include <QApplication>
#include <QDir>

#include "launcher_window.h"
#include "rx41/qt_operator.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("RX041 Programmer"));
  rx41::QtOperator screenOperator;
  // rx41 is looked for where the operator started the launcher, then beside it.
  rx041::launcher::LauncherWindow window(screenOperator, {QDir::currentPath(), QCoreApplication::applicationDirPath()});
  window.show();
  return QApplication::exec();
}
