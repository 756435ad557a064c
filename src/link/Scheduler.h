#pragma once
#include <functional>

namespace qv {

// The thread that owns the model: replies hop onto it, and the waits between a
// reply and its follow-up requests are timers on it instead of sleeps.
class Scheduler {
 public:
  virtual ~Scheduler() = default;
  // Runs `task` on the owner thread, in posting order. Callable from any thread.
  virtual void Post(std::function<void()> task) = 0;
  // Runs `task` on the owner thread after `ms` milliseconds. Called on the owner thread.
  virtual void PostDelayed(int ms, std::function<void()> task) = 0;
};

}  // namespace qv
