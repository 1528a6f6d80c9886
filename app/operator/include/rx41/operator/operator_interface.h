#pragma once
// The one way windows talk to the operator: message boxes, yes/no questions,
// file dialogs and modal windows. Windows receive an OperatorInterface, so tests
// can answer them without blocking. Every text shown is also logged under the
// category "rx41.operator", so a session can be reviewed afterwards.
#include <QLoggingCategory>
#include <QString>

class QDialog;
class QWidget;

Q_DECLARE_LOGGING_CATEGORY(rx41Operator)

namespace rx41 {

class OperatorInterface {
 public:
  virtual ~OperatorInterface() = default;

  // A message box with an OK button.
  void message(const QString& text, QWidget* owner = nullptr);
  // A Yes/No question; true for Yes.
  bool askYesNo(const QString& text, QWidget* owner = nullptr);
  // The standard file dialogs; an empty name means the operator cancelled.
  QString saveFileName(const QString& title, QWidget* owner = nullptr);
  QString openFileName(const QString& title, QWidget* owner = nullptr);
  // Shows the window modally and returns once it is hidden or closed.
  void runModal(QDialog& window);

 protected:
  virtual void presentMessage(const QString& text, QWidget* owner) = 0;
  virtual bool presentQuestion(const QString& text, QWidget* owner) = 0;
  virtual QString presentSaveDialog(const QString& title, QWidget* owner) = 0;
  virtual QString presentOpenDialog(const QString& title, QWidget* owner) = 0;
  virtual void presentModal(QDialog& window) = 0;
};

// Routes the messages the component libraries raise (through the runtime's
// notification hook) to the operator, on the window thread whichever thread
// raised them. The returned guard restores the default when it goes.
class LibraryNotifications {
 public:
  explicit LibraryNotifications(OperatorInterface& operatorInterface);
  ~LibraryNotifications();
  LibraryNotifications(const LibraryNotifications&) = delete;
  LibraryNotifications& operator=(const LibraryNotifications&) = delete;
};

}  // namespace rx41
