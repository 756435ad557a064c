#include "pages/common/WindowButtons.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace qv {
namespace {

TEST(WindowButtons, APressChoosesAnotherWindowOnce) {
  WindowButtons row;
  row.resize(300, 26);
  QSignalSpy chosen(&row, &WindowButtons::windowChosen);
  QTest::mouseClick(row.button(2), Qt::LeftButton);
  QTest::mouseClick(row.button(2), Qt::LeftButton);  // already chosen: nothing more
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][0].toInt(), 2);
  EXPECT_EQ(row.selected(), 2);
  for (int k = 0; k < kWindowCount; ++k) EXPECT_EQ(row.button(k)->isChecked(), k == 2) << k;
  row.Select(0);  // the page's own choice is not reported back to it
  EXPECT_EQ(chosen.count(), 1);
  EXPECT_TRUE(row.button(0)->isChecked());
}

TEST(WindowButtons, AWindowGoneToPreviewIsChosenAndTheProgramOneLocked) {
  WindowButtons row;
  QSignalSpy chosen(&row, &WindowButtons::windowChosen);
  DeviceStatusRecord rec{};
  rec.PvwMode = 1;
  rec.PgmState[0] = 1;
  rec.PvwState[1] = 1;
  row.FollowSwitcher(rec);
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][0].toInt(), 1);
  EXPECT_FALSE(row.button(0)->isEnabled());
  const QString names[] = {"PGM", "PVW", "PIP2", "PIP3"};
  for (int k = 0; k < kWindowCount; ++k) {
    EXPECT_EQ(row.button(k)->text(), names[k]);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(row.button(k))->text(QAccessible::Name),
              names[k]);
  }
  rec.PvwMode = 0;
  row.FollowSwitcher(rec);
  EXPECT_EQ(row.button(0)->text(), "MAIN");
  EXPECT_TRUE(row.button(0)->isEnabled());
  EXPECT_EQ(chosen.count(), 1);  // window 1 stays chosen
}

}  // namespace
}  // namespace qv
