#include "rx41/event_pass.h"

#include <QCoreApplication>

namespace rx41 {

void letEventsRun() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

}  // namespace rx41
