#include "rx41/quick/number_fields.h"

#include <QRegularExpression>
#include <cmath>

#include "rx41/operator_interface.h"

namespace rx41 {

const FieldRule kDpRule{"260.00", 260.0f, false, false, "0", 360.0, false, "359.99", 359.99f};
const FieldRule kClampHighRule{"95.00", 95.0f, false, false, "0", 100.0, true, "100.00", 100.0f};
const FieldRule kClampLowRule{"5.00", 5.0f, false, false, "0", 100.0, true, "100", 100.0f};
const FieldRule kAngleRule{"", kEmptyValue, true, false, "0", 360.0, false, "359.99", 359.99f};
const FieldRule kLevelRule{"", 0.0f, true, true, "0.00", 100.0, true, "100.00", 100.0f};

const QString kInvalidInputText = QStringLiteral("Input is Invalid! Restoring to default\u2026 Please try again!");

std::optional<double> parseNumber(const QString& text) {
  static const QRegularExpression decimal(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)(E[+-]?\d+)?\s*$)"));
  if (!decimal.match(text).hasMatch()) return std::nullopt;
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  // An exponent beyond the double range is no number anyone typed on purpose.
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

QString twoDecimals(double value) {
  // + 0.0 turns -0 into 0, so "-0" shows as "0.00".
  return QString::number(value + 0.0, 'f', 2);
}

float TextToSingle(const QString& text, OperatorInterface& operatorInterface, QWidget* owner) {
  if (text.isEmpty()) return kEmptyValue;
  if (const auto value = parseNumber(text)) return static_cast<float>(*value);
  operatorInterface.message(QStringLiteral("Wrong Float Data Input Detected : ") + text + QStringLiteral(" !!!"),
                            owner);
  return 0.0f;
}

FieldOutcome applyFieldRule(const FieldRule& rule, const QString& text) {
  const auto value = parseNumber(text);
  if (!value) return {rule.notANumberText, rule.notANumberValue, rule.reportsNotANumber && !text.isEmpty()};
  if (*value < 0.0 || (rule.zeroIsTooSmall && *value == 0.0)) return {rule.tooSmallText, 0.0f, false};
  if (*value > rule.upperLimit || (!rule.upperLimitIncluded && *value == rule.upperLimit))
    return {rule.tooLargeText, rule.tooLargeValue, false};
  return {twoDecimals(*value), static_cast<float>(*value), false};
}

}  // namespace rx41
