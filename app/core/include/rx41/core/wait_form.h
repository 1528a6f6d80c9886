#pragma once
// The modeless notice the working windows show during long operations.
#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;

namespace rx41 {

class waitform final : public QDialog {
 public:
  explicit waitform(QWidget* owner = nullptr);

  // Stores the text the window shows (Label1).
  void Init(const QString& text);
  // Replaces the shown text at once.
  void TextChange(const QString& text);
  QString text() const;

 private:
  QLabel* Label1_;
};

// A waitform over the owner for the life of this object: shown with the text
// and repainted before the constructor returns, closed by the destructor.
class WaitNotice {
 public:
  WaitNotice(QWidget* owner, const QString& text);
  ~WaitNotice();
  WaitNotice(const WaitNotice&) = delete;
  WaitNotice& operator=(const WaitNotice&) = delete;

  // TextChange, then lets the window repaint.
  void change(const QString& text);
  waitform* window() const { return form_; }

 private:
  QPointer<waitform> form_;
};

}  // namespace rx41
