#pragma once
// The operator of window tests: records every text the program shows and
// answers questions, file dialogs and modal windows from prepared lists.
#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

#include "rx41/operator/operator_interface.h"

namespace rx041::test {

class ScriptedOperator final : public rx41::OperatorInterface {
 public:
  using ModalHandler = std::function<void(QDialog& window)>;

  // Every message, question and dialog title, in the order shown.
  QStringList shown;
  QStringList messages;
  QStringList questions;

  // Answers consumed in order. With none left, a question is answered No, a
  // file dialog is cancelled and a modal window is closed as with its close box.
  std::deque<bool> answers;
  std::deque<QString> fileNames;
  std::deque<ModalHandler> modalHandlers;

  // The windows shown modally, by title.
  QStringList modalWindows;

 protected:
  void presentMessage(const QString& text, QWidget* owner) override;
  bool presentQuestion(const QString& text, QWidget* owner) override;
  QString presentSaveDialog(const QString& title, QWidget* owner) override;
  QString presentOpenDialog(const QString& title, QWidget* owner) override;
  void presentModal(QDialog& window) override;

 private:
  QString nextFileName();
};

}  // namespace rx041::test
