#include "rx41/number_text.h"

#include "rx41/field_rules.h"
#include "rx41/number_entry.h"
#include "rx41/operator_sink.h"

namespace rx41 {

QString singleText(float value) {
  if (value == 0.0f) return QStringLiteral("0");  // also for -0
  return QString::number(static_cast<double>(value), 'g', 7).toUpper();
}

QString fixedDecimals(double value, int decimals) { return QString::fromStdString(fixedText(value, decimals)); }

float TextToSingle(const QString& text, OperatorInterface& operatorInterface, QWidget* owner) {
  return TextToSingle(text.toStdString(), operatorSink(operatorInterface, owner)).value_or(0.0f);
}

}  // namespace rx41
