#include "widgets/CDropButton.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "WidgetEvents.h"

namespace qv {
namespace {

struct DropFixture {
  DropFixture() {
    drop.resize(120, 20);
    drop.AddEntry(" 4000K ", 0);
    drop.AddEntry(" 5000K ", 1, true);
    drop.AddEntry(" 6500K ", 2);
    drop.AddEntry(" User ", 8);
  }
  void ReleaseOnRow(int index) { test::Release(drop.list(), drop.list().rowRect(index).center()); }

  CDropButton drop;
  QSignalSpy chosen{&drop, &CDropButton::chosen};
};

TEST(CDropButton, SelectByValueShowsTheMatchingOrFirstEntrySilently) {
  const std::pair<int32_t, int> cases[] = {{8, 3}, {2, 2}, {1, 1}, {99, 0}};
  for (const auto& [value, index] : cases) {
    DropFixture f;
    f.drop.SelectByValue(8);
    f.drop.SelectByValue(value);
    EXPECT_EQ(f.drop.selectedIndex(), index) << value;
    EXPECT_EQ(f.chosen.size(), 0) << value;
  }
  CDropButton empty;
  empty.SelectByValue(3);
  EXPECT_EQ(empty.selectedIndex(), -1);
  EXPECT_EQ(empty.selectedText(), "");
}

TEST(CDropButton, ChoosingFromTheListEmitsIndexAndValue) {
  DropFixture f;
  test::Press(f.drop, {10, 10});
  ASSERT_TRUE(f.drop.list().isVisible());

  f.ReleaseOnRow(1);  // greyed
  EXPECT_EQ(f.chosen.size(), 0);
  EXPECT_TRUE(f.drop.list().isVisible());
  EXPECT_EQ(f.drop.selectedIndex(), 0);

  f.ReleaseOnRow(3);
  EXPECT_FALSE(f.drop.list().isVisible());
  ASSERT_EQ(f.chosen.size(), 1);
  EXPECT_EQ(f.chosen[0][0].toInt(), 3);
  EXPECT_EQ(f.chosen[0][1].toInt(), 8);
  EXPECT_EQ(f.drop.selectedText(), " User ");
}

TEST(CDropButton, TheListKeysSkipGreyedEntries) {
  DropFixture f;
  f.drop.ShowList();
  QTest::keyClick(&f.drop.list(), Qt::Key_Down);
  EXPECT_EQ(f.drop.list().hovered(), 2);
  QTest::keyClick(&f.drop.list(), Qt::Key_Return);
  ASSERT_EQ(f.chosen.size(), 1);
  EXPECT_EQ(f.chosen[0][1].toInt(), 2);

  f.drop.ShowList();
  QTest::keyClick(&f.drop.list(), Qt::Key_Escape);
  EXPECT_FALSE(f.drop.list().isVisible());
  EXPECT_EQ(f.chosen.size(), 1);
}

}  // namespace
}  // namespace qv
