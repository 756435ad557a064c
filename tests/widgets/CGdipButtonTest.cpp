#include "widgets/CGdipButton.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qv
