#include "rx41/qt_operator.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace rx41 {

void QtOperator::presentMessage(const QString& text, QWidget* owner) {
  QMessageBox::information(owner, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

bool QtOperator::presentQuestion(const QString& text, QWidget* owner) {
  return QMessageBox::question(owner, QApplication::applicationDisplayName(), text,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString QtOperator::presentSaveDialog(const QString& title, QWidget* owner) {
  // The callers ask their own overwrite question and add the extension.
  return QFileDialog::getSaveFileName(owner, title, QString(), QString(), nullptr,
                                      QFileDialog::DontConfirmOverwrite);
}

QString QtOperator::presentOpenDialog(const QString& title, QWidget* owner) {
  return QFileDialog::getOpenFileName(owner, title);
}

void QtOperator::presentModal(QDialog& window) { window.exec(); }

}  // namespace rx41
