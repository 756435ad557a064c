#include "widgets/QtScheduler.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QTimer>

namespace qv {

QtScheduler::QtScheduler(QObject* parent)
    : QObject(parent), wakeFd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  wake_ = std::make_unique<QSocketNotifier>(wakeFd_, QSocketNotifier::Read);
  connect(wake_.get(), &QSocketNotifier::activated, this, &QtScheduler::RunPosted);
}

QtScheduler::~QtScheduler() {
  wake_.reset();
  if (wakeFd_ >= 0) ::close(wakeFd_);
}

void QtScheduler::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(task));
  }
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
}

void QtScheduler::PostDelayed(int ms, std::function<void()> task) {
  QTimer::singleShot(ms, Qt::PreciseTimer, this, std::move(task));
}

void QtScheduler::RunPosted() {
  uint64_t count = 0;
  [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(posted_);
  }
  for (auto& task : batch) task();
}

}  // namespace qv
