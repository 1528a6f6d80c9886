#pragma once
// Starting the main program rx41 in a working mode, as a process of its own.
#include <QString>
#include <QStringList>

namespace rx041::launcher {

struct MainProgramStart {
  bool started = false;
  QStringList pathsTried;  // in the order looked at
};

// Looks for rx41 in each directory in turn and starts the first that runs,
// with the single argument "/" + mode, without a shell and without waiting.
MainProgramStart startMainProgram(const QStringList& searchDirectories, int mode);

}  // namespace rx041::launcher
