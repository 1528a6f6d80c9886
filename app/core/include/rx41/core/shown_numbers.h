#pragma once
// Numbers as the windows show and read them.
#include <QString>

class QWidget;

namespace rx41 {

class OperatorInterface;

// A single-precision value in its shortest general form, at most 7
// significant digits: 0.2777778, 0, -12.5, 1.234568E+07.
QString singleText(float value);

// The value with that many decimals ("0.00", "0.000", "0.0000" formats).
QString fixedDecimals(double value, int decimals);

// "" gives kEmptyValue and a number its value; any other text is reported to
// the operator ("Wrong Float Data Input Detected : ...") and gives 0.
float TextToSingle(const QString& text, OperatorInterface& operatorInterface, QWidget* owner);

}  // namespace rx41
