#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <thread>

#include "widgets/QtScheduler.h"

namespace qv {
namespace {

void ProcessUntil(const std::function<bool()>& done, int ms = 2000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
}

TEST(QtScheduler, RunsTasksFromOtherThreadsOnTheUiThreadInOrder) {
  QtScheduler scheduler;
  std::vector<int> order;
  std::thread::id ran;
  std::thread other([&] {
    for (int i = 0; i < 100; ++i) {
      scheduler.Post([&, i] {
        order.push_back(i);
        ran = std::this_thread::get_id();
      });
    }
  });
  other.join();
  ProcessUntil([&] { return order.size() == 100; });
  ASSERT_EQ(order.size(), 100u);
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
  EXPECT_EQ(ran, std::this_thread::get_id());
}

TEST(QtScheduler, DelayedTasksWaitAndDieWithTheScheduler) {
  bool ran = false;
  {
    QtScheduler scheduler;
    QElapsedTimer t;
    t.start();
    scheduler.PostDelayed(50, [&] { ran = true; });
    ProcessUntil([&] { return ran; });
    EXPECT_TRUE(ran);
    EXPECT_GE(t.elapsed(), 45);
  }
  bool late = false;
  {
    QtScheduler scheduler;
    scheduler.PostDelayed(10, [&] { late = true; });
    scheduler.Post([&] { late = true; });
  }
  ProcessUntil([] { return false; }, 100);
  EXPECT_FALSE(late);
}

}  // namespace
}  // namespace qv
