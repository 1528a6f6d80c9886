#include "rx41/display/display_form.h"

#include "rx41/operator/control_names.h"

namespace rx41 {

DisplayForm::DisplayForm(const QString& className, const QString& caption, QWidget* owner) : QDialog(owner) {
  setControlName(*this, className);
  setWindowTitle(caption);
}

void DisplayForm::showEvent(QShowEvent* event) {
  if (!loaded_) {
    loaded_ = true;
    Form_Load();
  }
  QDialog::showEvent(event);
}

}  // namespace rx41
