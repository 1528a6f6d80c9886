#include "rx41/core/field_box.h"

#include <QFocusEvent>

namespace rx41 {

FieldBox::FieldBox(const QString& text, QWidget* parent, std::function<void()> onLostFocus)
    : QLineEdit(text, parent), onLostFocus_(std::move(onLostFocus)) {}

void FieldBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Another window coming up (a message box, the wait window) is not the
  // operator leaving the field; validating then would run it twice.
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
  onLostFocus_();
}

}  // namespace rx41
