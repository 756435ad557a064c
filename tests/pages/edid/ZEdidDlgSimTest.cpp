// The EDID page operated as a person would, against the simulator.
#include <gtest/gtest.h>

#include "support/SimConsole.h"
#include "widgets/ZBaseDialog.h"

namespace qv {
namespace {

using test::ProcessUntil;

constexpr int kSetEdid = 10, kQueryEdid = 50;

class ZEdidDlgSimTest : public test::SimConsoleTest {
 protected:
  void SetUp() override {
    ShowWindow();
    ASSERT_TRUE(Connect());
    Press(Find(QAccessible::PushButton, "EDID"));
    ASSERT_TRUE(ProcessUntil([&] { return window->page(PageId::Edid)->isVisible(); }));
    page = QAccessible::queryAccessibleInterface(window->page(PageId::Edid));
  }

  QAccessibleInterface* page = nullptr;
};

TEST_F(ZEdidDlgSimTest, ARateHeldToTheInputsClockIsAppliedAndTheFactoryEdidRestored) {
  // HDMI-1, the second entry, from the keyboard.
  QAccessibleInterface* inputs = Find(page, QAccessible::ComboBox, "EDID Selcet");
  ASSERT_NE(inputs, nullptr);
  auto* list = qobject_cast<QWidget*>(inputs->object());
  list->setFocus();
  QTest::keyClick(list, Qt::Key_F4);
  QWidget* open = QApplication::activePopupWidget();
  ASSERT_NE(open, nullptr);
  QTest::keyClick(open, Qt::Key_Down);
  QTest::keyClick(open, Qt::Key_Return);
  ASSERT_EQ(inputs->text(QAccessible::Value), "HDMI-1");

  QAccessibleInterface* fps = Find(page, QAccessible::EditableText, "FPS");
  TypeInto(fps, "120");
  EXPECT_EQ(fps->text(QAccessible::Value), "66") << "165 MHz over 2200 x 1125";
  std::size_t mark = Received().size();
  Press(Find(page, QAccessible::PushButton, "Apply"));
  const auto applied = ReceivedOf(kSetEdid, mark, 1);
  ASSERT_EQ(applied.size(), 1u);
  // Input 1, standard blanking, 1920 x 1080 at 66.00 Hz.
  EXPECT_EQ(applied[0].payload.substr(0, 16), "010180073804c819");
  ASSERT_TRUE(ProcessUntil([&] { return !informed.empty(); }));
  EXPECT_EQ(informed.back(), "Edid Apply Ok");
  EXPECT_FALSE(window->waiting().waiting());
  EXPECT_EQ(Model().rec.Edid[1].Fps, 6600);

  mark = Received().size();
  Press(Find(page, QAccessible::PushButton, "Restore"));
  EXPECT_EQ(Types(ReceivedAfter(mark, 2)), (std::vector<int>{kSetEdid, kQueryEdid}));
  ASSERT_TRUE(ProcessUntil([] { return Model().rec.Edid[1].Fps == 6000; }));
  EXPECT_EQ(fps->text(QAccessible::Value), "60");
  EXPECT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
}

}  // namespace
}  // namespace qv
