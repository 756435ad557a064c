// The time and tasks page operated as a person would, against the simulator:
// its clock set from the computer's, and a task that recalls a preset on time.
#include <gtest/gtest.h>

#include <QDateTime>

#include "support/SimConsole.h"
#include "widgets/ZBaseDialog.h"

namespace qv {
namespace {

using test::ProcessUntil;

constexpr int kSetTaskTime = 17, kTaskCommand = 51;

class ZTaskDlgSimTest : public test::SimConsoleTest {
 protected:
  void SetUp() override {
    ShowWindow();
    ASSERT_TRUE(Connect());
    Press(Find(QAccessible::PushButton, "TIME/TASK"));
    ASSERT_TRUE(ProcessUntil([&] { return window->page(PageId::TimeTask)->isVisible(); }));
    page = QAccessible::queryAccessibleInterface(window->page(PageId::TimeTask));
  }
  // Types a date or time into a picker as a person does: the first section
  // cleared, then its digits, each section moving on to the next when full.
  static void TypeTime(QAccessibleInterface* picker, const QString& digits, int firstSection) {
    ASSERT_NE(picker, nullptr);
    auto* widget = qobject_cast<QWidget*>(picker->object());
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Home);
    for (int i = 0; i < firstSection; ++i) QTest::keyClick(widget, Qt::Key_Delete);
    QTest::keyClicks(widget, digits);
  }

  QAccessibleInterface* page = nullptr;
};

TEST_F(ZTaskDlgSimTest, SyncSetsTheProcessorsClockFromTheComputers) {
  const std::size_t mark = Received().size();
  Press(Find(page, QAccessible::PushButton, "SYNC"));
  const QDate today = QDate::currentDate();
  const auto set = ReceivedOf(kSetTaskTime, mark, 1);
  ASSERT_EQ(set.size(), 1u);
  char year[3];
  std::snprintf(year, sizeof year, "%02x", today.year() - 2000);
  EXPECT_EQ(set[0].payload.substr(0, 2), "00");
  EXPECT_EQ(set[0].payload.substr(4, 2), year);
  EXPECT_EQ(ReceivedOf(kTaskCommand, mark, 1).size(), 1u);
  // The processor's answer shows, and moves on with the seconds.
  const QString shown =
      QStringLiteral("%1/%2/%3 ").arg(today.year()).arg(today.month()).arg(today.day());
  QAccessibleInterface* machine = nullptr;
  ASSERT_TRUE(ProcessUntil(
      [&] { return (machine = Find(page, QAccessible::StaticText, shown)) != nullptr; }));
}

TEST_F(ZTaskDlgSimTest, ATaskSetAFewSecondsAheadRecallsItsPresetOnTime) {
  // Preset 1 holds the factory layout; a template then changes it.
  const uint16_t fullWidth = Model().rec.Chnl[0].HAct;
  window->ChoosePreset(0);
  window->SavePreset();
  ASSERT_TRUE(ProcessUntil([] { return Model().PresetValid[0] != 0; }));
  window->ChoosePresetList(PresetControl::List::Templates);
  window->ChoosePreset(5);  // quad
  window->LoadPreset();
  ASSERT_TRUE(ProcessUntil([&] { return Model().rec.Chnl[0].HAct != fullWidth; }));
  ASSERT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));

  const std::size_t mark = Received().size();
  Press(Find(page, QAccessible::PushButton, "SYNC"));
  Press(Find(page, QAccessible::CheckBox, "Schedule"));
  ASSERT_EQ(ReceivedOf(kSetTaskTime, mark, 2).size(), 2u);
  // Their answers show the tasks again: the edit starts after them.
  Settle();
  ASSERT_EQ(Model().rec.TaskStatus, 1);

  const QDateTime at = QDateTime::currentDateTime().addSecs(3);
  // The task buttons and the options are two-state buttons.
  QAccessibleInterface* second = Find(page, QAccessible::CheckBox, "2");
  Press(second);
  ASSERT_TRUE(ProcessUntil([&] { return second->state().checked; }));
  TypeTime(Find(page, QAccessible::SpinBox, "Date"), at.toString("yyyyMMdd"), 4);
  TypeTime(Find(page, QAccessible::SpinBox, "Time"), at.toString("HHmmss"), 2);
  QAccessibleInterface* once = Find(page, QAccessible::CheckBox, "Once");
  Press(once);
  ASSERT_TRUE(ProcessUntil([&] { return once->state().checked; }));
  Press(Find(page, QAccessible::PushButton, "Confirm"));
  ASSERT_TRUE(ProcessUntil([&] {
    const TaskEntry& t = Model().rec.Task[1];
    return t.TaskOption == 1 && t.Sec == at.time().second() && t.Day == at.date().day();
  })) << "the processor took the task";
  EXPECT_EQ(Model().rec.Task[1].PresetId, 0);

  // The processor recalls preset 1 when the time comes, and the console reads
  // the layout back.
  EXPECT_TRUE(TraceHolds(R"({"dir":"task","task":1,"preset":0})", 10000));
  EXPECT_TRUE(ProcessUntil([&] { return Model().rec.Chnl[0].HAct == fullWidth; }, 5000));
}

}  // namespace
}  // namespace qv
