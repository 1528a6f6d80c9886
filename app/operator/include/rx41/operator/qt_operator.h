#pragma once
#include "rx41/operator/operator_interface.h"

namespace rx41 {

// The operator at the screen: Qt message boxes and file dialogs titled with
// the application's name.
class QtOperator final : public OperatorInterface {
 protected:
  void presentMessage(const QString& text, QWidget* owner) override;
  bool presentQuestion(const QString& text, QWidget* owner) override;
  QString presentSaveDialog(const QString& title, QWidget* owner) override;
  QString presentOpenDialog(const QString& title, QWidget* owner) override;
  void presentModal(QDialog& window) override;
};

}  // namespace rx41
