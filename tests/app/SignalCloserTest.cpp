#include "app/SignalCloser.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <csignal>

namespace qv {
namespace {

constexpr int kPatienceMs = 5000;

volatile std::sig_atomic_t earlierHandlerCalls = 0;
void EarlierHandler(int) {
  earlierHandlerCalls = earlierHandlerCalls + 1;
}

class SignalCloserTest : public ::testing::TestWithParam<int> {};

TEST_P(SignalCloserTest, ASignalBecomesACloseRequestOnTheEventLoopEveryTimeItComes) {
  const int signalNumber = GetParam();
  SignalCloser closer;
  ASSERT_TRUE(closer.catching());
  QSignalSpy requests(&closer, &SignalCloser::closeRequested);
  // While the first request is handled (the console closing), another signal comes.
  int raisedWhileClosing = 0;
  QObject::connect(&closer, &SignalCloser::closeRequested, &closer, [&] {
    if (raisedWhileClosing++ == 0) std::raise(signalNumber);
  });

  std::raise(signalNumber);        // the handler has run once this returns
  EXPECT_EQ(requests.count(), 0);  // the request waits for the event loop
  ASSERT_TRUE(requests.wait(kPatienceMs));
  EXPECT_EQ(requests.at(0).at(0).toInt(), signalNumber);
  ASSERT_TRUE(requests.wait(kPatienceMs));
  EXPECT_EQ(requests.count(), 2);
  EXPECT_EQ(requests.at(1).at(0).toInt(), signalNumber);
}

TEST_P(SignalCloserTest, TheEarlierHandlerIsBackOnceTheCloserIsGone) {
  const int signalNumber = GetParam();
  struct sigaction earlier = {}, original = {};
  earlier.sa_handler = &EarlierHandler;
  sigemptyset(&earlier.sa_mask);
  ASSERT_EQ(sigaction(signalNumber, &earlier, &original), 0);
  earlierHandlerCalls = 0;
  {
    SignalCloser closer;
    QSignalSpy requests(&closer, &SignalCloser::closeRequested);
    std::raise(signalNumber);
    ASSERT_TRUE(requests.wait(kPatienceMs));
    EXPECT_EQ(earlierHandlerCalls, 0);
  }
  std::raise(signalNumber);
  EXPECT_EQ(earlierHandlerCalls, 1);
  sigaction(signalNumber, &original, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalCloserTest, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& info) {
                           return std::string(info.param == SIGTERM ? "Term" : "Interrupt");
                         });

}  // namespace
}  // namespace qv
