#pragma once
// Conversions that make Qt values readable in GoogleTest failure output.
#include <QStringList>
#include <string>
#include <vector>

namespace rx41::testing {

inline std::vector<std::string> texts(const QStringList& list) {
  std::vector<std::string> out;
  for (const QString& text : list) out.push_back(text.toStdString());
  return out;
}

}  // namespace rx41::testing
