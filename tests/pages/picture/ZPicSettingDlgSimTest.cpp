// The picture and crop pages operated as an operator would, against the simulator.
#include <gtest/gtest.h>

#include "pages/crop/ZCropDlg.h"
#include "pages/picture/ZPicSettingDlg.h"
#include "support/SimConsole.h"

namespace qv {
namespace {

using test::ProcessUntil;

constexpr int kSetPicture = 3, kSetCrop = 5;

class WindowRecordSimTest : public test::SimConsoleTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Connect());
    ShowWindow();
  }
};

TEST_F(WindowRecordSimTest, AUserPictureOnAllInputsOfAPipReachesTheProcessor) {
  QAccessibleInterface* page = OpenPage("PICTURE", PageId::Picture);
  ASSERT_TRUE(window->page(PageId::Picture)->isVisible());
  // " User " is the last picture mode.
  QAccessibleInterface* modes = Find(page, QAccessible::ComboBox, "Picture Mode");
  ASSERT_NE(modes, nullptr);
  auto* list = qobject_cast<QWidget*>(modes->object());
  list->setFocus();
  QTest::keyClick(list, Qt::Key_F4);
  QWidget* open = QApplication::activePopupWidget();
  ASSERT_NE(open, nullptr);
  for (int i = 0; i < 7; ++i) QTest::keyClick(open, Qt::Key_Down);
  QTest::keyClick(open, Qt::Key_Return);
  ASSERT_TRUE(ProcessUntil([] { return Model().rec.PicMode == 7; }));

  Press(Find(page, QAccessible::CheckBox, "PIP-1"));
  ASSERT_TRUE(ProcessUntil(
      [&] { return window->page<ZPicSettingDlg>(PageId::Picture).window() == 1; }));
  Press(Find(page, QAccessible::CheckBox, "ALL"));
  ASSERT_TRUE(ProcessUntil([] { return Model().WindowPicByte[1] == 1; }));
  const std::size_t mark = Received().size();
  TypeInto(Find(page, QAccessible::EditableText, "Contrast"), "70");
  const auto sent = ReceivedOf(kSetPicture, mark, 1);
  ASSERT_EQ(sent.size(), 1u);
  // Mode 7, window 1, all of its records, contrast 70 (0x46).
  EXPECT_EQ(sent[0].payload.substr(2, 2), "07");
  EXPECT_EQ(sent[0].payload.substr(8, 4), "0101");
  EXPECT_EQ(sent[0].payload.substr(14, 2), "46");
  // The processor answers with the window's records, all of them changed.
  EXPECT_TRUE(ProcessUntil([] {
    for (int g = 0; g < kSourceGroupCount; ++g) {
      if (Model().rec.Picture[1 + 4 * g].Contrast != 70) return false;
    }
    return Model().rec.Picture[0].Contrast != 70;
  }));
}

TEST_F(WindowRecordSimTest, ACropIsSwitchedOnTypedAndHeldInsideTheInput) {
  QAccessibleInterface* page = OpenPage("CROP", PageId::Crop);
  ASSERT_TRUE(window->page(PageId::Crop)->isVisible());
  const CropSettings& crop = Model().rec.Crop[Model().PictureRecordOf(0)];
  ASSERT_GT(crop.HTotal, 1000);
  if (crop.CropOnOff == 0) {
    Press(Find(page, QAccessible::CheckBox, "ON/OFF"));
    ASSERT_TRUE(ProcessUntil([&] { return crop.CropOnOff == 1; }));
    Settle();  // the switch has reached the processor
  }
  std::size_t mark = Received().size();
  TypeInto(Find(page, QAccessible::EditableText, "Width"), "1000");
  TypeInto(Find(page, QAccessible::EditableText, "H Start"), "9000");
  // The width goes on Enter and once more as its field loses the focus;
  // the start goes last, held to the frame.
  const int limit = crop.HTotal - 1000;
  char hex[9];
  std::snprintf(hex, sizeof hex, "0001%02x%02x", limit & 0xff, limit >> 8);
  auto sent = ReceivedOf(kSetCrop, mark, 3);
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_TRUE(sent.back().payload.starts_with(hex)) << sent.back().payload;
  ASSERT_TRUE(ProcessUntil([&] { return crop.HPos == limit && crop.HAct == 1000; }));

  mark = Received().size();
  Press(Find(page, QAccessible::PushButton, "Reset"));
  sent = ReceivedOf(kSetCrop, mark, 1);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].payload.substr(20, 2), "01");
  EXPECT_TRUE(ProcessUntil([&] { return crop.CropOnOff == 0 && crop.HAct == crop.HTotal; }));
  // The fields the reset switched off do not send back what they held.
  Settle();
  EXPECT_EQ(ReceivedOf(kSetCrop, mark, 1).size(), 1u);
  EXPECT_EQ(crop.HPos, 0);
}

}  // namespace
}  // namespace qv
