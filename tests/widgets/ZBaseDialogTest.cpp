#include "widgets/ZBaseDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <fstream>
#include <functional>

#include "support/TempDir.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/oRealEdit.h"

namespace qv {
namespace {

constexpr int kPictureTemplate = 110;
constexpr int kPictureTitle = 68;

TEST(ZBaseDialog, TheTitleBandIsTwoGradientsOverTheDarkGround) {
  ZBaseDialog page(kPictureTemplate, kPictureTitle);
  page.resize(300, 60);
  const QImage image = page.grab().toImage();
  const std::pair<int, int> rows[] = {{0, 83}, {12, 47}, {13, 23}, {25, 7}, {26, 16}, {59, 16}};
  for (const auto& [row, level] : rows) {
    EXPECT_EQ(image.pixelColor(4, row), QColor(level, level, level)) << row;
  }
  EXPECT_EQ(page.title(), "Picture Setting");

  ZBaseDialog bare(154, ZBaseDialog::kNoTitle);
  bare.resize(300, 60);
  EXPECT_EQ(bare.grab().toImage().pixelColor(4, 0), QColor(16, 16, 16));
  EXPECT_EQ(bare.closeButton(), nullptr);
}

TEST(ZBaseDialog, TheCloseButtonSitsAtTheBandsRightEndAndHidesThePage) {
  ZBaseDialog page(kPictureTemplate, kPictureTitle);
  QSignalSpy closed(&page, &ZBaseDialog::closedByUser);
  page.ShowPage(true);
  for (int width : {300, 520}) {
    page.resize(width, 200);
    EXPECT_EQ(page.closeButton()->geometry(), QRect(width - 25, 1, 24, 24)) << width;
  }
  QTest::mouseClick(page.closeButton(), Qt::LeftButton);
  EXPECT_TRUE(page.isHidden());
  EXPECT_EQ(closed.size(), 1);
}

class ApplyLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_.path() / "Language");
    std::ofstream(dir_.path() / "Language" / "English.ini") << "[Setting]\nLanguage=English\n"
                                                               "[String]\n"
                                                               "IDD110_Title=Picture\n"
                                                               "IDS_1001=Brightness :\n"
                                                               "IDS_1002=Not for edits\n"
                                                               "IDS_1003=\"Reset \"\n"
                                                               "IDS_1004=Color Temperature\n"
                                                               "IDS_1006=\n"
                                                               "SIDS_68=Picture Adjust\n";
    files_.SelectLanguage("English");
    files_.ReloadUiStrings(strings_);
  }

  test::TempDir dir_;
  LanguageFiles files_{dir_.path() / "Language", dir_.path() / "Info.ini"};
  UiStrings strings_;
};

TEST_F(ApplyLanguageTest, ControlsWithAnIdTakeTheirTextExceptEditControls) {
  enum class Kind { Label, Button, Group, NumericField, LineEdit };
  struct Case {
    const char* name;
    Kind kind;
    int id;
    bool visible;
    bool nested;  // inside a group frame rather than on the page
    const char* text;
  };
  const Case cases[] = {
      {"label", Kind::Label, 1001, true, false, "Brightness :"},
      {"label in a group frame", Kind::Label, 1001, true, true, "Brightness :"},
      {"button, quoted blanks kept", Kind::Button, 1003, true, false, "Reset "},
      {"hidden button", Kind::Button, 1003, false, false, "Reset "},
      {"group caption", Kind::Group, 1004, true, false, "Color Temperature"},
      {"numeric field", Kind::NumericField, 1002, true, false, "5"},
      {"line edit", Kind::LineEdit, 1002, true, false, "typed"},
      {"empty entry", Kind::Label, 1006, true, false, "default"},
      {"no entry", Kind::Label, 1009, true, false, "default"},
      {"no control id", Kind::Label, 0, true, false, "default"},
  };
  ZBaseDialog page(kPictureTemplate, kPictureTitle);
  auto* frame = new CSxGroupBox("frame", &page);
  std::vector<std::function<QString()>> texts;
  std::vector<QWidget*> controls;
  for (const Case& c : cases) {
    QWidget* parent = c.nested ? static_cast<QWidget*>(frame) : &page;
    QWidget* control = nullptr;
    switch (c.kind) {
      case Kind::Label: {
        auto* label = new QLabel("default", parent);
        texts.push_back([label] { return label->text(); });
        control = label;
        break;
      }
      case Kind::Button: {
        auto* button = new QPushButton("default", parent);
        texts.push_back([button] { return button->text(); });
        control = button;
        break;
      }
      case Kind::Group: {
        auto* group = new CSxGroupBox("default", parent);
        texts.push_back([group] { return group->caption(); });
        control = group;
        break;
      }
      case Kind::NumericField: {
        auto* field = new oRealEdit(parent);
        field->SetUp(5, 0, 10, true, NumberFormat::Int);
        texts.push_back([field] { return field->text(); });
        control = field;
        break;
      }
      case Kind::LineEdit: {
        auto* edit = new QLineEdit("typed", parent);
        texts.push_back([edit] { return edit->text(); });
        control = edit;
        break;
      }
    }
    if (c.id != 0) SetControlId(*control, c.id);
    control->setVisible(c.visible);
    controls.push_back(control);
  }
  page.show();

  page.ApplyLanguage(LanguageTexts(files_, strings_));

  EXPECT_EQ(page.windowTitle(), "Picture");
  EXPECT_EQ(page.title(), "Picture Adjust");
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(texts[i](), QString(cases[i].text)) << cases[i].name;
    EXPECT_EQ(controls[i]->isHidden(), !cases[i].visible) << cases[i].name;
  }
}

TEST_F(ApplyLanguageTest, AMissingTitleKeepsTheOldOne) {
  ZBaseDialog page(kPictureTemplate + 1, kPictureTitle);
  page.setWindowTitle("Old");
  ZBaseDialog::ApplyDialogTexts(page, kPictureTemplate + 1, LanguageTexts(files_, strings_));
  EXPECT_EQ(page.windowTitle(), "Old");
}

TEST(ZBaseDialog, TabWalksTheFieldsAsTheyRead) {
  ZBaseDialog page(kPictureTemplate, kPictureTitle);
  page.resize(400, 200);
  // Made in another order than they stand: two rows, the second row's
  // fields a few pixels apart in height, one inside a group.
  auto* group = new CSxGroupBox("Group", &page);
  group->setGeometry(200, 90, 180, 80);
  const auto field = [](QWidget* parent, const char* name, QRect r) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(r);
    return edit;
  };
  field(group, "second row right", QRect(10, 20, 60, 24));
  field(&page, "first row right", QRect(200, 40, 60, 24));
  field(&page, "second row left", QRect(10, 114, 60, 24));
  field(&page, "first row left", QRect(10, 40, 60, 24));
  page.ShowPage(true);

  std::vector<QString> order;
  QWidget* w = page.findChild<QLineEdit*>("first row left");
  for (int i = 0; i < 4; ++i, w = w->nextInFocusChain()) {
    while (!qobject_cast<QLineEdit*>(w)) w = w->nextInFocusChain();
    order.push_back(w->objectName());
  }
  EXPECT_EQ(order, (std::vector<QString>{"first row left", "first row right", "second row left",
                                         "second row right"}));
}

}  // namespace
}  // namespace qv
