#pragma once
// A scheduler for programs without a GUI event loop (qvctl, end-to-end
// tests): tasks posted from any thread run on the thread that calls RunUntil.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "Scheduler.h"

namespace qv {

class EventLoop final : public Scheduler {
 public:
  using Clock = std::chrono::steady_clock;

  void Post(std::function<void()> task) override;
  void PostDelayed(int ms, std::function<void()> task) override;

  // Runs tasks and due timers until `done` holds or `timeout` passes; returns `done()`.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
  void RunFor(std::chrono::milliseconds duration) {
    RunUntil([] { return false; }, duration);
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> tasks_;
  std::multimap<Clock::time_point, std::function<void()>> timers_;
};

}  // namespace qv
