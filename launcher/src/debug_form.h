#pragma once
// The raw command console DebugForm: builds programmer command frames from a
// command list for the selected part, sends them unchanged over a COM port of
// its own and shows everything the board answers, newest first.
#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace rx41 {
class OperatorInterface;
}

namespace rx041::launcher {

class ConsolePort;
class PortList;

class DebugForm : public QDialog {
  Q_OBJECT
 public:
  explicit DebugForm(rx41::OperatorInterface& operatorInterface, QWidget* parent = nullptr);
  ~DebugForm() override;

  // Fills the command list with a group's items (the group options call it).
  void refillCommandList(int group);
  // Builds the selected item's frame into the command text.
  void buildCommandText();
  // Lists the COM ports that can be used.
  void refreshPorts();
  void openPort();
  void sendCommand();

 private:
  void showReceived(const QByteArray& bytes);
  void reportLineLost(int comNumber);
  QChar selectedPart() const;

  rx41::OperatorInterface& operator_;
  QButtonGroup* commandTypes_;
  QButtonGroup* parts_;
  QListWidget* commandList_;
  QLineEdit* commandText_;
  QLineEdit* address_;
  QLineEdit* data_;
  PortList* ports_;
  QPlainTextEdit* receiveBox_;
  ConsolePort* port_;
};

}  // namespace rx041::launcher
