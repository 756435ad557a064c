// The test pattern page operated as a person would, against the simulator.
#include <gtest/gtest.h>

#include "pages/main/ZMainDlg.h"
#include "support/SimConsole.h"

namespace qv {
namespace {

using test::ProcessUntil;

constexpr int kSetTestPattern = 12, kSetParams = 13, kPresetCommand = 1;

class ZTstPatternDlgSimTest : public test::SimConsoleTest {
 protected:
  void SetUp() override {
    ShowWindow();
    ASSERT_TRUE(Connect());
    Press(Find(QAccessible::PushButton, "TEST PATTERN"));
    ASSERT_TRUE(ProcessUntil([&] { return window->page(PageId::TestPattern)->isVisible(); }));
    page = QAccessible::queryAccessibleInterface(window->page(PageId::TestPattern));
  }
  // The first bytes of each pattern command since `mark`, once `count` came.
  std::vector<std::string> Patterns(std::size_t mark, std::size_t count) {
    std::vector<std::string> sent;
    for (const auto& c : ReceivedOf(kSetTestPattern, mark, count)) {
      sent.push_back(c.payload.substr(0, 2));
    }
    return sent;
  }

  QAccessibleInterface* page = nullptr;
};

TEST_F(ZTstPatternDlgSimTest, PatternsAreSteppedToTheLastAndStopWhenThePageCloses) {
  std::size_t mark = Received().size();
  // A press goes through as a click would, a moment later: each is awaited.
  Press(Find(page, QAccessible::CheckBox, "Test Pattern"));
  ASSERT_EQ(Patterns(mark, 1).size(), 1u);
  Press(Find(page, QAccessible::PushButton, ">>"));
  ASSERT_EQ(Patterns(mark, 2).size(), 2u);
  TypeInto(Find(page, QAccessible::EditableText, "Test Pattern"), "111");
  ASSERT_EQ(Patterns(mark, 3).size(), 3u);
  Press(Find(page, QAccessible::PushButton, ">>"));
  EXPECT_EQ(Patterns(mark, 4), (std::vector<std::string>{"01", "02", "6f", "6f"}));
  EXPECT_TRUE(window->page<ZMainDlg>(PageId::Main).windowsLocked()) << "the canvas holds";

  // Another view in its place: the pattern stops.
  mark = Received().size();
  Press(Find(QAccessible::PushButton, "TIME/TASK"));
  EXPECT_EQ(Patterns(mark, 1), (std::vector<std::string>{"00"}));
  EXPECT_EQ(Model().TestPattern, 0);
}

TEST_F(ZTstPatternDlgSimTest, ThePixelGrabReadsTheColourAtAPositionHeldToTheOutput) {
  std::size_t mark = Received().size();
  Press(Find(page, QAccessible::CheckBox, "Pixel Grab"));
  ASSERT_EQ(ReceivedOf(kSetParams, mark, 1).size(), 1u);
  // The processor answers with the colour of its output's first column.
  ASSERT_TRUE(ProcessUntil([] { return Model().TestPatternInfo != std::array<uint16_t, 3>{}; }));
  const auto rgb = Model().TestPatternInfo;
  EXPECT_NE(Find(page, QAccessible::StaticText,
                 QStringLiteral("R:%1   G:%2    B:%3").arg(rgb[0]).arg(rgb[1]).arg(rgb[2])),
            nullptr);

  mark = Received().size();
  TypeInto(Find(page, QAccessible::EditableText, "H Start"), "5000");
  const auto grab = ReceivedOf(kSetParams, mark, 1);
  ASSERT_EQ(grab.size(), 1u);
  EXPECT_EQ(grab[0].payload.substr(0, 6), "017f07") << "on, at column 1919";

  // A preset load with a pattern on stops the pattern first.
  mark = Received().size();
  Press(Find(page, QAccessible::CheckBox, "Test Pattern"));
  ASSERT_EQ(ReceivedOf(kSetTestPattern, mark, 1).size(), 1u);
  window->ChoosePresetList(PresetControl::List::Templates);
  window->ChoosePreset(0);
  mark = Received().size();
  window->LoadPreset();
  const auto sent = ReceivedAfter(mark, 2);
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[0].type, kSetTestPattern);
  EXPECT_EQ(sent[0].payload.substr(0, 2), "00");
  EXPECT_EQ(sent[1].type, kPresetCommand);
}

}  // namespace
}  // namespace qv
