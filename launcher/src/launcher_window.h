#pragma once
// The launcher window Main: one button per working mode of rx41, grouped by
// single and dual source, the logo, and the blank spot that opens the console.
#include <QStringList>
#include <QWidget>

namespace rx41 {
class OperatorInterface;
}

namespace rx041::launcher {

class LauncherWindow : public QWidget {
  Q_OBJECT
 public:
  // searchDirectories: where rx41 is looked for, in order.
  LauncherWindow(rx41::OperatorInterface& operatorInterface, QStringList searchDirectories, QWidget* parent = nullptr);

  // Starts rx41 in the mode and closes; reports and stays open when it cannot.
  void launch(int mode);
  void openDebugConsole();

 private:
  rx41::OperatorInterface& operator_;
  QStringList searchDirectories_;
};

}  // namespace rx041::launcher
