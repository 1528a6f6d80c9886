#include "rx41/core/event_pass.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <thread>

namespace rx41 {

void letEventsRun() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void waitLettingScreenPaint(std::chrono::milliseconds duration) {
  if (!QCoreApplication::instance()) {
    std::this_thread::sleep_for(duration);
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(duration, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace rx41
