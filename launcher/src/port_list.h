#pragma once
// The console's port choice: a drop-down list that asks to be refilled each
// time it is dropped down, so a port plugged in meanwhile shows up.
#include <QComboBox>

namespace rx041::launcher {

class PortList : public QComboBox {
  Q_OBJECT
 public:
  using QComboBox::QComboBox;

  void showPopup() override {
    emit aboutToDropDown();
    QComboBox::showPopup();
  }

 signals:
  void aboutToDropDown();
};

}  // namespace rx041::launcher
