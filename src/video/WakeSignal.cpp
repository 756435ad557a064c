#include "video/WakeSignal.h"

#include <chrono>
#include <thread>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace qv {

namespace {

// Work that comes this soon after the last is taken without a sleep and
// wake-up; the time is small next to a picture's decoding.
constexpr auto kSpin = std::chrono::microseconds(50);

// Lets the other hyper-thread run while spinning; a yield would be a system
// call every time.
void Relax() {
#if defined(__x86_64__) || defined(__i386__)
  _mm_pause();
#else
  std::this_thread::yield();
#endif
}

}  // namespace

void WakeSignal::Notify() {
  pending_.store(true);
  if (sleeping_.load()) {
    // Taking the lock waits until the worker sleeps inside wait().
    std::lock_guard lock(mutex_);
    wake_.notify_one();
  }
}

bool WakeSignal::Wait() {
  const auto until = std::chrono::steady_clock::now() + kSpin;
  do {
    if (pending_.exchange(false, std::memory_order_acquire)) return !StopRequested();
    if (StopRequested()) return false;
    Relax();
  } while (std::chrono::steady_clock::now() < until);

  std::unique_lock lock(mutex_);
  sleeping_.store(true);
  wake_.wait(lock, [this] { return pending_.load() || stop_.load(); });
  sleeping_.store(false);
  // Read as it is cleared: work published before a later Notify is then
  // seen by the worker's next look, or that Notify stays pending.
  pending_.exchange(false);
  return !StopRequested();
}

void WakeSignal::RequestStop() {
  std::lock_guard lock(mutex_);
  stop_.store(true, std::memory_order_release);
  wake_.notify_all();
}

void WakeSignal::Reset() {
  std::lock_guard lock(mutex_);
  pending_.store(false);
  stop_.store(false, std::memory_order_release);
}

}  // namespace qv
