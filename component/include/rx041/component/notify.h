#pragma once
// Messages the libraries raise for the operator. The application routes them
// to its message boxes; by default they go to standard error.
#include <functional>
#include <string_view>

namespace rx041::com {

using OperatorNotifier = std::function<void(std::string_view text)>;

void notifyOperator(std::string_view text);
// An empty notifier restores the default.
void setOperatorNotifier(OperatorNotifier notifier);

}  // namespace rx041::com
