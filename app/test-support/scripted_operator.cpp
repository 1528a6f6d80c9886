#include "scripted_operator.h"

namespace rx041::test {

void ScriptedOperator::presentMessage(const QString& text, QWidget*) {
  shown << text;
  messages << text;
}

bool ScriptedOperator::presentQuestion(const QString& text, QWidget*) {
  shown << text;
  questions << text;
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

QString ScriptedOperator::nextFileName() {
  if (fileNames.empty()) return {};
  QString name = fileNames.front();
  fileNames.pop_front();
  return name;
}

QString ScriptedOperator::presentSaveDialog(const QString& title, QWidget*) {
  shown << title;
  return nextFileName();
}

QString ScriptedOperator::presentOpenDialog(const QString& title, QWidget*) {
  shown << title;
  return nextFileName();
}

void ScriptedOperator::presentModal(QDialog& window) {
  modalWindows << window.windowTitle();
  // Load the window as showing it would, without entering an event loop.
  window.setAttribute(Qt::WA_DontShowOnScreen);
  window.show();
  if (!modalHandlers.empty()) {
    ModalHandler handler = std::move(modalHandlers.front());
    modalHandlers.pop_front();
    handler(window);
  }
  if (window.isVisible()) window.close();
}

}  // namespace rx041::test
