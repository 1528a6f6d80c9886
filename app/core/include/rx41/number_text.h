#pragma once
#include <QString>

namespace rx41 {

// A single-precision value in its shortest general form, at most 7
// significant digits: 0.2777778, 0, -12.5, 1.234568E+07.
QString singleText(float value);

}  // namespace rx41
