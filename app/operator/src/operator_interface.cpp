#include "rx41/operator/operator_interface.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMetaObject>
#include <QThread>

#include "rx041/component/notify.h"

Q_LOGGING_CATEGORY(rx41Operator, "rx41.operator")

namespace rx41 {

void OperatorInterface::message(const QString& text, QWidget* owner) {
  qCInfo(rx41Operator).noquote() << "message:" << text;
  presentMessage(text, owner);
}

bool OperatorInterface::askYesNo(const QString& text, QWidget* owner) {
  qCInfo(rx41Operator).noquote() << "question:" << text;
  const bool yes = presentQuestion(text, owner);
  qCInfo(rx41Operator).noquote() << "answer:" << (yes ? "Yes" : "No");
  return yes;
}

QString OperatorInterface::saveFileName(const QString& title, QWidget* owner) {
  qCInfo(rx41Operator).noquote() << "save dialog:" << title;
  const QString name = presentSaveDialog(title, owner);
  qCInfo(rx41Operator).noquote() << "chosen:" << (name.isEmpty() ? QStringLiteral("(cancelled)") : name);
  return name;
}

QString OperatorInterface::openFileName(const QString& title, QWidget* owner) {
  qCInfo(rx41Operator).noquote() << "open dialog:" << title;
  const QString name = presentOpenDialog(title, owner);
  qCInfo(rx41Operator).noquote() << "chosen:" << (name.isEmpty() ? QStringLiteral("(cancelled)") : name);
  return name;
}

void OperatorInterface::runModal(QDialog& window) {
  qCInfo(rx41Operator).noquote() << "window:" << window.windowTitle();
  presentModal(window);
}

LibraryNotifications::LibraryNotifications(OperatorInterface& operatorInterface) {
  rx041::com::setOperatorNotifier([&operatorInterface](std::string_view text) {
    const QString message = QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
      // A library thread (the channel's reader) must not open a window itself.
      QMetaObject::invokeMethod(
          app, [&operatorInterface, message] { operatorInterface.message(message); }, Qt::QueuedConnection);
      return;
    }
    operatorInterface.message(message);
  });
}

LibraryNotifications::~LibraryNotifications() { rx041::com::setOperatorNotifier({}); }

}  // namespace rx41
