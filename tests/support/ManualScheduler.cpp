#include "ManualScheduler.h"

namespace qv::test {

void ManualScheduler::Post(std::function<void()> task) {
  std::lock_guard lock(mutex_);
  posted_.push_back(std::move(task));
}

void ManualScheduler::PostDelayed(int ms, std::function<void()> task) {
  timers_.emplace(now_ + ms, std::move(task));
}

void ManualScheduler::RunPending() {
  for (;;) {
    std::vector<std::function<void()>> batch;
    {
      std::lock_guard lock(mutex_);
      batch.swap(posted_);
    }
    if (batch.empty()) return;
    for (auto& task : batch) task();
  }
}

void ManualScheduler::Advance(int ms) {
  const int64_t end = now_ + ms;
  RunPending();
  while (!timers_.empty() && timers_.begin()->first <= end) {
    auto it = timers_.begin();
    now_ = it->first;
    auto task = std::move(it->second);
    timers_.erase(it);
    task();
    RunPending();
  }
  now_ = end;
}

}  // namespace qv::test
