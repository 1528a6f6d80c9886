#pragma once
// The port window: the operator picks the COM port of the programmer, or
// chooses to work offline. Shown modally for one connect attempt.
#include <QDialog>
#include <cstdint>

#include "rx41/operator/operator_interface.h"

class QComboBox;

namespace rx41 {

class frmComport final : public QDialog {
 public:
  explicit frmComport(OperatorInterface& operatorInterface, QWidget* owner = nullptr);

  // The port accepted with "OK", or 0 (offline) when the operator chose "Do
  // not connect", closed the window or had no valid port accepted.
  std::int16_t SelectedCOM() const { return selected_; }

  // Lists the usable COM ports in Port; disables Port when there is none.
  // Runs at load and each time the list drops down.
  void RefreshPorts();

 private:
  void acceptPort();

  OperatorInterface& operator_;
  QComboBox* Port_;
  std::int16_t selected_ = 0;
};

}  // namespace rx41
