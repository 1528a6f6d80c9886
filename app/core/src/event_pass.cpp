#include "rx41/core/event_pass.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "rx041/component/clock.h"

namespace rx41 {

void letEventsRun() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void waitLettingScreenPaint(std::chrono::milliseconds duration) {
  if (!QCoreApplication::instance() || !rx041::com::fixedWaitsAreReal()) {
    rx041::com::fixedWait(duration);
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(duration, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace rx41
