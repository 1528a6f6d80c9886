#include "rx41/number_text.h"

namespace rx41 {

QString singleText(float value) {
  if (value == 0.0f) return QStringLiteral("0");  // also for -0
  return QString::number(static_cast<double>(value), 'g', 7).toUpper();
}

}  // namespace rx41
