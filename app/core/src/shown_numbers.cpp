#include "rx41/core/shown_numbers.h"

#include "rx41/core/operator_sink.h"
#include "rx41/rules/field_rules.h"
#include "rx41/rules/number_entry.h"

namespace rx41 {

QString singleText(float value) { return QString::fromStdString(shortestText(value)); }

QString fixedDecimals(double value, int decimals) { return QString::fromStdString(fixedText(value, decimals)); }

float TextToSingle(const QString& text, OperatorInterface& operatorInterface, QWidget* owner) {
  return TextToSingle(text.toStdString(), operatorSink(operatorInterface, owner)).value_or(0.0f);
}

}  // namespace rx41
