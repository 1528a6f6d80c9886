#pragma once
// A blank spot of a window that reacts to a click: the console's hidden entry.
#include <QMouseEvent>
#include <QWidget>

namespace rx041::launcher {

class ClickableArea : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QWidget::mouseReleaseEvent(event);
  }
};

}  // namespace rx041::launcher
