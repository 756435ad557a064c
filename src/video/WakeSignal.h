#pragma once
#include <atomic>
#include <condition_variable>
#include <mutex>

namespace qv {

// Lets a worker thread wait until there is work or it is told to stop. A
// notification that comes while the worker is busy is kept, so work published
// before Notify is never slept through. The worker spins for a moment before
// it sleeps: blocks and pictures come in bursts, and a sleep and wake-up per
// item would cost more than the item.
class WakeSignal {
 public:
  // Any thread, after publishing the work. Costs no system call while the
  // worker is awake.
  void Notify();
  // Worker: returns once notified or stopped; false once stopped.
  bool Wait();
  bool StopRequested() const { return stop_.load(std::memory_order_acquire); }

  void RequestStop();
  // Before a new worker starts.
  void Reset();

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  // Notify and Wait each write one of these and then read the other, so that
  // at least one of them sees the other's write (both sequentially consistent).
  std::atomic<bool> pending_{false};
  std::atomic<bool> sleeping_{false};
  std::atomic<bool> stop_{false};
};

}  // namespace qv
