#include "QtScheduler.h"

#include <QMetaObject>
#include <QTimer>

namespace qv {

void QtScheduler::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

void QtScheduler::PostDelayed(int ms, std::function<void()> task) {
  QTimer::singleShot(ms, Qt::PreciseTimer, this, std::move(task));
}

}  // namespace qv
