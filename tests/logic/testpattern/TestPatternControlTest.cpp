#include "logic/testpattern/TestPatternControl.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/RecordingLink.h"

namespace qv {
namespace {

using Axis = TestPatternControl::Axis;
constexpr int kSetTestPattern = 12, kSetParams = 13;

class TestPatternControlTest : public ::testing::Test {
 protected:
  TestPatternControlTest() {
    model.rec.HReso = 1920;
    model.rec.VReso = 1080;
  }
  // Type and first payload byte of each command sent.
  std::vector<std::pair<int, int>> Sent() const {
    std::vector<std::pair<int, int>> sent;
    for (const auto& c : link.sent) sent.emplace_back(c.type, c.payload[0]);
    return sent;
  }

  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  TestPatternControl control{encoder};
};

using Sends = std::vector<std::pair<int, int>>;

TEST_F(TestPatternControlTest, ThePatternNumberStaysWithinTheProcessorsPatterns) {
  control.Switch(true, 110);
  EXPECT_EQ(control.Choose(111 + 1), 111) << "\">>\" at 111";
  EXPECT_EQ(control.Choose(0), 1) << "\"<<\" at 1";
  EXPECT_EQ(Sent(), (Sends{{kSetTestPattern, 110}, {kSetTestPattern, 111}, {kSetTestPattern, 1}}));
  EXPECT_EQ(model.TestPattern, 1);
}

TEST_F(TestPatternControlTest, SwitchingOffSendsNoPattern) {
  control.Switch(true, 7);
  EXPECT_EQ(control.Switch(false, 7), 0);
  EXPECT_EQ(model.TestPattern, 0);
  EXPECT_EQ(Sent(), (Sends{{kSetTestPattern, 7}, {kSetTestPattern, 0}}));
}

TEST_F(TestPatternControlTest, TheGrabShowsThePatternSwitchOffAndLeavesThePatternRunning) {
  control.Switch(true, 9);
  control.SwitchGrab(true);
  EXPECT_FALSE(control.switchOn());
  EXPECT_EQ(control.pattern(), 9);
  EXPECT_EQ(Sent(), (Sends{{kSetTestPattern, 9}, {kSetParams, 1}}));
  // The pattern switch back on takes the grab off, on the processor too.
  link.sent.clear();
  control.Switch(true, 10);
  EXPECT_FALSE(control.grabOn());
  EXPECT_EQ(Sent(), (Sends{{kSetTestPattern, 10}, {kSetParams, 0}}));
}

TEST_F(TestPatternControlTest, StoppingSendsNoPatternOnlyWhenOneRan) {
  EXPECT_FALSE(control.Stop());
  EXPECT_TRUE(link.sent.empty());
  control.Switch(true, 5);
  control.SwitchGrab(true);
  EXPECT_TRUE(control.Stop());
  EXPECT_EQ(Sent().back(), (std::pair{kSetTestPattern, 0}));
}

TEST_F(TestPatternControlTest, AGrabPositionIsHeldToTheOutput) {
  struct Case {
    Axis axis;
    int typed;
    int kept;
  };
  const Case cases[] = {{Axis::Horizontal, 5000, 1919}, {Axis::Horizontal, 1919, 1919},
                        {Axis::Horizontal, 640, 640},   {Axis::Vertical, 1080, 1079},
                        {Axis::Vertical, -1, 0},        {Axis::Vertical, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    link.sent.clear();
    EXPECT_EQ(control.SetGrabPosition(c.axis, c.typed), c.kept);
    EXPECT_EQ(control.grabPosition(c.axis), c.kept);
    ASSERT_EQ(link.sent.size(), 1u);
    const Payload& p = link.sent[0].payload;
    const int at = c.axis == Axis::Horizontal ? 1 : 3;
    EXPECT_EQ(p[0], 1);
    EXPECT_EQ(p[at] | p[at + 1] << 8, c.kept);
  }
  // Before the output is read only the field's range holds it.
  model.rec.HReso = 0;
  EXPECT_EQ(control.SetGrabPosition(Axis::Horizontal, 5000), 5000);
}

}  // namespace
}  // namespace qv
