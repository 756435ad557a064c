#include "SignalCloser.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <thread>

namespace qv {

namespace {

// What the handler may touch: lock-free atomics only. It runs on whichever
// thread the kernel picks, possibly while the destructor runs on another;
// `handlersInside` lets the destructor wait for it before closing the pipe.
std::atomic<int> pipeWriteFd{-1};
std::atomic<int> handlersInside{0};

}  // namespace

SignalCloser::SignalCloser(QObject* parent) : QObject(parent) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  readFd_ = fds[0];
  writeFd_ = fds[1];
  pipeWriteFd.store(writeFd_);

  struct sigaction action = {};
  action.sa_handler = &SignalCloser::Handle;
  sigemptyset(&action.sa_mask);
  // Slow system calls elsewhere go on instead of failing with EINTR.
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    if (::sigaction(kSignals[i], &action, &previous_[i]) != 0) {
      for (std::size_t j = 0; j < i; ++j) ::sigaction(kSignals[j], &previous_[j], nullptr);
      pipeWriteFd.store(-1);
      ::close(readFd_);
      ::close(writeFd_);
      readFd_ = writeFd_ = -1;
      return;
    }
  }
  notifier_ = std::make_unique<QSocketNotifier>(readFd_, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &SignalCloser::Drain);
}

SignalCloser::~SignalCloser() {
  if (!notifier_) return;
  notifier_.reset();
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    ::sigaction(kSignals[i], &previous_[i], nullptr);
  }
  // A handler that started before the restore may still be about to write:
  // once it is out, none can see the old descriptor any more.
  pipeWriteFd.store(-1);
  while (handlersInside.load() != 0) std::this_thread::yield();
  ::close(readFd_);
  ::close(writeFd_);
}

void SignalCloser::Handle(int signalNumber) {
  const int savedErrno = errno;
  handlersInside.fetch_add(1);
  if (const int fd = pipeWriteFd.load(); fd >= 0) {
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a request that has not been read.
    [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
  }
  handlersInside.fetch_sub(1);
  errno = savedErrno;
}

void SignalCloser::Drain() {
  unsigned char bytes[64];
  ssize_t got;
  int last = 0;
  while ((got = ::read(readFd_, bytes, sizeof bytes)) > 0) last = bytes[got - 1];
  if (last != 0) emit closeRequested(last);
}

}  // namespace qv
