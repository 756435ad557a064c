#include "pages/media/ZMediaPlayerDlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>

#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/ChoiceButtons.h"

namespace qv {
namespace {

constexpr int kMediaPlayerCommand = 34;

class ZMediaPlayerDlgTest : public ::testing::Test {
 protected:
  void Build(int slot6, int slot7) {
    harness.model.rec.InputSrc[6] = slot6;
    harness.model.rec.InputSrc[7] = slot7;
    page = std::make_unique<ZMediaPlayerDlg>(harness.context);
    page->OnReply(ReplyKind::FullStateReply, 0);
    page->show();
  }
  QPushButton& Button(int id) { return test::FindControl<QPushButton>(*page, id); }

  test::PageHarness harness;
  std::unique_ptr<ZMediaPlayerDlg> page;
};

TEST_F(ZMediaPlayerDlgTest, TheFittedDisksDecideWhatCanBeChosen) {
  struct Case {
    const char* name;
    int slot6, slot7;
    bool disk1, disk2;
    int chosen;
  };
  const Case cases[] = {
      {"both disks", 9, 9, true, true, 0},
      {"only the first", 9, 6, true, false, 0},
      {"only the second", 3, 9, false, true, 1},
      {"none", 6, 8, false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Build(c.slot6, c.slot7);
    EXPECT_EQ(Button(1582).isEnabled(), c.disk1);
    EXPECT_EQ(Button(1583).isEnabled(), c.disk2);
    EXPECT_EQ(page->disk(), c.chosen);
  }
}

TEST_F(ZMediaPlayerDlgTest, AKeyGoesToTheChosenDiskOrTheFirstWithoutOne) {
  Build(9, 9);
  QTest::mouseClick(&Button(1579), Qt::LeftButton);  // down, no disk chosen
  QTest::mouseClick(&Button(1583), Qt::LeftButton);
  QTest::mouseClick(&Button(1575), Qt::LeftButton);  // OK on the second disk
  ASSERT_EQ(harness.link.SentTypes(), (std::vector<int>{kMediaPlayerCommand, kMediaPlayerCommand}));
  EXPECT_EQ(harness.link.sent[0].payload[0], 5);
  EXPECT_EQ(harness.link.sent[0].payload[1], 0);
  EXPECT_EQ(harness.link.sent[1].payload[0], 1);
  EXPECT_EQ(harness.link.sent[1].payload[1], 1);
}

}  // namespace
}  // namespace qv
