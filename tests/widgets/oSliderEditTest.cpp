#include "widgets/oSliderEdit.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <functional>

#include "WidgetEvents.h"
#include "widgets/oBitmapSlider.h"
#include "widgets/oRealEdit.h"

namespace qv {
namespace {

using F = NumberFormat;

// A slider whose channel spans `span` pixels, so that positions map onto
// pixels exactly.
struct SliderFixture {
  SliderFixture(double value, double minimum, double maximum, NumberFormat format, int span) {
    edit.SetUp(value, minimum, maximum, true, format);
    edit.slider().resize(span + oBitmapSlider::kThumbWidth, 24);
  }
  oBitmapSlider& slider() { return edit.slider(); }
  QPoint At(int x) const { return {x, 12}; }
  int ThumbX() { return slider().thumbRect().center().x(); }

  oSliderEdit edit;
  QSignalSpy committed{&edit, &oSliderEdit::committed};
};

TEST(oSliderEdit, KeysMoveShowAndNotify) {
  struct Case {
    double minimum, maximum;
    NumberFormat format;
    double value;
    Qt::Key key;
    int position;
    const char* text;
  };
  const Case cases[] = {
      {0, 100, F::Int, 50, Qt::Key_Left, 49, "49"},
      {0, 100, F::Int, 50, Qt::Key_Up, 49, "49"},
      {0, 100, F::Int, 50, Qt::Key_Right, 51, "51"},
      {0, 100, F::Int, 50, Qt::Key_Down, 51, "51"},
      {0, 100, F::Int, 60, Qt::Key_PageUp, 10, "10"},
      {0, 100, F::Int, 40, Qt::Key_PageDown, 90, "90"},
      {0, 100, F::Int, 80, Qt::Key_PageDown, 100, "100"},  // limited to the range
      {0, 100, F::Int, 50, Qt::Key_Home, 0, "0"},
      {0, 100, F::Int, 50, Qt::Key_End, 100, "100"},
      {0, 100, F::Int, 100, Qt::Key_End, 100, "100"},  // already there: still notifies
      {-10, 10, F::Int, 0, Qt::Key_PageUp, -10, "-10"},
      {0, 5, F::Fixed2, 2.2, Qt::Key_Right, 221, "2.21"},
      {0, 5, F::Fixed2, 2.2, Qt::Key_PageDown, 470, "4.70"},
  };
  for (const Case& c : cases) {
    SliderFixture f(c.value, c.minimum, c.maximum, c.format, 200);
    QTest::keyClick(&f.slider(), c.key);
    EXPECT_EQ(f.slider().position(), c.position) << c.text;
    EXPECT_EQ(f.edit.box().text(), QString(c.text)) << c.text;
    ASSERT_EQ(f.committed.size(), 1) << c.text;
    EXPECT_DOUBLE_EQ(f.committed[0][0].toDouble(), QString(c.text).toDouble()) << c.text;
  }
}

TEST(oSliderEdit, TheSliderFollowsTheBox) {
  struct Case {
    const char* name;
    std::function<void(oSliderEdit&)> act;
    int position;
    int notifications;
  };
  const Case cases[] = {
      {"value shown", [](oSliderEdit& e) { e.SetValue(2.2); }, 220, 0},
      {"value typed", [](oSliderEdit& e) { test::Type(e.box(), "#2.2\n"); }, 220, 1},
      {"value typed beyond the range", [](oSliderEdit& e) { test::Type(e.box(), "#9\n"); }, 500, 1},
      {"wheel on the box", [](oSliderEdit& e) { test::Wheel(e.box(), 120); }, 200, 0},
  };
  for (const Case& c : cases) {
    SliderFixture f(1.0, 0, 5, F::Fixed2, 200);
    ASSERT_EQ(f.slider().position(), 100) << c.name;
    c.act(f.edit);
    EXPECT_EQ(f.slider().position(), c.position) << c.name;
    EXPECT_EQ(f.committed.size(), c.notifications) << c.name;
  }
}

TEST(oSliderEdit, DraggingTheThumbNotifiesEachNewPosition) {
  SliderFixture f(50, 0, 100, F::Int, 200);  // two pixels per position
  const int start = f.ThumbX();
  test::Press(f.slider(), f.At(start + 3));  // within half a thumb
  ASSERT_TRUE(f.slider().dragging());
  test::Drag(f.slider(), f.At(start + 3 + 20));
  EXPECT_EQ(f.slider().position(), 60);
  EXPECT_EQ(f.edit.box().text(), "60");
  test::Drag(f.slider(), f.At(start + 3 + 20));  // no new position
  test::Drag(f.slider(), f.At(1000));
  EXPECT_EQ(f.slider().position(), 100);
  test::Release(f.slider(), f.At(1000));
  EXPECT_FALSE(f.slider().dragging());
  EXPECT_EQ(f.edit.box().text(), "100");
  ASSERT_EQ(f.committed.size(), 2);
  EXPECT_DOUBLE_EQ(f.committed[0][0].toDouble(), 60);
  EXPECT_DOUBLE_EQ(f.committed[1][0].toDouble(), 100);
}

TEST(oSliderEdit, ReleasingSettlesTheSliderOnTheValueTheBoxShows) {
  SliderFixture f(2.2, 0, 5, F::Fixed1, 500);  // one pixel per position
  const int start = f.ThumbX();
  test::Press(f.slider(), f.At(start));
  test::Drag(f.slider(), f.At(start + 3));
  EXPECT_EQ(f.slider().position(), 223);
  EXPECT_EQ(f.edit.box().text(), "2.2");
  test::Release(f.slider(), f.At(start + 3));
  EXPECT_EQ(f.slider().position(), 220);
  ASSERT_EQ(f.committed.size(), 1);
  EXPECT_DOUBLE_EQ(f.committed[0][0].toDouble(), 2.2);
}

TEST(oSliderEdit, PressingBesideTheThumbPagesTowardsThePointer) {
  struct Case {
    int offset;  // from the thumb's centre
    int position;
  };
  const Case cases[] = {{40, 100}, {-40, 0}};
  for (const Case& c : cases) {
    SliderFixture f(50, 0, 100, F::Int, 200);  // page step 50
    test::Press(f.slider(), f.At(f.ThumbX() + c.offset));
    EXPECT_FALSE(f.slider().dragging()) << c.offset;
    EXPECT_EQ(f.slider().position(), c.position) << c.offset;
    EXPECT_EQ(f.committed.size(), 1) << c.offset;
  }
}

// A tool setting the slider's value moves it as a key would: the pair shows
// and commits the new value, limited to the range.
TEST(oSliderEdit, SettingTheAccessibleValueMovesAndCommits) {
  struct Case {
    bool enabled;
    int set;
    int position;
    const char* text;
    int notifications;
  };
  const Case cases[] = {
      {true, 321, 321, "3.21", 1},
      {true, 900, 500, "5.00", 1},
      {true, -5, 0, "0.00", 1},
      {false, 321, 100, "1.00", 0},
  };
  for (const Case& c : cases) {
    SliderFixture f(1.0, 0, 5, F::Fixed2, 200);
    f.edit.SetUp(1.0, 0, 5, c.enabled, F::Fixed2);
    QAccessibleValueInterface* value =
        QAccessible::queryAccessibleInterface(&f.slider())->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 500);
    value->setCurrentValue(c.set);
    EXPECT_EQ(f.slider().position(), c.position) << c.set;
    EXPECT_EQ(value->currentValue().toInt(), c.position) << c.set;
    EXPECT_EQ(f.edit.box().text(), c.text) << c.set;
    EXPECT_EQ(f.committed.size(), c.notifications) << c.set;
  }
}

}  // namespace
}  // namespace qv
