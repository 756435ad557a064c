#pragma once
// The one thread that talks to the rendering library. SDL's video calls are
// not thread-safe and a renderer belongs to the thread that made it, so
// every surface hands its work here: creation from a native window, uploads,
// presents, resizes and destruction. The thread also watches for the
// library's render-device resets and reports them through the reset hook.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace qv {

class SdlVideoThread {
 public:
  SdlVideoThread();
  ~SdlVideoThread();
  SdlVideoThread(const SdlVideoThread&) = delete;
  SdlVideoThread& operator=(const SdlVideoThread&) = delete;

  // False when the library could not start video (no display): surfaces
  // then stand in with the toolkit's own drawing.
  bool available() const { return available_; }

  // Runs `task` on the video thread, after the tasks posted before it.
  void Post(std::function<void()> task);
  // As Post, and waits until it has run.
  void Run(std::function<void()> task);

  // Called on the video thread when the library says its render targets or
  // device must be made again; the hook only passes the news on.
  void SetResetHook(std::function<void()> hook);

 private:
  void Loop();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable started_;
  std::deque<std::function<void()>> tasks_;  // guarded by mutex_
  std::function<void()> resetHook_;          // guarded by mutex_
  bool quit_ = false;                        // guarded by mutex_
  bool ready_ = false;                       // guarded by mutex_
  bool available_ = false;                   // written once before the constructor returns
  std::thread thread_;
};

}  // namespace qv
