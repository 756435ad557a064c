// The mosaic, keyer and feathering pages operated as an operator would,
// against the simulator.
#include <gtest/gtest.h>

#include "app/InputPanel.h"
#include "app/LayerSwitches.h"
#include "pages/main/ZMainDlg.h"
#include "support/SimConsole.h"

namespace qv {
namespace {

using test::ProcessUntil;

constexpr int kSetMosaicCell = 6, kSetWindowState = 8, kSetKeyer = 11, kSetFeather = 35,
              kQueryKeyer = 59;

class MosaicSimTest : public test::SimConsoleTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Connect());
    ShowWindow();
  }
  Rect Screen(int s) {
    MainPageLayout& layout = window->page<ZMainDlg>(PageId::Main).layout();
    return layout.canvas().Cell(layout.cell(MainPageLayout::kFirstOutputScreen + s))->deviceRect();
  }
  bool ScreenShown(int s) {
    MainPageLayout& layout = window->page<ZMainDlg>(PageId::Main).layout();
    return layout.canvas().Cell(layout.cell(MainPageLayout::kFirstOutputScreen + s))->hidden() == false;
  }
  // Mosaic on in `panels` (a panel button's name), through the page.
  void MosaicOn(QAccessibleInterface* page, const QString& panels) {
    if (Model().rec.MosaicMode == 0) {
      Press(Find(page, QAccessible::CheckBox, "ON/OFF"));
      ASSERT_TRUE(ProcessUntil([] { return Model().rec.MosaicMode != 0; }));
      ASSERT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
    }
    Press(Find(page, QAccessible::CheckBox, panels));
  }
};

TEST_F(MosaicSimTest, FourPanelsShowFourScreensInTheirArrangement) {
  QAccessibleInterface* page = OpenPage("MOSAIC", PageId::Mosaic);
  MosaicOn(page, "Panel x 4");
  ASSERT_TRUE(Traced(kSetMosaicCell, "00050"));
  ASSERT_TRUE(ProcessUntil([] { return Model().rec.MosaicMode == 5; }));
  ASSERT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
  // Arrangement 5: two by two.
  ASSERT_TRUE(ProcessUntil([&] {
    return ScreenShown(3) && Screen(1).left == Screen(0).right && Screen(2).top == Screen(0).bottom &&
           Screen(3).left == Screen(2).right;
  }));
  for (int s = 0; s < 4; ++s) EXPECT_TRUE(ScreenShown(s)) << s;
}

TEST_F(MosaicSimTest, AKeyerGoesOnWithItsWindowAndIsAskedForAgainAfterAModeChange) {
  QAccessibleInterface* page = OpenPage("KEYER", PageId::Keyer);
  ASSERT_TRUE(window->page(PageId::Keyer)->isVisible());
  ASSERT_EQ(Model().rec.Chnl[3].ChnlOnOff, 0);
  std::size_t mark = Received().size();
  Press(Find(page, QAccessible::CheckBox, "ON/OFF"));
  ASSERT_TRUE(ProcessUntil([&] { return !informed.empty(); }));
  EXPECT_EQ(informed.back(), "PIP3 Is Off");
  EXPECT_TRUE(NothingOf(kSetKeyer, mark));

  // PIP 3 on, as its layer switch does, then the keyer.
  Model().rec.Chnl[3].ChnlOnOff = 1;
  window->core().encoder().EncodeAndSend(CommandType::SetWindowState, {2});
  ASSERT_EQ(ReceivedOf(kSetWindowState, mark, 1).size(), 1u);
  Settle();
  mark = Received().size();
  Press(Find(page, QAccessible::CheckBox, "ON/OFF"));
  auto sent = ReceivedOf(kSetKeyer, mark, 1);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_TRUE(sent[0].payload.starts_with("01"));
  EXPECT_EQ(sent[0].payload.substr(62, 2), "03");

  // " Red On White1", two entries up from the end of the mode list.
  QAccessibleInterface* modes = Find(page, QAccessible::ComboBox, "Keyer Mode");
  ASSERT_NE(modes, nullptr);
  auto* list = qobject_cast<QWidget*>(modes->object());
  list->setFocus();
  QTest::keyClick(list, Qt::Key_F4);
  QWidget* open = QApplication::activePopupWidget();
  ASSERT_NE(open, nullptr);
  for (int i = 0; i < 11; ++i) QTest::keyClick(open, Qt::Key_Down);
  mark = Received().size();
  QTest::keyClick(open, Qt::Key_Return);
  const auto after = ReceivedAfter(mark, 2);
  ASSERT_GE(after.size(), 2u);
  EXPECT_EQ(after[0].type, kSetKeyer);
  EXPECT_EQ(after[0].payload.substr(0, 4), "010b");
  EXPECT_EQ(after[1].type, kQueryKeyer);
  EXPECT_TRUE(after[1].payload.starts_with("03"));
}

TEST_F(MosaicSimTest, FeatheringOpensFromTheMosaicPageAndLocksTheLayers) {
  QAccessibleInterface* mosaic = OpenPage("MOSAIC", PageId::Mosaic);
  MosaicOn(mosaic, "Panel x 2");
  ASSERT_TRUE(ProcessUntil([] { return Model().rec.MosaicMode == 2; }));
  ASSERT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
  ASSERT_NE(Model().rec.Chnl[2].ChnlOnOff + Model().rec.Chnl[3].ChnlOnOff, 0);
  Press(Find(mosaic, QAccessible::PushButton, "Feathering"));
  ASSERT_TRUE(ProcessUntil([&] { return window->page(PageId::Feathering)->isVisible(); }));
  QAccessibleInterface* page = QAccessible::queryAccessibleInterface(window->page(PageId::Feathering));
  const std::size_t mark = Received().size();
  Press(Find(page, QAccessible::CheckBox, "Feathering"));
  const auto sent = ReceivedOf(kSetFeather, mark, 1);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_TRUE(sent[0].payload.starts_with("01"));
  const auto* layers = window->inputPanel().findChild<LayerSwitches*>();
  ASSERT_NE(layers, nullptr);
  EXPECT_TRUE(ProcessUntil([&] { return !layers->isEnabled(); }));
}

}  // namespace
}  // namespace qv
