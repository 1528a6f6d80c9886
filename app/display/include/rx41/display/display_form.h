#pragma once
// The shape of the display and diagnostic windows: a dialog that the calling
// window sets up with Init, shows modally through the operator interface and
// then destroys. The window loads (Form_Load) when it is first shown, so that
// it starts from what Init set.
#include <QDialog>
#include <QString>

namespace rx41 {

class DisplayForm : public QDialog {
 protected:
  // className is the window's design name, caption its title.
  DisplayForm(const QString& className, const QString& caption, QWidget* owner);

  virtual void Form_Load() = 0;
  void showEvent(QShowEvent* event) override;

 private:
  bool loaded_ = false;
};

}  // namespace rx41
