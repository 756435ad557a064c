#pragma once
// Runs reply handling on the UI thread. Tasks posted from the link's thread
// go into a queue guarded by a std::mutex, and an eventfd wakes the UI
// thread's event loop through a socket notifier: no Qt object crosses
// threads, so ThreadSanitizer sees every hand-over (Qt's own locks are
// invisible to it). Waits are single-shot timers on the UI thread. Tasks still
// queued when the scheduler goes are dropped with it, never run against
// freed pages.

#include <QObject>
#include <QSocketNotifier>
#include <deque>
#include <memory>
#include <mutex>

#include "link/Scheduler.h"

namespace qv {

class QtScheduler final : public QObject, public Scheduler {
  Q_OBJECT

 public:
  explicit QtScheduler(QObject* parent = nullptr);
  ~QtScheduler() override;

  void Post(std::function<void()> task) override;
  void PostDelayed(int ms, std::function<void()> task) override;

 private:
  void RunPosted();

  int wakeFd_ = -1;
  std::unique_ptr<QSocketNotifier> wake_;
  std::mutex mutex_;
  std::deque<std::function<void()>> posted_;  // guarded by mutex_
};

}  // namespace qv
