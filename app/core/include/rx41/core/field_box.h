#pragma once
// A text box that runs its validation when the operator leaves it.
#include <QLineEdit>
#include <functional>

namespace rx41 {

class FieldBox final : public QLineEdit {
 public:
  FieldBox(const QString& text, QWidget* parent, std::function<void()> onLostFocus);

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  std::function<void()> onLostFocus_;
};

}  // namespace rx41
