#include "widgets/CDropButton.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <sstream>
#include <string>

#include "WidgetEvents.h"
#include "widgets/oRealEdit.h"

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

// Plays `keys` (blank-separated names) on the drop list as an operator
// would: on the box while its list is closed, on the list while it is open.
void Play(CDropButton& drop, const std::string& keys) {
  struct Key {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  };
  static const Key table[] = {
      {"F4", Qt::Key_F4, {}},
      {"Space", Qt::Key_Space, {}},
      {"AltDown", Qt::Key_Down, Qt::AltModifier},
      {"Enter", Qt::Key_Enter, {}},
      {"Return", Qt::Key_Return, {}},
      {"Esc", Qt::Key_Escape, {}},
      {"Up", Qt::Key_Up, {}},
      {"Down", Qt::Key_Down, {}},
      {"Left", Qt::Key_Left, {}},
      {"Right", Qt::Key_Right, {}},
      {"PgUp", Qt::Key_PageUp, {}},
      {"PgDn", Qt::Key_PageDown, {}},
      {"Home", Qt::Key_Home, {}},
      {"End", Qt::Key_End, {}},
  };
  std::istringstream words(keys);
  for (std::string word; words >> word;) {
    QWidget* target = drop.list().isVisible() ? static_cast<QWidget*>(&drop.list()) : &drop;
    if (word == "WheelUp" || word == "WheelDown") {
      test::Wheel(*target, word == "WheelUp" ? 120 : -120);
      continue;
    }
    const Key* key = std::find_if(std::begin(table), std::end(table),
                                  [&](const Key& k) { return word == k.name; });
    ASSERT_NE(key, std::end(table)) << word;
    QTest::keyClick(target, key->key, key->modifiers);
  }
}

TEST(CDropButton, KeysOpenMoveChooseAndCloseButNeverStepAClosedList) {
  struct Case {
    int32_t startValue;  // 1 starts on the greyed entry
    const char* keys;
    int chosen;  // the index emitted once, -1 for nothing emitted
    int selected;
    bool open;
  };
  const Case cases[] = {
      {0, "F4", -1, 0, true},
      {0, "Space", -1, 0, true},
      {0, "AltDown", -1, 0, true},
      {0, "F4 Esc", -1, 0, false},
      {0, "F4 Down Esc", -1, 0, false},
      {0, "F4 Down Enter", 2, 2, false},  // past the greyed entry
      {0, "F4 Down Down Return", 3, 3, false},
      {0, "F4 Down Down Down Down Enter", 3, 3, false},  // stays on the last
      {0, "F4 Up Enter", 0, 0, false},                   // the entry already chosen
      {0, "F4 Down Space", 2, 2, false},
      {0, "F4 Esc Space Down Enter", 2, 2, false},
      {8, "F4 Up Up Up Enter", 0, 0, false},
      // A closed list takes no step, whatever the key.
      {0, "Down", -1, 0, false},
      {0, "Up Down Left Right PgUp PgDn Home End", -1, 0, false},
      {2, "Up Down Left Right PgUp PgDn Home End WheelUp WheelDown", -1, 2, false},
      {0, "WheelDown WheelDown", -1, 0, false},
      {0, "Enter Return", -1, 0, false},
      {0, "F4 Down Enter Down Down WheelDown", 2, 2, false},
      // Greyed entries are not chosen.
      {1, "F4 Enter", -1, 1, true},
      {1, "F4 Space Esc", -1, 1, false},
      {1, "F4 Up Enter", 0, 0, false},
  };
  for (const Case& c : cases) {
    DropFixture f;
    f.drop.SelectByValue(c.startValue);
    Play(f.drop, c.keys);
    SCOPED_TRACE(c.keys);
    if (c.chosen < 0) {
      EXPECT_EQ(f.chosen.size(), 0);
    } else {
      ASSERT_EQ(f.chosen.size(), 1);
      EXPECT_EQ(f.chosen[0][0].toInt(), c.chosen);
      EXPECT_EQ(f.chosen[0][1].toInt(), f.drop.entry(c.chosen).value);
    }
    EXPECT_EQ(f.drop.selectedIndex(), c.selected);
    EXPECT_EQ(f.drop.list().isVisible(), c.open);
  }
}

TEST(CDropButton, TabReachesItAndTheFocusComesBackWhenTheListCloses) {
  QWidget window;
  auto* before = new oRealEdit(&window);
  auto* drop = new CDropButton(&window);
  drop->move(0, 30);
  drop->AddEntry("1920x1080", 1);
  drop->AddEntry("3840x2160", 2);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  before->setFocus();
  QTest::keyClick(before, Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), drop);

  for (const char* keys : {"F4 Esc", "Space Down Enter"}) {
    Play(*drop, keys);
    EXPECT_FALSE(drop->list().isVisible()) << keys;
    EXPECT_EQ(QApplication::focusWidget(), drop) << keys;
  }
  EXPECT_EQ(drop->selectedIndex(), 1);

  // Opened by a tool while another control has the focus.
  before->setFocus();
  QAccessible::queryAccessibleInterface(drop)->actionInterface()->doAction(
      QAccessibleActionInterface::showMenuAction());
  ASSERT_TRUE(drop->list().isVisible());
  Play(*drop, "Esc");
  EXPECT_EQ(QApplication::focusWidget(), drop);
}

}  // namespace
}  // namespace qv
