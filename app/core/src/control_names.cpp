#include "rx41/control_names.h"

namespace rx41 {

QString arrayControlName(const QString& name, int index) { return QStringLiteral("%1(%2)").arg(name).arg(index); }

void setControlName(QWidget& control, const QString& name) {
  control.setObjectName(name);
  control.setAccessibleName(name);
}

void setControlName(QWidget& control, const QString& name, int index) {
  setControlName(control, arrayControlName(name, index));
}

}  // namespace rx41
