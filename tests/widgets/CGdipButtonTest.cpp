#include "widgets/CGdipButton.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

namespace qv {
namespace {

TEST(CGdipButton, AClickFlipsTheStateBeforeTheHandlerWhichMayRefuseIt) {
  struct Case {
    bool initial;
    bool refuse;
    bool final;
  };
  const Case cases[] = {
      {false, false, true}, {false, true, false}, {true, false, false}, {true, true, true}};
  for (const Case& c : cases) {
    CGdipButton button("Switch");
    button.resize(64, 24);
    button.SetState(c.initial);
    QSignalSpy toggled(&button, &CGdipButton::toggled);
    bool seen = c.initial;
    QObject::connect(&button, &CGdipButton::clicked, &button, [&](bool on) {
      seen = button.state();
      EXPECT_EQ(on, seen);
      if (c.refuse) button.SetState(!on);
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(seen, !c.initial);
    EXPECT_EQ(button.state(), c.final);
    EXPECT_EQ(toggled.size(), 1);  // the flip only; SetState emits nothing
  }
}

// A tool pressing or toggling the button must reach the page's clicked()
// handler, which may refuse the new state, exactly as a click does.
TEST(CGdipButton, TheAccessibleActionsClickIt) {
  struct Case {
    const char* action;
    bool initial;
    bool refuse;
    bool enabled;
    bool final;
    int clicks;
  };
  const QString press = QAccessibleActionInterface::pressAction();
  const QString toggle = QAccessibleActionInterface::toggleAction();
  const Case cases[] = {
      {"Press", false, false, true, true, 1},  {"Toggle", false, false, true, true, 1},
      {"Toggle", true, false, true, false, 1}, {"Press", false, true, true, false, 1},
      {"Toggle", false, true, true, false, 1}, {"Toggle", false, false, false, false, 0},
      {"Press", true, false, false, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.action) + (c.refuse ? " refused" : "") +
                 (c.enabled ? "" : " disabled"));
    CGdipButton button("Freeze");
    button.SetState(c.initial);
    button.setEnabled(c.enabled);
    QSignalSpy clicked(&button, &CGdipButton::clicked);
    QObject::connect(&button, &CGdipButton::clicked, &button, [&](bool on) {
      if (c.refuse) button.SetState(!on);
    });
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(iface->actionInterface(), nullptr);
    EXPECT_TRUE(iface->actionInterface()->actionNames().contains(c.action));
    iface->actionInterface()->doAction(c.action == std::string("Press") ? press : toggle);
    EXPECT_EQ(clicked.size(), c.clicks);
    EXPECT_EQ(button.state(), c.final);
    EXPECT_EQ(iface->state().checked, c.final);
  }
}

}  // namespace
}  // namespace qv
