// The output page operated as an operator would, against the simulator.
#include <gtest/gtest.h>

#include "pages/main/ZMainDlg.h"
#include "pages/output/ZOutputDlg.h"
#include "support/SimConsole.h"

namespace qv {
namespace {

using test::ProcessUntil;

constexpr int kSetOutputTiming = 2, kSetWindowGeometry = 4, kQueryGeometry = 54,
              kCaptionQuery = 70;

class ZOutputDlgSimTest : public test::SimConsoleTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Connect());
    ShowWindow();
    Press(Find(QAccessible::PushButton, "OUTPUT"));
    ASSERT_NE(Await(QAccessible::ComboBox, "Output Resolution"), nullptr);
  }
  Rect Screen() {
    MainPageLayout& layout = window->page<ZMainDlg>(PageId::Main).layout();
    return layout.canvas().Cell(layout.cell(MainPageLayout::kFirstOutputScreen))->deviceRect();
  }
  // Opens the list from the keyboard, moves `steps` entries down (up when
  // negative) and takes the entry.
  static void ChooseFromKeyboard(QAccessibleInterface* list, int steps) {
    auto* box = qobject_cast<QWidget*>(list->object());
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F4);
    QWidget* open = QApplication::activePopupWidget();
    ASSERT_NE(open, nullptr);
    for (int i = 0; i < std::abs(steps); ++i) {
      QTest::keyClick(open, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    }
    QTest::keyClick(open, Qt::Key_Return);
  }
};

TEST_F(ZOutputDlgSimTest, AChosenResolutionReachesTheProcessorAndTheCanvas) {
  ASSERT_EQ(Model().rec.ResoIndex, 10);
  QAccessibleInterface* list = Find(QAccessible::ComboBox, "Output Resolution");
  const std::size_t mark = Received().size();
  // Two entries up from 1920 x 1080 60 Hz: 1680 x 1050.
  ChooseFromKeyboard(list, -2);
  EXPECT_EQ(list->text(QAccessible::Value), "1680 x 1050    60Hz");

  const auto sent = ReceivedAfter(mark, 6);
  ASSERT_EQ(Types(sent), (std::vector<int>{kSetOutputTiming, kQueryGeometry, kQueryGeometry,
                                           kQueryGeometry, kQueryGeometry, kCaptionQuery}));
  // Entry 8, 1680 (0x0690) x 1050 (0x041a) at 60.00 Hz (0x1770).
  EXPECT_TRUE(sent[0].payload.starts_with("0890061a047017"));
  for (int k = 0; k < 4; ++k) EXPECT_TRUE(sent[1 + k].payload.starts_with("0" + std::to_string(k)));
  EXPECT_TRUE(ProcessUntil([&] { return Screen().Width() == 1680 && Screen().Height() == 1050; }));
}

TEST_F(ZOutputDlgSimTest, ACustomisedTimingIsTypedHeldToTheClockAndApplied) {
  QAccessibleInterface* list = Find(QAccessible::ComboBox, "Output Resolution");
  ChooseFromKeyboard(list, 8);  // the last entry
  EXPECT_EQ(list->text(QAccessible::Value), "Customized  Resolution");
  const std::size_t mark = Received().size();
  TypeInto(Find(QAccessible::EditableText, "V Active"), "768");
  TypeInto(Find(QAccessible::EditableText, "FPS"), "60");
  QAccessibleInterface* h = Find(QAccessible::EditableText, "H Active");
  TypeInto(h, "4080");
  EXPECT_EQ(h->text(QAccessible::Value), "3316");
  Press(Find(QAccessible::PushButton, "Apply"));
  const auto sent = ReceivedAfter(mark, 5);
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent[0].type, kSetOutputTiming);
  // Entry 18, 3316 (0x0cf4) x 768 (0x0300) at 60.00 Hz.
  EXPECT_TRUE(sent[0].payload.starts_with("12f40c00037017"));
  EXPECT_TRUE(ProcessUntil([&] { return Screen().Width() == 3316; }));
  EXPECT_EQ(Model().rec.ResoIndex, 18);
}

TEST_F(ZOutputDlgSimTest, WindowButtonsFieldsAndRotationsSendTheWindow) {
  // The page's own, not the input panel's layer switch of that name.
  QAccessibleInterface* page =
      QAccessible::queryAccessibleInterface(window->page(PageId::Output));
  Press(Find(page, QAccessible::CheckBox, "PIP-2"));
  ASSERT_TRUE(ProcessUntil([&] { return window->page<ZOutputDlg>(PageId::Output).window() == 2; }));
  std::size_t mark = Received().size();
  Press(Find(QAccessible::PushButton, "Full"));
  auto sent = ReceivedAfter(mark, 1);
  ASSERT_EQ(Types(sent), std::vector<int>{kSetWindowGeometry});
  // Window 2 at 0,0, 1920 x 1080, marked as a whole-screen window.
  EXPECT_TRUE(sent[0].payload.starts_with("02000000008007380401"));

  mark = Received().size();
  Press(Find(QAccessible::CheckBox, "H Flip"));
  sent = ReceivedAfter(mark, 1);
  ASSERT_EQ(Types(sent), std::vector<int>{kSetWindowGeometry});
  EXPECT_EQ(sent[0].payload.substr(20, 2), "03");
  ASSERT_TRUE(ProcessUntil([] { return Model().rec.Chnl[2].ChnlRotation == 3; }));
  // Pressing it again sends nothing.
  mark = Received().size();
  Press(Find(QAccessible::CheckBox, "H Flip"));
  EXPECT_TRUE(NothingOf(kSetWindowGeometry, mark));

  mark = Received().size();
  TypeInto(Find(QAccessible::EditableText, "Width"), "1000");
  TypeInto(Find(QAccessible::EditableText, "H Start"), "1500");
  // The width goes on Enter and again as its field loses the focus, then
  // the start.
  sent = ReceivedAfter(mark, 3);
  ASSERT_EQ(Types(sent), (std::vector<int>{kSetWindowGeometry, kSetWindowGeometry,
                                           kSetWindowGeometry}));
  // 1920 wide, 1000 of it the window: it starts at 920 (0x0398) at most.
  EXPECT_TRUE(sent.back().payload.starts_with("029803"));
}

}  // namespace
}  // namespace qv
