#include "rx41/operator/control_names.h"

namespace rx41 {

QString arrayControlName(const QString& name, int index) { return QStringLiteral("%1(%2)").arg(name).arg(index); }

void setControlName(QWidget& control, const QString& name) {
  control.setObjectName(name);
  control.setAccessibleDescription(name);
  // An accessible name set here would hide the caption or text that changes.
  control.setAccessibleName(QString());
}

void setControlName(QWidget& control, const QString& name, int index) {
  setControlName(control, arrayControlName(name, index));
}

QString designNameOf(const QWidget& control) {
  return control.accessibleDescription() == control.objectName() ? control.objectName() : QString();
}

}  // namespace rx41
