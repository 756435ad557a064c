// The PIP page operated as a person would, against the simulated processor.
#include <gtest/gtest.h>

#include "support/SimConsole.h"

namespace qv {
namespace {

using test::ProcessUntil;

constexpr int kSetWindowInput = static_cast<int>(CommandType::SetWindowInput);
constexpr int kSetWindowState = static_cast<int>(CommandType::SetWindowState);

class ZPIPDlgSimTest : public test::SimConsoleTest {
 protected:
  void SetUp() override {
    ShowWindow();
    ASSERT_TRUE(Connect());
  }
  QAccessibleInterface* OpenPip(const QString& group) {
    Press(Find(QAccessible::PushButton, "PIP"));
    return Await(QAccessible::Grouping, group);
  }
};

TEST_F(ZPIPDlgSimTest, APipIsSwitchedOnAndGivenAnInput) {
  // The processor starts with PIP-3 off, showing SDI-1.
  QAccessibleInterface* pip3 = OpenPip("PIP-3");
  ASSERT_NE(pip3, nullptr);
  Press(Find(pip3, QAccessible::CheckBox, "ON/OFF"));
  // Window 3 on, alpha 64.
  EXPECT_TRUE(Traced(kSetWindowState, "030140"));
  QAccessibleInterface* input = Find(pip3, QAccessible::ComboBox, "Input");
  ASSERT_NE(input, nullptr);
  Press(input);
  ASSERT_TRUE(input->state().expanded);
  Press(Find(input, QAccessible::ListItem, "HDMI-1"));
  // Window 3 from physical input 1, the whole of it.
  EXPECT_TRUE(Traced(kSetWindowInput, "030100"));
  EXPECT_TRUE(ProcessUntil([] { return Model().rec.Chnl[3].ChnlInput == 1; }));
  EXPECT_EQ(input->text(QAccessible::Value), "HDMI-1");
}

TEST_F(ZPIPDlgSimTest, AfterATakeInOnePanelModePip1IsOnProgramAndLocked) {
  Press(Find(QAccessible::PushButton, "KEYER"));
  QAccessibleInterface* mode = Await(QAccessible::Grouping, "Switch Mode");
  ASSERT_NE(mode, nullptr);
  Press(Find(mode, QAccessible::CheckBox, "ON/OFF"));
  ASSERT_TRUE(ProcessUntil([] { return Model().rec.PvwMode == 1; }));
  ASSERT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
  Press(Await(QAccessible::PushButton, "TAKE"));
  // The PIPs, on preview in one panel mode, go to program.
  ASSERT_TRUE(ProcessUntil([] { return Model().rec.PgmState[1] != 0; }));
  ASSERT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));

  QAccessibleInterface* pip1 = OpenPip("PGM");
  ASSERT_NE(pip1, nullptr);
  for (const QAccessible::Role role : {QAccessible::CheckBox, QAccessible::ComboBox}) {
    QAccessibleInterface* control = Find(pip1, role, "");
    ASSERT_NE(control, nullptr) << role;
    EXPECT_TRUE(control->state().disabled) << role;
  }
  const std::size_t mark = Received().size();
  Press(Find(pip1, QAccessible::ComboBox, ""));
  EXPECT_FALSE(Find(pip1, QAccessible::ComboBox, "")->state().expanded);
  EXPECT_TRUE(NothingOf(kSetWindowInput, mark));
}

}  // namespace
}  // namespace qv
