// Time from process start to the first painted main window, beside an empty
// Qt window measured in the same run. Each sample is a fresh process: this
// program starts itself with "console" or "empty" and reads back the moment
// the window's first paint finished. Prints one "key: value" a line.
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ZulanDlg.h"
#include "support/RecordingLink.h"

extern char** environ;

namespace {

double NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Quits the application once the watched window has painted.
class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      QTimer::singleShot(0, [] {
        std::printf("%.3f\n", NowMs());
        std::fflush(stdout);
        QApplication::exit(0);
      });
      watched->removeEventFilter(this);
    }
    return false;
  }
};

int Child(int argc, char** argv, bool console) {
  QApplication app(argc, argv);
  FirstPaint probe;
  std::unique_ptr<QWidget> window;
  if (console) {
    // The console as it starts, on a link that goes nowhere; its settings in
    // a folder of its own so that no earlier run is loaded.
    const auto dir = std::filesystem::temp_directory_path() / ("qvbench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    auto dlg = std::make_unique<qv::ZulanDlg>(
        std::make_unique<qv::test::RecordingLink>(),
        qv::SettingsLocation(dir, true, qv::SettingsLocation::Environment{}));
    dlg->Start("en_US", std::filesystem::path(QV_SOURCE_DIR) / "lang");
    window = std::move(dlg);
  } else {
    window = std::make_unique<QWidget>();
    window->resize(1280, 728);
  }
  window->installEventFilter(&probe);
  window->show();
  const int result = app.exec();
  window.reset();
  std::error_code ignored;
  std::filesystem::remove_all(
      std::filesystem::temp_directory_path() / ("qvbench-" + std::to_string(getpid())), ignored);
  return result;
}

double Sample(const char* self, const char* mode) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  char* argv[] = {const_cast<char*>(self), const_cast<char*>(mode), nullptr};
  pid_t pid = -1;
  const double start = NowMs();
  if (posix_spawn(&pid, self, &actions, nullptr, argv, environ) != 0) return -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  char buffer[64] = {};
  const ssize_t n = read(fds[0], buffer, sizeof buffer - 1);
  close(fds[0]);
  waitpid(pid, nullptr, 0);
  return n > 0 ? std::atof(buffer) - start : -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) return Child(argc, argv, std::string(argv[1]) == "console");
  if (!getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::vector<double> console, empty;
  for (int i = 0; i < 7; ++i) {  // alternating, so both see the same machine
    empty.push_back(Sample(argv[0], "empty"));
    console.push_back(Sample(argv[0], "console"));
  }
  if (std::find(console.begin(), console.end(), -1.0) != console.end() ||
      std::find(empty.begin(), empty.end(), -1.0) != empty.end()) {
    std::fprintf(stderr, "bench_startup: a window did not paint\n");
    return 1;
  }
  std::printf("startup_ms: %.1f\n", Median(console));
  std::printf("empty_qt_ms: %.1f\n", Median(empty));
  std::printf("startup_ratio: %.2f\n", Median(console) / Median(empty));
  return 0;
}
