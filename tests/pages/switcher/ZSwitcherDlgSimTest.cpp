// The switcher page operated as a person would, against the simulated processor.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "support/SimConsole.h"

namespace qv {
namespace {

using test::ProcessUntil;

class ZSwitcherDlgSimTest : public test::SimConsoleTest {
 protected:
  void SetUp() override {
    ShowWindow();
    ASSERT_TRUE(Connect());
  }
  bool Settled() {
    return ProcessUntil([&] { return !window->waiting().waiting(); });
  }
};

TEST_F(ZSwitcherDlgSimTest, TwoPanelSwitchingIsTurnedOnAndTaken) {
  Press(Find(QAccessible::PushButton, "KEYER"));
  QAccessibleInterface* mode = Await(QAccessible::Grouping, "Switch Mode");
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(Find(QAccessible::PushButton, "TAKE"), nullptr) << "no TAKE while the switcher is off";
  const std::size_t mark = Received().size();
  Press(Find(mode, QAccessible::CheckBox, "ON/OFF"));
  EXPECT_EQ(Types(ReceivedAfter(mark, 3)), (std::vector<int>{15, 59, 59}));
  ASSERT_TRUE(ProcessUntil([] { return Model().rec.PvwMode == 1; }));
  ASSERT_TRUE(Settled());

  const std::size_t panels = Received().size();
  // The panel variants are a row of two-state buttons, one of them on.
  Press(Find(mode, QAccessible::CheckBox, "Panel x 2"));
  EXPECT_EQ(Types(ReceivedAfter(panels, 4)), (std::vector<int>{59, 59, 15, 63}));
  EXPECT_TRUE(Traced(static_cast<int>(CommandType::SetPvwMode), "02"));
  ASSERT_TRUE(ProcessUntil([] { return Model().rec.PvwMode == 2; }));
  ASSERT_TRUE(Settled());
  EXPECT_EQ(Model().rec.LogoUsage, 0);

  std::array<uint8_t, kWindowCount> program;
  std::memcpy(program.data(), Model().rec.PgmState, program.size());
  QAccessibleInterface* take = Await(QAccessible::PushButton, "TAKE");
  ASSERT_NE(take, nullptr);
  Press(take);
  // One processor alone: the multi-machine switch is off.
  EXPECT_TRUE(Traced(static_cast<int>(CommandType::Take), "00"));
  EXPECT_TRUE(ProcessUntil(
      [&] { return std::memcmp(Model().rec.PgmState, program.data(), program.size()) != 0; }));
  EXPECT_TRUE(Settled());
}

}  // namespace
}  // namespace qv
