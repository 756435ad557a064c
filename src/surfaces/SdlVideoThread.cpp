#include "surfaces/SdlVideoThread.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <chrono>

#include "base/ThreadName.h"

namespace qv {

namespace {

// How often the thread looks at the library's event queue for resets when no
// work arrives: the library offers no way to wake a waiting thread for them.
constexpr auto kEventPoll = std::chrono::milliseconds(250);

}  // namespace

SdlVideoThread::SdlVideoThread() {
  thread_ = std::thread(&SdlVideoThread::Loop, this);
  std::unique_lock lock(mutex_);
  started_.wait(lock, [this] { return ready_; });
}

SdlVideoThread::~SdlVideoThread() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void SdlVideoThread::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  wake_.notify_one();
}

void SdlVideoThread::Run(std::function<void()> task) {
  std::mutex doneMutex;
  std::condition_variable doneSignal;
  bool done = false;
  Post([&] {
    task();
    std::lock_guard lock(doneMutex);
    done = true;
    doneSignal.notify_one();
  });
  std::unique_lock lock(doneMutex);
  doneSignal.wait(lock, [&] { return done; });
}

void SdlVideoThread::SetResetHook(std::function<void()> hook) {
  std::lock_guard lock(mutex_);
  resetHook_ = std::move(hook);
}

void SdlVideoThread::Loop() {
  SetCurrentThreadName("qv-sdl-video");
  // The toolkit owns the windows; the library must not take over signals.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  const bool video = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  const bool text = video && TTF_Init() == 0;
  {
    std::lock_guard lock(mutex_);
    available_ = video;
    ready_ = true;
  }
  started_.notify_one();

  for (;;) {
    std::function<void()> task;
    std::function<void()> hook;
    {
      std::unique_lock lock(mutex_);
      wake_.wait_for(lock, kEventPoll, [this] { return quit_ || !tasks_.empty(); });
      if (quit_ && tasks_.empty()) break;
      if (!tasks_.empty()) {
        task = std::move(tasks_.front());
        tasks_.pop_front();
      }
      hook = resetHook_;
    }
    if (task) task();
    if (!video) continue;
    SDL_PumpEvents();
    SDL_Event event;
    bool reset = false;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
      reset =
          reset || event.type == SDL_RENDER_DEVICE_RESET || event.type == SDL_RENDER_TARGETS_RESET;
    }
    if (reset && hook) hook();
  }
  if (text) TTF_Quit();
  if (video) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace qv
