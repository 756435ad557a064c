#include "logic/task/TaskControl.h"

#include <gtest/gtest.h>

#include "support/RecordingLink.h"

namespace qv {
namespace {

constexpr int kSetTaskTime = 17, kTaskCommand = 51;

class TaskControlTest : public ::testing::Test {
 protected:
  struct {
    DeviceModel model;
    test::RecordingLink link;
  } h;
  CommandEncoder encoder{h.model, h.link};
  TaskControl control{encoder};
  TaskEntry& Task(int t) { return h.model.rec.Task[t]; }
};

TEST_F(TaskControlTest, ShowingATaskCorrectsWhatNoCalendarHasInTheModel) {
  struct Case {
    const char* name;
    TaskEntry from;
    CivilTime shown;
  };
  const Case cases[] = {
      {"month 0 and day 0: 1 January", {26, 0, 0, 8, 0, 0}, {2026, 1, 1, 8, 0, 0}},
      {"everything too high", {26, 13, 40, 24, 60, 99}, {2026, 12, 31, 23, 59, 59}},
      {"31 February: its last day", {27, 2, 31, 6, 30, 0}, {2027, 2, 28, 6, 30, 0}},
      {"29 February of a leap year stays", {28, 2, 29, 6, 30, 0}, {2028, 2, 29, 6, 30, 0}},
      {"31 April", {26, 4, 31, 0, 0, 0}, {2026, 4, 30, 0, 0, 0}},
      {"a good time stays", {31, 7, 14, 12, 5, 9}, {2031, 7, 14, 12, 5, 9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Task(3) = c.from;
    EXPECT_EQ(control.Show(3).when, c.shown);
    const TaskEntry& kept = Task(3);
    EXPECT_EQ((CivilTime{2000 + kept.Year, kept.Month, kept.Day, kept.Hour, kept.Min, kept.Sec}),
              c.shown);
  }
  EXPECT_TRUE(h.link.sent.empty()) << "a correction is not sent until Confirm";
}

TEST_F(TaskControlTest, ATaskShowsAPresetThatExists) {
  struct Case {
    const char* name;
    std::vector<int> stored;
    uint8_t preset;
    int shown;
  };
  const Case cases[] = {
      {"a stored preset", {2, 7}, 2, 2},
      {"one since deleted: the last stored", {2, 7}, 4, 7},
      {"beyond the ten: the last stored", {2}, 200, 2},
      {"none stored keeps an index the list has", {}, 4, 4},
      {"none stored, beyond the ten: the first", {}, 200, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    h.model.PresetValid = {};
    for (int n : c.stored) h.model.PresetValid[n] = 1;
    Task(0).PresetId = c.preset;
    EXPECT_EQ(control.Show(0).preset, c.shown);
    EXPECT_EQ(Task(0).PresetId, c.shown);
  }
}

TEST_F(TaskControlTest, AnOptionTheProcessorDoesNotKnowHighlightsNone) {
  Task(1).TaskOption = 2;
  EXPECT_EQ(control.Show(1).option, 2);
  EXPECT_TRUE(control.InUse(1));
  Task(1).TaskOption = 77;
  EXPECT_EQ(control.Show(1).option, -1);
  EXPECT_FALSE(control.InUse(-1));
  EXPECT_EQ(control.Show(12).when, CivilTime{}) << "no task beyond the ten";
}

TEST_F(TaskControlTest, ConfirmSendsTheTaskWithTheYearAsABytePastTwoThousand) {
  h.model.rec.TaskStatus = 1;
  control.Confirm(4, {2031, 3, 9, 21, 15, 30}, TaskControl::Option::EveryDay, 6);
  ASSERT_EQ(h.link.SentTypes(), std::vector<int>{kSetTaskTime});
  const Payload& p = h.link.sent[0].payload;
  // Operation 1, the schedule, the date and time, the task, its preset and option.
  const std::vector<uint8_t> expected = {1, 1, 31, 3, 9, 21, 15, 30, 4, 6, 2};
  EXPECT_EQ(std::vector<uint8_t>(p.begin(), p.begin() + 11), expected);
  EXPECT_EQ(Task(4).Year, 31);

  // Without an option chosen the task keeps its own.
  control.Confirm(4, {2031, 3, 9, 21, 15, 30}, std::nullopt, 6);
  EXPECT_EQ(Task(4).TaskOption, 2);
}

TEST_F(TaskControlTest, SyncSetsTheProcessorsClockAndReadsItBack) {
  control.Sync({2026, 5, 14, 9, 30, 5});
  ASSERT_EQ(h.link.SentTypes(), (std::vector<int>{kSetTaskTime, kTaskCommand}));
  const Payload& set = h.link.sent[0].payload;
  EXPECT_EQ(set[0], 0);  // the clock
  EXPECT_EQ(std::vector<uint8_t>(set.begin() + 2, set.begin() + 8),
            (std::vector<uint8_t>{26, 5, 14, 9, 30, 5}));
  EXPECT_EQ(h.link.sent[1].payload[0], 0);
  EXPECT_EQ(TaskControl::YearByte(2000), 0);
  EXPECT_EQ(TaskControl::YearByte(2255), 255);
}

TEST_F(TaskControlTest, TheScheduleSwitchSendsOperationTwo) {
  control.SetSchedule(true);
  EXPECT_EQ(h.model.rec.TaskStatus, 1);
  ASSERT_EQ(h.link.SentTypes(), std::vector<int>{kSetTaskTime});
  EXPECT_EQ(h.link.sent[0].payload[0], 2);
  EXPECT_EQ(h.link.sent[0].payload[1], 1);
}

}  // namespace
}  // namespace qv
