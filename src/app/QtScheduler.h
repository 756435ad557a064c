#pragma once
// Runs reply handling on the UI thread: tasks posted from the link's thread
// arrive as queued calls, waits become single-shot timers. Tasks posted after
// the scheduler is gone are dropped with it, never run against freed pages.

#include <QObject>

#include "link/Scheduler.h"

namespace qv {

class QtScheduler final : public QObject, public Scheduler {
  Q_OBJECT

 public:
  explicit QtScheduler(QObject* parent = nullptr) : QObject(parent) {}

  void Post(std::function<void()> task) override;
  void PostDelayed(int ms, std::function<void()> task) override;
};

}  // namespace qv
