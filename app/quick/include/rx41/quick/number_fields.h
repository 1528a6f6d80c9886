#pragma once
// The numbers the operator types into the settings fields: when a text counts
// as a number, how a number is shown, and what each kind of field does with a
// text when the operator leaves it.
#include <QString>
#include <optional>

class QWidget;

namespace rx41 {

class OperatorInterface;

// The value of an empty angle, and of an empty text given to TextToSingle.
inline constexpr float kEmptyValue = 500.0f;

// A decimal number, optionally signed, with an optional upper-case exponent
// ("1E5"), blanks around it allowed. A lower-case "e" anywhere makes the text
// not a number. Computed in double precision, so "1E50" is a (too large)
// number rather than an overflow.
std::optional<double> parseNumber(const QString& text);

// Two decimals, halves away from zero ("0.00").
QString twoDecimals(double value);

// "" gives kEmptyValue and a number its value; any other text is reported to
// the operator ("Wrong Float Data Input Detected : ...") and gives 0.
float TextToSingle(const QString& text, OperatorInterface& operatorInterface, QWidget* owner);

// What leaving a field does to its text, by kind of field. The lower limit is
// always 0, and a value below it becomes 0.
struct FieldRule {
  QString notANumberText;  // the text a non-number is replaced by
  float notANumberValue;
  bool reportsNotANumber;  // a non-empty non-number is also reported
  bool zeroIsTooSmall;     // 0 itself is below the range (levels)
  QString tooSmallText;
  double upperLimit;
  bool upperLimitIncluded;  // the limit itself is still in range
  QString tooLargeText;
  float tooLargeValue;
};

struct FieldOutcome {
  QString text;
  float value;
  bool reportNotANumber;  // tell the operator the entry was refused
};

// In range the value is the number as typed, and the text shows it with two decimals.
FieldOutcome applyFieldRule(const FieldRule& rule, const QString& text);

extern const FieldRule kDpRule;
extern const FieldRule kClampHighRule;
extern const FieldRule kClampLowRule;
extern const FieldRule kAngleRule;
extern const FieldRule kLevelRule;

// The message a refused angle or level entry shows (string table id 110).
extern const QString kInvalidInputText;

}  // namespace rx41
