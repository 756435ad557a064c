// Test main for window-side tests: one QApplication for the whole run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QThreadPool>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
#if defined(__SANITIZE_THREAD__)
  // Qt's raster engine splits large fills and conversions over its thread
  // pool and orders them with its own futex locks, which ThreadSanitizer
  // cannot see (Qt is not instrumented). One pooled thread leaves only the
  // hand-over from the UI thread, which tests/tsan.supp names.
  QThreadPool::globalInstance()->setMaxThreadCount(1);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
