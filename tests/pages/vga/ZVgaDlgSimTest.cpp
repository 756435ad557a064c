// The VGA adjustment page operated as a person would, against the simulator.
#include <gtest/gtest.h>

#include "app/InputPanel.h"
#include "pages/vga/ZVgaDlg.h"
#include "support/SimConsole.h"

namespace qv {
namespace {

using test::ProcessUntil;

constexpr int kSetVga = 14, kQueryVga = 49;
constexpr int kVgaSlot = 7;  // the simulator's VGA-2

class ZVgaDlgSimTest : public test::SimConsoleTest {
 protected:
  void SetUp() override {
    ShowWindow();
    ASSERT_TRUE(Connect());
  }
};

TEST_F(ZVgaDlgSimTest, TheVgaInputOnTheMainWindowIsAdjustedAndItsConverterUnlocked) {
  QAccessibleInterface* button = Find(QAccessible::PushButton, "VGA ADJ.");
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->state().disabled) << "no window shows the VGA input yet";
  std::size_t mark = Received().size();
  window->inputPanel().PressTile(kVgaSlot);
  const auto queried = ReceivedOf(kQueryVga, mark, 1);
  ASSERT_EQ(queried.size(), 1u);
  EXPECT_EQ(queried[0].payload.substr(0, 2), "07");
  ASSERT_TRUE(ProcessUntil([&] { return !button->state().disabled; }));
  Press(button);
  ASSERT_TRUE(ProcessUntil([&] { return window->page(PageId::Vga)->isVisible(); }));
  QAccessibleInterface* page = QAccessible::queryAccessibleInterface(window->page(PageId::Vga));
  ASSERT_TRUE(ProcessUntil([] { return Model().Vga.VgaClock == 1344; }))
      << "the processor's settings of the input";

  mark = Received().size();
  Press(Find(page, QAccessible::PushButton, "Auto Adjust"));
  const auto adjusted = ReceivedOf(kSetVga, mark, 1);
  ASSERT_EQ(adjusted.size(), 1u);
  EXPECT_EQ(adjusted[0].payload.substr(0, 6), "000701") << "display, VGA-2, automatic";
  ASSERT_TRUE(ProcessUntil([&] { return !informed.empty(); }));
  EXPECT_EQ(informed.back(), "VGA Adjustment Ok");
  EXPECT_FALSE(window->waiting().waiting());

  mark = Received().size();
  TypeInto(Find(page, QAccessible::EditableText, "H Position"), "-100");
  const auto moved = ReceivedOf(kSetVga, mark, 1);
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0].payload.substr(12, 2), "9c");
  ASSERT_TRUE(ProcessUntil([] { return static_cast<int8_t>(Model().Vga.VgaHPos) == -100; }));

  TypeInto(Find(page, QAccessible::EditableText, "Please Enter Password"), "4936");
  Press(Find(page, QAccessible::PushButton, "enter"));
  ASSERT_TRUE(ProcessUntil([&] { return window->page<ZVgaDlg>(PageId::Vga).unlocked(); }));
  mark = Received().size();
  TypeInto(Await(QAccessible::EditableText, "Red Gain"), "700");
  const auto gains = ReceivedOf(kSetVga, mark, 1);
  ASSERT_EQ(gains.size(), 1u);
  // Converter group; the gains travel after the three offsets: red gain at byte 15.
  EXPECT_EQ(gains[0].payload.substr(0, 6), "010700");
  EXPECT_EQ(gains[0].payload.substr(30, 4), "bc02");
}

}  // namespace
}  // namespace qv
