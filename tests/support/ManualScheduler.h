#pragma once
// A scheduler driven by the test: posted tasks run when the test says so, and
// time advances only through Advance, so waits are exact and instant.

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "link/Scheduler.h"

namespace qv::test {

class ManualScheduler : public Scheduler {
 public:
  void Post(std::function<void()> task) override;
  void PostDelayed(int ms, std::function<void()> task) override;

  // Runs posted tasks (and those they post) until none is left.
  void RunPending();
  // Moves the clock forward, running every task that falls due, in time order.
  void Advance(int ms);
  int64_t Now() const { return now_; }
  bool HasTimers() const { return !timers_.empty(); }

 private:
  std::mutex mutex_;  // Post comes from other threads in the threaded tests
  std::vector<std::function<void()>> posted_;
  std::multimap<int64_t, std::function<void()>> timers_;
  int64_t now_ = 0;
};

}  // namespace qv::test
