#pragma once
// Hands the Qt-free parts' messages (the curve computation's) to the operator.
#include <QString>
#include <QWidget>

#include "rx41/operator/operator_interface.h"
#include "rx41/rules/curve_math.h"

namespace rx41 {

inline MessageSink operatorSink(OperatorInterface& operatorInterface, QWidget* owner = nullptr) {
  return [&operatorInterface, owner](const std::string& text) {
    operatorInterface.message(QString::fromStdString(text), owner);
  };
}

}  // namespace rx41
