#include "pages/task/ZTaskDlg.h"

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <memory>

#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"

namespace qv {
namespace {

constexpr int kSetTaskTime = 17, kTaskCommand = 51;
constexpr int kMachineTime = 1900, kLocalDate = 1902, kLocalTime = 1905, kSync = 1906,
              kSchedule = 1165, kFirstTask = 1908, kDatePicker = 1919, kTimePicker = 1920,
              kOnce = 1923, kPresetList = 1926, kConfirm = 1927;

// The page's clocks, moved only by the test.
struct FakeClocks {
  int64_t monotonicMs = 1'000'000;
  QDateTime now{QDate(2026, 5, 14), QTime(9, 30, 0)};
  void Pass(int ms) {
    monotonicMs += ms;
    now = now.addMSecs(ms);
  }
};

class ZTaskDlgTest : public ::testing::Test {
 protected:
  ZTaskDlgTest() {
    page = std::make_unique<ZTaskDlg>(harness.context);
    page->SetClocks({[this] { return clocks.monotonicMs; }, [this] { return clocks.now; }});
    page->show();
  }
  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }
  void Click(int id) { QTest::mouseClick(&Find<QAbstractButton>(id), Qt::LeftButton); }
  QString MachineTime() { return Find<QLabel>(kMachineTime).text(); }
  // The processor tells its clock.
  void Answer(std::array<uint8_t, 6> clock) {
    harness.model.DeviceClock = clock;
    page->OnReply(ReplyKind::ClockReply, 0);
  }
  void Tick(int afterMs) {
    clocks.Pass(afterMs);
    page->Tick();
  }
  const Payload& LastSent() const { return harness.link.sent.back().payload; }

  test::PageHarness harness;
  FakeClocks clocks;
  std::unique_ptr<ZTaskDlg> page;
};

TEST_F(ZTaskDlgTest, TheMachineTimeMovesOnByTheSecondsThatPassed) {
  EXPECT_EQ(MachineTime(), "") << "nothing before the processor answers";
  EXPECT_EQ(Find<QLabel>(kLocalDate).text(), "2026/05/14");
  Answer({26, 5, 14, 9, 30, 0});
  EXPECT_EQ(MachineTime(), "2026/5/14 09:30:00");
  Tick(1000);
  EXPECT_EQ(MachineTime(), "2026/5/14 09:30:01");
  Tick(5000);  // the computer was busy: one late tick
  EXPECT_EQ(MachineTime(), "2026/5/14 09:30:06");
  EXPECT_EQ(Find<QLabel>(kLocalTime).text(), "09:30:06");

  // The computer's clock is set back an hour: the machine time goes on, and
  // the processor is asked where its clock is.
  clocks.now = clocks.now.addSecs(-3600);
  Tick(1000);
  EXPECT_EQ(MachineTime(), "2026/5/14 09:30:07");
  EXPECT_EQ(Find<QLabel>(kLocalTime).text(), "08:30:07");
  ASSERT_EQ(harness.link.SentTypes(), std::vector<int>{kTaskCommand});
  EXPECT_EQ(LastSent()[0], 0);
}

TEST_F(ZTaskDlgTest, SyncSendsTheComputersClockAndHoldsTheMachineTimeUntilTheAnswer) {
  Answer({26, 5, 14, 9, 0, 0});
  Tick(1000);
  Click(kSync);
  ASSERT_EQ(harness.link.SentTypes(), (std::vector<int>{kSetTaskTime, kTaskCommand}));
  const Payload& set = harness.link.sent[0].payload;
  EXPECT_EQ(std::vector<uint8_t>(set.begin(), set.begin() + 8),
            (std::vector<uint8_t>{0, 0, 26, 5, 14, 9, 30, 1}));
  Tick(1000);
  Tick(1000);
  EXPECT_EQ(MachineTime(), "2026/5/14 09:00:01") << "held until the processor answers";
  Answer({26, 5, 14, 9, 30, 3});
  Tick(1000);
  EXPECT_EQ(MachineTime(), "2026/5/14 09:30:04");
}

TEST_F(ZTaskDlgTest, ATaskWithMonthAndDayZeroShowsTheFirstOfJanuaryAndIsStoredSo) {
  harness.model.PresetValid[2] = 1;
  harness.model.rec.Task[0] = {
      .Year = 27, .Month = 0, .Day = 0, .Hour = 8, .PresetId = 2, .TaskOption = 2};
  page->OnReply(ReplyKind::TaskReply, 0);
  EXPECT_EQ(Find<QDateEdit>(kDatePicker).date(), QDate(2027, 1, 1));
  EXPECT_EQ(Find<QTimeEdit>(kTimePicker).time(), QTime(8, 0, 0));
  EXPECT_TRUE(Find<QPushButton>(kFirstTask).property("stored").toBool());
  Click(kConfirm);
  ASSERT_EQ(harness.link.SentTypes(), std::vector<int>{kSetTaskTime});
  // Task 0, its date and time, preset 2, every day.
  const Payload& p = LastSent();
  EXPECT_EQ(std::vector<uint8_t>(p.begin(), p.begin() + 11),
            (std::vector<uint8_t>{1, 0, 27, 1, 1, 8, 0, 0, 0, 2, 2}));
}

TEST_F(ZTaskDlgTest, ConfirmStoresTheYearAsABytePastTwoThousand) {
  harness.model.PresetValid = {1, 0, 0, 1};
  page->OnReply(ReplyKind::PresetFlagsReply, 0);
  Click(kFirstTask + 4);
  ASSERT_EQ(page->task(), 4);
  Find<QDateEdit>(kDatePicker).setDate(QDate(2031, 3, 9));
  Find<QTimeEdit>(kTimePicker).setTime(QTime(21, 15, 30));
  Click(kOnce);
  CDropButton& presets = Find<CDropButton>(kPresetList);
  test::Choose(presets, 1);  // greyed: cannot be chosen
  test::Choose(presets, 3);
  Click(kConfirm);
  const Payload& p = LastSent();
  EXPECT_EQ(std::vector<uint8_t>(p.begin(), p.begin() + 11),
            (std::vector<uint8_t>{1, 0, 31, 3, 9, 21, 15, 30, 4, 3, 1}));
  EXPECT_EQ(harness.model.rec.Task[4].Year, 31);
  EXPECT_TRUE(Find<QPushButton>(kFirstTask + 4).property("stored").toBool());
}

TEST_F(ZTaskDlgTest, ATaskWhosePresetWasDeletedShowsTheLastOneStored) {
  harness.model.PresetValid = {0, 1, 0, 0, 0, 0, 1};
  harness.model.rec.Task[2] = {.Year = 26, .Month = 6, .Day = 1, .PresetId = 4, .TaskOption = 1};
  page->OnReply(ReplyKind::PresetFlagsReply, 0);
  Click(kFirstTask + 2);
  CDropButton& presets = Find<CDropButton>(kPresetList);
  EXPECT_EQ(presets.selectedText(), "7");
  EXPECT_TRUE(presets.entry(4).greyed);
  EXPECT_FALSE(presets.entry(6).greyed);
}

TEST_F(ZTaskDlgTest, TheScheduleSwitchShowsAndSetsTheSchedule) {
  harness.model.rec.TaskStatus = 1;
  page->OnReply(ReplyKind::TaskReply, 0);
  CGdipButton& schedule = Find<CGdipButton>(kSchedule);
  EXPECT_TRUE(schedule.state());
  QTest::mouseClick(&schedule, Qt::LeftButton);
  EXPECT_EQ(harness.model.rec.TaskStatus, 0);
  ASSERT_EQ(harness.link.SentTypes(), std::vector<int>{kSetTaskTime});
  EXPECT_EQ(LastSent()[0], 2);
  EXPECT_EQ(LastSent()[1], 0);
}

}  // namespace
}  // namespace qv
