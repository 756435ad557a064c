#include "EventLoop.h"

namespace qv {

void EventLoop::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  wake_.notify_one();
}

void EventLoop::PostDelayed(int ms, std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    timers_.emplace(Clock::now() + std::chrono::milliseconds(ms), std::move(task));
  }
  wake_.notify_one();
}

bool EventLoop::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  while (!done()) {
    std::function<void()> task;
    {
      std::unique_lock lock(mutex_);
      for (;;) {
        if (!tasks_.empty()) {
          task = std::move(tasks_.front());
          tasks_.pop_front();
          break;
        }
        const Clock::time_point now = Clock::now();
        if (!timers_.empty() && timers_.begin()->first <= now) {
          task = std::move(timers_.begin()->second);
          timers_.erase(timers_.begin());
          break;
        }
        if (now >= deadline) return done();
        const Clock::time_point until =
            timers_.empty() ? deadline : std::min(deadline, timers_.begin()->first);
        wake_.wait_until(lock, until);
      }
    }
    task();
  }
  return true;
}

}  // namespace qv
