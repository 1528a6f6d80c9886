#include "main_program.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace rx041::launcher {

MainProgramStart startMainProgram(const QStringList& searchDirectories, int mode) {
  MainProgramStart result;
  const QStringList arguments{QStringLiteral("/%1").arg(mode)};
  for (const QString& directory : searchDirectories) {
    const QString path = QDir::cleanPath(QDir(directory).absoluteFilePath(QStringLiteral("rx41")));
    if (result.pathsTried.contains(path)) continue;
    result.pathsTried << path;
    if (!QFileInfo(path).isFile()) continue;
    if (QProcess::startDetached(path, arguments)) {
      result.started = true;
      return result;
    }
  }
  return result;
}

}  // namespace rx041::launcher
