#pragma once
// SIGTERM and SIGINT (a logout, a shutdown, Ctrl+C in the terminal) as a Qt
// signal on the user-interface thread, so that the console closes as it does
// when its window is closed instead of dying with the project unsaved.
//
// The handler only writes a byte into a pipe, which is all a signal handler
// may safely do; a socket notifier on the thread that made this object reads
// it there. One object at a time: the handler knows only one pipe.

#include <QObject>
#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <memory>

namespace qv {

class SignalCloser final : public QObject {
  Q_OBJECT

 public:
  // Catches the signals from now on; needs a running Qt application.
  explicit SignalCloser(QObject* parent = nullptr);
  // Gives the signals back to the handlers they had before.
  ~SignalCloser() override;
  SignalCloser(const SignalCloser&) = delete;
  SignalCloser& operator=(const SignalCloser&) = delete;

  // False when the pipe could not be made or the handlers not set: the
  // signals then end the process as before.
  bool catching() const { return notifier_ != nullptr; }

 signals:
  // Once per signal caught, or once for several that came together. A
  // repeat while the console is closing must be harmless to whoever listens.
  void closeRequested(int signalNumber);

 private:
  static void Handle(int signalNumber);
  void Drain();

  static constexpr std::array<int, 2> kSignals = {SIGTERM, SIGINT};
  int readFd_ = -1;
  int writeFd_ = -1;
  std::array<struct sigaction, kSignals.size()> previous_{};
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace qv
