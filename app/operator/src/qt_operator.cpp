#include "rx41/operator/qt_operator.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

namespace rx41 {
namespace {

// On a platform without a screen no one can answer a box: the text is in the
// log already, and a question counts as No.
bool screenless() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

}  // namespace

void QtOperator::presentMessage(const QString& text, QWidget* owner) {
  if (screenless()) return;
  QMessageBox::information(owner, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

bool QtOperator::presentQuestion(const QString& text, QWidget* owner) {
  if (screenless()) return false;
  return QMessageBox::question(owner, QApplication::applicationDisplayName(), text,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString QtOperator::presentSaveDialog(const QString& title, QWidget* owner) {
  // The callers ask their own overwrite question and add the extension.
  return QFileDialog::getSaveFileName(owner, title, QString(), QString(), nullptr, QFileDialog::DontConfirmOverwrite);
}

QString QtOperator::presentOpenDialog(const QString& title, QWidget* owner) {
  return QFileDialog::getOpenFileName(owner, title);
}

void QtOperator::presentModal(QDialog& window) { window.exec(); }

}  // namespace rx41
