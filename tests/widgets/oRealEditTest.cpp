#include "widgets/oRealEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <string>

#include "WidgetEvents.h"

namespace qv {
namespace {

using F = NumberFormat;

struct TypingCase {
  const char* name;
  double minimum, maximum;
  NumberFormat format;
  double initial;
  std::string keys;  // see test::Type
  const char* text;
  double value;
  int notifications;
};

TEST(oRealEdit, TypingAndCommittingFollowTheFieldRules) {
  const TypingCase cases[] = {
      // sign
      {"minus as the first character", -10, 10, F::Int, 0, "#-5", "-5", 0, 0},
      {"minus after a digit is ignored", -10, 10, F::Int, 0, "#5-", "5", 0, 0},
      {"a second minus is ignored", -10, 10, F::Int, 0, "#-^-", "-", 0, 0},
      {"no digit in front of the minus", -10, 10, F::Int, 0, "#-5^3", "-5", 0, 0},
      {"minus refused without negative range", 0, 100, F::Int, 0, "#-5", "5", 0, 0},
      // text limit
      {"-10..10 takes three characters", -10, 10, F::Int, 0, "#-123", "-12", 0, 0},
      {"0..10 takes two characters", 0, 10, F::Int, 0, "#123", "12", 0, 0},
      {"23..120 two decimals takes six", 23, 120, F::Fixed2, 23, "#120.456", "120.45", 23, 0},
      // other characters
      {"letters and blanks are ignored", 0, 100, F::Int, 0, "#1a 2", "12", 0, 0},
      {"no point in a whole-number field", 0, 100, F::Int, 0, "#1.5", "15", 0, 0},
      // decimal point
      {"point not first", 0, 5, F::Fixed1, 0, "#.5", "5", 0, 0},
      {"point not right after the minus", -10, 10, F::Fixed1, 0, "#-.5", "-5", 0, 0},
      {"point after minus and digit", -10, 10, F::Fixed1, 0, "#-1.5", "-1.5", 0, 0},
      {"one point only", 0, 100, F::Fixed2, 0, "#1.2.3", "1.23", 0, 0},
      {"point replacing a selection holding one", 0, 100, F::Fixed2, 0, "#12.5<{{.", "1.5", 0, 0},
      {"point at the text limit less two", 0, 9, F::Fixed1, 0, "#12.", "12.", 0, 0},
      {"point beyond the text limit less two", 0, 9, F::Fixed1, 0, "#123.", "123", 0, 0},
      // zeros
      {"a lone zero", 0, 100, F::Int, 5, "#0", "0", 5, 0},
      {"zero after a leading zero is refused", 0, 100, F::Int, 5, "#00", "0", 5, 0},
      {"zero in front of a digit is refused", 0, 100, F::Int, 5, "#5^0", "5", 5, 0},
      {"zero after the minus", -10, 10, F::Int, 0, "#-00", "-0", 0, 0},
      {"zeros around the point", 0, 5, F::Fixed2, 0, "#0.05", "0.05", 0, 0},
      {"trailing zero", 0, 100, F::Int, 0, "#10", "10", 0, 0},
      // commit
      {"150 in 0..100 shows 100 on Enter", 0, 100, F::Int, 0, "#150\n", "100", 100, 1},
      {"below the minimum becomes it", 23, 120, F::Fixed2, 50, "#5\n", "23.00", 23, 1},
      {"text in range is kept as typed", 0, 59, F::Int2, 0, "#5\n", "5", 5, 1},
      {"clamped text takes the format", 0, 59, F::Int2, 0, "#75\n", "59", 59, 1},
      {"empty text commits as zero, clamped", 10, 100, F::Int, 50, "#\b\n", "10", 10, 1},
      {"a lone minus reads as zero", -10, 10, F::Int, 5, "#-\n", "-", 0, 1},
      {"Enter in a never-edited field", 0, 100, F::Int, 42, "\n", "42", 42, 0},
      {"Esc in a never-edited field", 0, 100, F::Int, 42, "\x1b", "42", 42, 0},
      {"focus loss of a never-edited field", 0, 100, F::Int, 42, "~", "42", 42, 0},
      {"a refused character is no edit", 0, 100, F::Int, 42, "x^\n", "42", 42, 0},
      {"Backspace is an edit", 0, 100, F::Int, 12, "\b\n", "1", 1, 1},
      {"each Enter or Esc after an edit notifies", 0, 100, F::Int, 0, "#5\n\n\x1b", "5", 5, 3},
      {"focus loss after an edit notifies", 0, 100, F::Int, 0, "#7~", "7", 7, 1},
  };
  for (const TypingCase& c : cases) {
    oRealEdit edit;
    edit.SetUp(c.initial, c.minimum, c.maximum, true, c.format);
    QSignalSpy committed(&edit, &oRealEdit::committed);
    test::Type(edit, c.keys);
    EXPECT_EQ(edit.text(), QString(c.text)) << c.name;
    EXPECT_DOUBLE_EQ(edit.value(), c.value) << c.name;
    EXPECT_EQ(committed.size(), c.notifications) << c.name;
  }
}

TEST(oRealEdit, AFieldDisabledWhileFocusedCommitsNothing) {
  QWidget window;
  oRealEdit edit(&window);
  oRealEdit other(&window);
  edit.SetUp(5, 0, 100, true, F::Int);
  window.show();
  QApplication::setActiveWindow(&window);
  edit.setFocus();
  QSignalSpy committed(&edit, &oRealEdit::committed);
  test::Type(edit, "#7\n");
  ASSERT_EQ(committed.size(), 1);
  ASSERT_TRUE(edit.hasFocus());
  edit.setEnabled(false);  // the page switched its setting off
  EXPECT_FALSE(edit.hasFocus());
  EXPECT_EQ(committed.size(), 1);
}

TEST(oRealEdit, AClampedCommitPutsTheCaretAtTheEnd) {
  oRealEdit edit;
  edit.SetUp(0, 0, 100, true, F::Int);
  test::Type(edit, "#150^\n");
  EXPECT_EQ(edit.text(), "100");
  EXPECT_EQ(edit.cursorPosition(), 3);
}

TEST(oRealEdit, SetUpShowsTheValueInItsFormatWithoutNotifying) {
  struct Case {
    double minimum, maximum;
    NumberFormat format;
    double value;
    const char* text;
    int textLimit;
  };
  const Case cases[] = {
      {0, 100, F::Int, 7, "7", 3},
      {0, 59, F::Int2, 7, "07", 2},
      {23, 120, F::Fixed2, 42.5, "42.50", 6},
      {0, 5, F::Fixed1, 2.26, "2.3", 4},
      {-10, 10, F::Int, -3, "-3", 3},
      {10, -10, F::Int, -3, "-3", 3},  // limits given the other way round
      {0, 4080, F::Int, 640, "640", 4},
      {0, 100, F::Int, 150, "100", 3},  // clamped on the way in
      {0, 100, F::Int, 0.29 * 100, "29", 3},
  };
  for (const Case& c : cases) {
    oRealEdit edit;
    QSignalSpy committed(&edit, &oRealEdit::committed);
    edit.SetUp(c.value, c.minimum, c.maximum, true, c.format);
    EXPECT_EQ(edit.text(), QString(c.text)) << c.text;
    EXPECT_EQ(edit.cursorPosition(), edit.text().size()) << c.text;
    EXPECT_EQ(edit.textLimit(), c.textLimit) << c.text;
    EXPECT_EQ(committed.size(), 0) << c.text;
    EXPECT_TRUE(edit.pristine()) << c.text;
  }
}

TEST(oRealEdit, TheWheelStepsByOneWithinTheRangeWithoutNotifying) {
  struct Case {
    double value;
    std::vector<int> deltas;
    double expected;
  };
  const Case cases[] = {
      {5, {120}, 6},      {5, {-120}, 4}, {10, {120}, 10},   // at the maximum
      {-10, {-120}, -10}, {5, {240}, 7},  {5, {60, 60}, 6},  // two half notches
      {5, {60}, 5},
  };
  for (const Case& c : cases) {
    oRealEdit edit;
    edit.SetUp(c.value, -10, 10, true, F::Int);
    QSignalSpy committed(&edit, &oRealEdit::committed);
    for (int delta : c.deltas) test::Wheel(edit, delta);
    EXPECT_DOUBLE_EQ(edit.value(), c.expected) << c.value;
    EXPECT_EQ(edit.text(), QString::number(c.expected)) << c.value;
    EXPECT_EQ(committed.size(), 0) << c.value;
  }
}

TEST(oRealEdit, ADisabledFieldIgnoresTheWheel) {
  oRealEdit edit;
  edit.SetUp(5, 0, 10, false, F::Int);
  test::Wheel(edit, 120);
  EXPECT_DOUBLE_EQ(edit.value(), 5);
}

}  // namespace
}  // namespace qv
