#include "pages/testpattern/ZTstPatternDlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <utility>
#include <vector>

#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/CGdipButton.h"
#include "widgets/oRealEdit.h"
#include "widgets/oSliderEdit.h"

namespace qv {
namespace {

using Request = std::pair<PageRequest, int>;
using Sends = std::vector<std::pair<int, int>>;

constexpr int kSetTestPattern = 12, kSetParams = 13;
constexpr int kPatternSwitch = 1940, kNumber = 1941, kPrevious = 1942, kNext = 1943,
              kGrabSwitch = 1944, kHStart = 1946, kColourText = 1949;

class ZTstPatternDlgTest : public ::testing::Test {
 protected:
  ZTstPatternDlgTest() {
    harness.model.rec.HReso = 1920;
    harness.model.rec.VReso = 1080;
    page = std::make_unique<ZTstPatternDlg>(harness.context);
    QObject::connect(
        page.get(), &ZTstPatternDlg::pageRequest,
        [this](PageRequest code, int argument) { requests.emplace_back(code, argument); });
    page->show();
  }
  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }
  void Click(QAbstractButton& b) { QTest::mouseClick(&b, Qt::LeftButton); }
  // As the window closes it.
  void Close() {
    page->hide();
    page->OnPageShown(PageId::TestPattern, false);
  }
  // Type and first payload byte of each command sent.
  Sends Sent() const {
    Sends sent;
    for (const auto& c : harness.link.sent) sent.emplace_back(c.type, c.payload[0]);
    return sent;
  }
  // The test pattern states the page told the window.
  std::vector<int> PatternStates() const {
    std::vector<int> states;
    for (const auto& [code, argument] : requests) {
      if (code == PageRequest::TestPatternOn) states.push_back(argument);
    }
    return states;
  }

  test::PageHarness harness;
  std::unique_ptr<ZTstPatternDlg> page;
  std::vector<Request> requests;
};

TEST_F(ZTstPatternDlgTest, ThePatternRunsFromItsSwitchAndStopsWithIt) {
  CGdipButton& patternSwitch = Find<CGdipButton>(kPatternSwitch);
  EXPECT_EQ(patternSwitch.text(), "0ff");
  EXPECT_FALSE(Find<oSliderEdit>(kNumber).isEnabled());
  EXPECT_FALSE(Find<QPushButton>(kNext).isEnabled());
  Click(patternSwitch);
  EXPECT_EQ(patternSwitch.text(), "0n");
  EXPECT_TRUE(Find<oSliderEdit>(kNumber).isEnabled());
  Click(patternSwitch);
  EXPECT_EQ(Sent(), (Sends{{kSetTestPattern, 1}, {kSetTestPattern, 0}}));
  EXPECT_EQ(PatternStates(), (std::vector<int>{1, 0}));
  EXPECT_EQ(harness.model.TestPattern, 0);
  EXPECT_FALSE(Find<QPushButton>(kPrevious).isEnabled());
}

TEST_F(ZTstPatternDlgTest, NextAtTheLastPatternSendsItAgain) {
  Click(Find<CGdipButton>(kPatternSwitch));
  test::TypeInto(Find<oSliderEdit>(kNumber).box(), "111");
  Click(Find<QPushButton>(kNext));
  EXPECT_EQ(Sent(), (Sends{{kSetTestPattern, 1}, {kSetTestPattern, 111}, {kSetTestPattern, 111}}));
  Click(Find<QPushButton>(kPrevious));
  EXPECT_EQ(Sent().back(), (std::pair{kSetTestPattern, 110}));
  EXPECT_EQ(Find<oSliderEdit>(kNumber).value(), 110);
}

TEST_F(ZTstPatternDlgTest, TheGrabGreysThePatternWithoutChangingIt) {
  Click(Find<CGdipButton>(kPatternSwitch));
  test::TypeInto(Find<oSliderEdit>(kNumber).box(), "42");
  Click(Find<CGdipButton>(kGrabSwitch));
  EXPECT_EQ(Sent(), (Sends{{kSetTestPattern, 1}, {kSetTestPattern, 42}, {kSetParams, 1}}));
  EXPECT_EQ(Find<CGdipButton>(kPatternSwitch).text(), "0ff");
  EXPECT_FALSE(Find<oSliderEdit>(kNumber).isEnabled());
  EXPECT_EQ(harness.model.TestPattern, 42) << "the grab reads the pattern's pixels";
  EXPECT_TRUE(Find<oRealEdit>(kHStart).isEnabled());

  // A position beyond the output is held to its last column.
  harness.link.sent.clear();
  test::TypeInto(Find<oRealEdit>(kHStart), "5000");
  EXPECT_EQ(Find<oRealEdit>(kHStart).value(), 1919);
  ASSERT_EQ(harness.link.sent.size(), 1u);
  const Payload& p = harness.link.sent[0].payload;
  EXPECT_EQ(p[0], 1);
  EXPECT_EQ(p[1] | p[2] << 8, 1919);
}

TEST_F(ZTstPatternDlgTest, LeavingThePageStopsThePattern) {
  Click(Find<CGdipButton>(kPatternSwitch));
  Close();
  EXPECT_EQ(Sent(), (Sends{{kSetTestPattern, 1}, {kSetTestPattern, 0}}));
  EXPECT_EQ(PatternStates(), (std::vector<int>{1, 0}));
  EXPECT_EQ(Find<CGdipButton>(kPatternSwitch).text(), "0ff");
  // Nothing runs, nothing is sent.
  page->show();
  Close();
  EXPECT_EQ(harness.link.sent.size(), 2u);
}

TEST_F(ZTstPatternDlgTest, TheGrabbedColourShowsItsValuesAndItsLowBytes) {
  harness.model.TestPatternInfo = {0x1FF, 128, 16};
  page->OnReply(ReplyKind::TestPatternInfoReply, 0);
  EXPECT_EQ(Find<QLabel>(kColourText).text(), "R:511   G:128    B:16");
  const QLabel* swatch = nullptr;
  for (const QLabel* l : page->findChildren<QLabel*>()) {
    if (l->styleSheet().contains("background")) swatch = l;
  }
  ASSERT_NE(swatch, nullptr);
  EXPECT_TRUE(swatch->styleSheet().contains(QColor(255, 128, 16).name()));
}

}  // namespace
}  // namespace qv
