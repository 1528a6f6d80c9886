#include "rx041/component/notify.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace rx041::com {
namespace {

std::mutex notifierMutex;
OperatorNotifier& currentNotifier() {
  static OperatorNotifier notifier;
  return notifier;
}

}  // namespace

void notifyOperator(std::string_view text) {
  OperatorNotifier notifier;
  {
    std::lock_guard lock(notifierMutex);
    notifier = currentNotifier();
  }
  if (notifier) {
    notifier(text);
    return;
  }
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

void setOperatorNotifier(OperatorNotifier notifier) {
  std::lock_guard lock(notifierMutex);
  currentNotifier() = std::move(notifier);
}

}  // namespace rx041::com
