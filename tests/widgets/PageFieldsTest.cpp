#include "widgets/PageFields.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <functional>

#include "WidgetEvents.h"
#include "support/RecordingLink.h"
#include "support/TempDir.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/oBitmapSlider.h"
#include "widgets/oRealEdit.h"
#include "widgets/oSliderEdit.h"

namespace qv {
namespace {

constexpr uint8_t kWindow = 2;

// A page with the fields of the switcher's fade duration, of one window's
// feathering (a numeric field, a slider, a drop list and a switch) and an
// output width that waits for an Apply button.
struct PageFixture {
  PageFixture() {
    page.show();
    button.resize(64, 24);
    for (int32_t shape = 0; shape < 4; ++shape) sharp.AddEntry(QString::number(shape), shape);
    sharp.resize(120, 20);

    const FieldCommand feather{CommandType::SetFeather,
                               [] { return std::vector<uint8_t>{kWindow}; }};
    fields.BindNumber(fade, 0, 7, NumberFormat::Int,
                      {.get = [](const DeviceModel& m) { return double(m.rec.PvwDTime); },
                       .set = [](DeviceModel& m, double v) { m.rec.PvwDTime = int32_t(v); },
                       .send = {{CommandType::SetPvwDTime}},
                       .after = [this] { sentBeforeAfter = link.sent.size(); }});
    fields.BindNumber(
        level, 0, 15, NumberFormat::Int,
        {.get = [](const DeviceModel& m) { return double(m.FeatherLevel[kWindow]); },
         .set = [](DeviceModel& m, double v) { m.FeatherLevel[kWindow] = int32_t(v); },
         .send = feather});
    fields.BindChoice(sharp, {.get = [](const DeviceModel& m) { return m.FeatherSharp[kWindow]; },
                              .set = [](DeviceModel& m, int32_t v) { m.FeatherSharp[kWindow] = v; },
                              .send = feather});
    fields.BindSwitch(button, {.get = [](const DeviceModel& m) { return m.FeatherOnOff != 0; },
                               .set = [](DeviceModel& m, bool on) { m.FeatherOnOff = on; },
                               .send = feather});
    fields.BindNumber(width, 640, 4080, NumberFormat::Int,
                      {.get = [](const DeviceModel& m) { return double(m.rec.HReso); },
                       .set = [](DeviceModel& m, double v) { m.rec.HReso = uint16_t(v); }});
  }

  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  QWidget page;
  oRealEdit fade{&page};
  oSliderEdit level{&page};
  CDropButton sharp{&page};
  CGdipButton button{"On", &page};
  oRealEdit width{&page};
  PageFields fields{encoder, page};
  std::size_t sentBeforeAfter = 0;
};

TEST(PageFields, ACommitWritesTheModelAndSendsItsCommand) {
  struct Case {
    const char* name;
    std::function<void(PageFixture&)> act;
    CommandType type;
    std::vector<std::pair<int, int>> bytes;  // payload offset, value
  };
  const Case cases[] = {
      {"typed",
       [](PageFixture& f) { test::Type(f.fade, "#5\n"); },
       CommandType::SetPvwDTime,
       {{0, 5}}},
      {"typed beyond the range",
       [](PageFixture& f) { test::Type(f.fade, "#9\n"); },
       CommandType::SetPvwDTime,
       {{0, 7}}},
      {"slider key",
       [](PageFixture& f) { QTest::keyClick(&f.level.slider(), Qt::Key_End); },
       CommandType::SetFeather,
       {{6, 15}, {9, kWindow}}},
      {"drop list choice",
       [](PageFixture& f) {
         f.sharp.ShowList();
         test::Release(f.sharp.list(), f.sharp.list().rowRect(3).center());
       },
       CommandType::SetFeather,
       {{5, 3}, {9, kWindow}}},
      {"switch click",
       [](PageFixture& f) { QTest::mouseClick(&f.button, Qt::LeftButton); },
       CommandType::SetFeather,
       {{0, 1}, {9, kWindow}}},
  };
  for (const Case& c : cases) {
    PageFixture f;
    c.act(f);
    ASSERT_EQ(f.link.sent.size(), 1u) << c.name;
    EXPECT_EQ(f.link.sent[0].type, static_cast<int>(c.type)) << c.name;
    for (const auto& [offset, value] : c.bytes) {
      EXPECT_EQ(f.link.sent[0].payload[offset], value) << c.name << " byte " << offset;
    }
  }
}

TEST(PageFields, ThePageRunsItsOwnWorkAfterTheSend) {
  PageFixture f;
  test::Type(f.fade, "#3\n");
  EXPECT_EQ(f.sentBeforeAfter, 1u);
}

TEST(PageFields, AFieldWithoutCommandOnlyWritesTheModel) {
  PageFixture f;
  test::Type(f.width, "#1920\n");
  EXPECT_EQ(f.model.rec.HReso, 1920);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(PageFields, RefreshShowsTheModelWithoutSending) {
  PageFixture f;
  f.model.rec.PvwDTime = 4;
  f.model.FeatherLevel[kWindow] = 9;
  f.model.FeatherSharp[kWindow] = 2;
  f.model.FeatherOnOff = 1;
  f.fields.Refresh();
  EXPECT_EQ(f.fade.text(), "4");
  EXPECT_EQ(f.level.box().text(), "9");
  EXPECT_EQ(f.level.slider().position(), 9);
  EXPECT_EQ(f.sharp.selectedIndex(), 2);
  EXPECT_TRUE(f.button.state());
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(PageFields, CommitsOfAHiddenPageAreIgnored) {
  PageFixture f;
  test::Type(f.fade, "#5");
  f.page.hide();
  test::LoseFocus(f.fade);
  EXPECT_EQ(f.model.rec.PvwDTime, 0);
  EXPECT_TRUE(f.link.sent.empty());
}

// A page whose fields come from table rows: a labelled number and a drop list
// whose entries are UI strings.
struct RowFixture {
  RowFixture() {
    page.resize(400, 200);
    number = &fields.Add<oRealEdit>(
        page, {.kind = FieldKind::Number,
               .id = 1301,
               .place = QRect(100, 10, 80, 24),
               .label = {.id = 1300, .text = "Fade:", .place = QRect(10, 10, 80, 24)},
               .minimum = 0,
               .maximum = 7,
               .get = [](const DeviceModel& m) { return m.rec.PvwDTime; },
               .set = [](DeviceModel& m, double v) { m.rec.PvwDTime = static_cast<int32_t>(v); },
               .send = FieldCommand{CommandType::SetPvwDTime}});
    list = &fields.Add<CDropButton>(
        page, {.kind = FieldKind::Choice,
               .id = 1302,
               .place = QRect(100, 40, 120, 24),
               .entries =
                   [](const LanguageTexts& t) {
                     return std::vector<CDropList::Entry>{{t.Ui(UiText::Opaque), 0},
                                                          {t.Ui(UiText::Translucent), 1}};
                   },
               .get = [](const DeviceModel& m) { return m.rec.SyncMode; },
               .set = [](DeviceModel& m, double v) { m.rec.SyncMode = static_cast<int32_t>(v); }});
    page.show();
  }

  test::TempDir dir;
  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  LanguageFiles files{dir.path() / "Language", dir.path() / "Info.ini"};
  UiStrings strings;
  LanguageTexts texts{files, strings};
  QWidget page;
  PageFields fields{encoder, texts, page};
  oRealEdit* number = nullptr;
  CDropButton* list = nullptr;
};

TEST(PageFieldsRows, ARowMakesItsControlAndLabelBoundToTheModel) {
  RowFixture f;
  EXPECT_EQ(ControlId(*f.number), 1301);
  EXPECT_EQ(f.number->geometry(), QRect(100, 10, 80, 24));
  QLabel* label = nullptr;
  for (QLabel* l : f.page.findChildren<QLabel*>()) {
    if (ControlId(*l) == 1300) label = l;
  }
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Fade:");
  EXPECT_EQ(label->buddy(), f.number);

  test::Type(*f.number, "#6\n");
  EXPECT_EQ(f.model.rec.PvwDTime, 6);
  ASSERT_EQ(f.link.sent.size(), 1u);
  EXPECT_EQ(f.link.sent[0].type, static_cast<int>(CommandType::SetPvwDTime));

  ASSERT_EQ(f.list->count(), 2);
  EXPECT_EQ(f.list->entry(1).text, " Translucent");
}

TEST(PageFieldsRows, EntriesFollowTheTextsAndKeepTheModelsChoice) {
  RowFixture f;
  f.model.rec.SyncMode = 1;
  f.strings.Set(static_cast<int>(UiText::Translucent), "half");
  f.fields.RefillEntries();
  EXPECT_EQ(f.list->entry(1).text, "half");
  EXPECT_EQ(f.list->selectedIndex(), 1);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(PageFieldsRows, ARefreshLeavesTheFieldBeingTypedInAlone) {
  RowFixture f;
  QApplication::setActiveWindow(&f.page);
  f.number->setFocus();
  ASSERT_TRUE(f.number->hasFocus());
  test::Type(*f.number, "#5");  // typed, not committed yet
  f.model.rec.PvwDTime = 2;
  f.fields.OnReply(ReplyKind::Ack);
  EXPECT_EQ(f.number->text(), "5");
  test::Type(*f.number, "\n");
  EXPECT_EQ(f.model.rec.PvwDTime, 5);
  f.number->clearFocus();
  f.model.rec.PvwDTime = 2;
  f.fields.OnReply(ReplyKind::Ack);
  EXPECT_EQ(f.number->text(), "2");
}

}  // namespace
}  // namespace qv
