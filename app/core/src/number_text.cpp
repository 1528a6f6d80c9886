#include "rx41/number_text.h"

#include "rx41/field_rules.h"
#include "rx41/number_entry.h"
#include "rx41/operator_interface.h"

namespace rx41 {

QString singleText(float value) {
  if (value == 0.0f) return QStringLiteral("0");  // also for -0
  return QString::number(static_cast<double>(value), 'g', 7).toUpper();
}

QString fixedDecimals(double value, int decimals) { return QString::fromStdString(fixedText(value, decimals)); }

float TextToSingle(const QString& text, OperatorInterface& operatorInterface, QWidget* owner) {
  if (text.isEmpty()) return kEmptyValue;
  if (const auto value = parseNumber(text.toStdString())) return static_cast<float>(*value);
  operatorInterface.message(QStringLiteral("Wrong Float Data Input Detected : ") + text + QStringLiteral(" !!!"),
                            owner);
  return 0.0f;
}

}  // namespace rx41
