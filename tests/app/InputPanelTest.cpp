#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <functional>

#include "app/InputPanel.h"
#include "support/RecordingLink.h"
#include "support/TempDir.h"

namespace qv {
namespace {

using Rect = InputPanelLayout::Rect;

class InputPanelTest : public ::testing::Test {
 protected:
  InputPanelTest() : settings(dir.path() / "Info.ini"), encoder(model, link) { Build(); }

  void Build() {
    panel = std::make_unique<InputPanel>(encoder, settings);
    panel->resize(1280, InputPanelLayout::kPanelHeight);
    panel->show();
  }

  QPoint Centre(const Rect& r) const {
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  QPoint TileCentre(int tile) const { return Centre(panel->tileLayout().Tile(tile)); }

  QPushButton* Button(int controlId) const {
    for (QPushButton* b : panel->findChildren<QPushButton*>()) {
      if (b->property("controlId").toInt() == controlId) return b;
    }
    ADD_FAILURE() << "no button " << controlId;
    return nullptr;
  }

  // The plate of a highlighted icon is orange, a plain one dark grey.
  bool Highlighted(const QImage& shot, int tile) const {
    const Rect& r = panel->tileLayout().Tile(tile);
    const QColor c = shot.pixelColor(r.left + 3, (r.top + r.bottom) / 2);
    return c.red() > 200 && c.green() > 120 && c.blue() < 60;
  }

  std::vector<std::vector<int>> Sent() const {
    std::vector<std::vector<int>> out;
    for (const auto& c : link.sent)
      out.push_back({c.type, c.payload[0], c.payload[1], c.payload[2]});
    return out;
  }

  test::TempDir dir;
  InfoSettings settings;
  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder;
  std::unique_ptr<InputPanel> panel;
};

TEST_F(InputPanelTest, PressingATileRoutesItAndTheHighlightFollowsTheCurrentWindow) {
  model.rec.Chnl[2].ChnlInput = 4;
  QSignalSpy changed(panel.get(), &InputPanel::inputChanged);

  QTest::mouseClick(panel.get(), Qt::LeftButton, {}, TileCentre(3));
  EXPECT_EQ(Sent(), (std::vector<std::vector<int>>{{7, 0, 3, 0}}));
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.takeFirst().at(0).toInt(), 0);
  QImage shot = panel->grab().toImage();
  EXPECT_TRUE(Highlighted(shot, 3));
  EXPECT_FALSE(Highlighted(shot, 0));

  // Pressing it again changes nothing; SDI-1's empty place presses nothing.
  QTest::mouseClick(panel.get(), Qt::LeftButton, {}, TileCentre(3));
  QTest::mouseClick(panel.get(), Qt::LeftButton, {}, TileCentre(5));
  EXPECT_EQ(link.sent.size(), 1u);
  EXPECT_EQ(changed.count(), 0);

  model.CurrentWindow = 2;
  panel->FollowWindow(2);
  EXPECT_EQ(link.sent.size(), 1u);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.takeFirst().at(0).toInt(), 2);
  shot = panel->grab().toImage();
  EXPECT_TRUE(Highlighted(shot, 4));
  EXPECT_FALSE(Highlighted(shot, 3));

  // A page's input change: with send the processor is told, without only the pages.
  panel->InputChanged(1, true);
  panel->InputChanged(3, false);
  EXPECT_EQ(Sent().back(), (std::vector<int>{7, 1, 0, 0}));
  EXPECT_EQ(link.sent.size(), 2u);
  EXPECT_EQ(changed.count(), 2);
}

TEST_F(InputPanelTest, DoubleClickUnderATileRenamesItOnEnterAndEscAlike) {
  enum class Commit { Enter, Escape, PressElsewhere };
  struct Case {
    int tile;
    const char* typed;
    Commit commit;
  };
  const Case cases[] = {
      {1, "Stage Left", Commit::Enter},
      {1, "Laptop", Commit::Escape},
      {3, "Camera 2", Commit::PressElsewhere},
      {1, "", Commit::Enter},  // empty: the built-in label alone again
  };
  auto* box = panel->findChild<NameBox*>();
  ASSERT_NE(box, nullptr);
  for (const Case& c : cases) {
    const Rect strip = panel->tileLayout().NameStrip(c.tile);
    QTest::mouseDClick(panel.get(), Qt::LeftButton, {}, Centre(strip));
    ASSERT_TRUE(box->isVisible()) << c.typed;
    EXPECT_EQ(box->geometry(), QRect(strip.left, strip.top, strip.Width(), strip.Height()));
    EXPECT_EQ(box->text().toStdString(), model.InputLabels[c.tile].displayName);
    QTest::keyClick(box, Qt::Key_Backspace);  // the old name comes selected
    QTest::keyClicks(box, c.typed);
    switch (c.commit) {
      case Commit::Enter:
        QTest::keyClick(box, Qt::Key_Return);
        break;
      case Commit::Escape:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
      case Commit::PressElsewhere:
        QTest::mouseClick(panel.get(), Qt::LeftButton, {}, QPoint(640, 105));
        break;
    }
    EXPECT_FALSE(box->isVisible()) << c.typed;
    EXPECT_EQ(model.InputLabels[c.tile].displayName, c.typed);
    EXPECT_EQ(InfoSettings(settings.path()).InputRemark(c.tile), c.typed);
  }
  EXPECT_EQ(model.InputLabels[1].label, " HDMI-1 ");
  EXPECT_TRUE(link.sent.empty());

  // A console started later shows the names kept.
  DeviceModel later;
  CommandEncoder laterEncoder(later, link);
  InputPanel again(laterEncoder, settings);
  again.LoadDisplayNames();
  EXPECT_EQ(later.InputLabels[3].displayName, "Camera 2");
  EXPECT_EQ(later.InputLabels[1].displayName, "");
}

TEST_F(InputPanelTest, DoubleClickOpensNoBoxOutsideAShownTilesNameStrip) {
  auto* box = panel->findChild<NameBox*>();
  for (const QPoint at : {Centre(panel->tileLayout().NameStrip(5)),
                          Centre(panel->tileLayout().NameStrip(7)), TileCentre(0)}) {
    QTest::mouseDClick(panel.get(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(box->isVisible()) << at.x() << "," << at.y();
  }
}

TEST_F(InputPanelTest, LayerSwitchesSendTheWindowStateAndBothRowsAgree) {
  struct Case {
    const char* name;
    int controlId;  // PIP-1..3: left 1248..1250, right 1467..1469
    int window;
    uint8_t logoUsage, logoValid;
    std::vector<std::vector<int>> sent;
    int logoSignals, layerSignals;
    bool onAfter;
  };
  const Case cases[] = {
      {"left PIP-2", 1249, 2, 0, 0, {{8, 2, 1, 0}}, 0, 1, true},
      {"right PIP-1", 1467, 1, 0, 0, {{8, 1, 1, 0}}, 0, 1, true},
      {"left PIP-3, window 3 a PIP", 1250, 3, 0, 0, {{8, 3, 1, 0}}, 1, 1, true},
      {"left PIP-3, logo stored", 1250, 3, 1, 1, {}, 1, 0, true},
      {"left PIP-3, no logo stored", 1250, 3, 1, 0, {}, 0, 0, false},
  };
  // By the mouse, and by an assistive tool's toggle, which never clicks.
  const std::pair<const char*, std::function<void(QPushButton*)>> ways[] = {
      {"click", [](QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }},
      {"accessible toggle",
       [](QPushButton* b) {
         QAccessible::queryAccessibleInterface(b)->actionInterface()->doAction(
             QAccessibleActionInterface::toggleAction());
       }},
  };
  for (const auto& [way, act] : ways) {
    for (const Case& c : cases) {
      model = DeviceModel();
      model.rec.LogoUsage = c.logoUsage;
      model.rec.LogoValid[3] = c.logoValid;
      link.sent.clear();
      Build();
      QSignalSpy logo(panel.get(), &InputPanel::logoSwitched);
      QSignalSpy layer(panel.get(), &InputPanel::layerSwitched);

      act(Button(c.controlId));
      EXPECT_EQ(Sent(), c.sent) << c.name << ", " << way;
      EXPECT_EQ(logo.count(), c.logoSignals) << c.name << ", " << way;
      EXPECT_EQ(layer.count(), c.layerSignals) << c.name << ", " << way;
      EXPECT_EQ(Button(InputPanel::kLeftMainId + c.window)->isChecked(), c.onAfter)
          << c.name << ", " << way;
      EXPECT_EQ(Button(InputPanel::kRightMainId + c.window)->isChecked(), c.onAfter)
          << c.name << ", " << way;
    }
  }
}

TEST_F(InputPanelTest, SwitchesShowTheModelAndTheMainSwitchDoesNothing) {
  QSignalSpy layer(panel.get(), &InputPanel::layerSwitched);
  model.rec.Chnl[1].ChnlOnOff = 1;
  model.rec.Chnl[3].ChnlOnOff = 0;
  model.rec.LogoUsage = 1;
  model.rec.LogoOnOff = 1;
  panel->RefreshLayerSwitches();
  for (int first : {InputPanel::kLeftMainId, InputPanel::kRightMainId}) {
    EXPECT_TRUE(Button(first + 1)->isChecked());
    EXPECT_FALSE(Button(first + 2)->isChecked());
    EXPECT_TRUE(Button(first + 3)->isChecked());
    QTest::mouseClick(Button(first), Qt::LeftButton);
  }
  EXPECT_EQ(layer.count(), 0);
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(InputPanelTest, TopButtonsRaiseAWindowAndHideThemselves) {
  QSignalSpy raise(panel.get(), &InputPanel::raiseWindowRequested);
  EXPECT_FALSE(Button(InputPanel::kFirstTopId)->isVisible());
  panel->SetTopButtonsVisible(true);
  QTest::mouseClick(Button(InputPanel::kFirstTopId + 2), Qt::LeftButton);
  ASSERT_EQ(raise.count(), 1);
  EXPECT_EQ(raise.takeFirst().at(0).toInt(), 2);
  for (int k = 0; k < kWindowCount; ++k) {
    EXPECT_FALSE(Button(InputPanel::kFirstTopId + k)->isVisible());
  }
  EXPECT_TRUE(link.sent.empty());
}

// The tiles are painted: a screen reader or a GUI test tool reaches them
// only through the panel's accessible children.
TEST_F(InputPanelTest, EachShownTileIsAnAccessibleButtonThatPressesLikeTheMouse) {
  const int32_t cards[kInputSlotCount] = {4, 6, 4, 6, 8, 7, 4, 0};  // slot 6: DVI-3
  std::copy(std::begin(cards), std::end(cards), model.rec.InputSrc);
  model.RelabelInputsFromRecord();
  settings.SetInputRemark(1, "Camera 1");
  panel->LoadDisplayNames();
  QSignalSpy changed(panel.get(), &InputPanel::inputChanged);

  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(panel.get());
  ASSERT_NE(iface, nullptr);
  std::vector<int> shown;
  for (int tile = 0; tile < kInputCodeCount; ++tile) {
    if (InputPanelLayout::Shown(model, tile)) shown.push_back(tile);
  }
  std::vector<QAccessibleInterface*> tiles;
  // The real buttons below the panel, by name; Qt makes the PIP switches,
  // which keep a state, check boxes.
  QStringList buttons;
  const std::function<void(QAccessibleInterface*)> collect = [&](QAccessibleInterface* i) {
    if (i->role() == QAccessible::Button || i->role() == QAccessible::CheckBox) {
      buttons << i->text(QAccessible::Name);
    }
    for (int k = 0; k < i->childCount(); ++k) collect(i->child(k));
  };
  for (int i = 0; i < iface->childCount(); ++i) {
    QAccessibleInterface* child = iface->child(i);
    ASSERT_NE(child, nullptr) << i;
    EXPECT_EQ(iface->indexOfChild(child), i);
    EXPECT_EQ(child->parent(), iface);
    if (child->object() == nullptr) {
      tiles.push_back(child);
    } else {
      collect(child);
    }
  }
  ASSERT_EQ(tiles.size(), shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const InputLabel& input = model.InputLabels[shown[i]];
    const QString label = QString::fromStdString(input.label).trimmed();
    SCOPED_TRACE(label.toStdString());
    EXPECT_EQ(tiles[i]->role(), QAccessible::Button);
    EXPECT_EQ(tiles[i]->text(QAccessible::Name), shown[i] == 1 ? "Camera 1" : label);
    EXPECT_EQ(tiles[i]->text(QAccessible::Description), shown[i] == 1 ? label : "");
    // A tool finds the tile where the panel draws it.
    const QPoint centre = panel->mapToGlobal(Centre(panel->tileLayout().Tile(shown[i])));
    EXPECT_EQ(iface->childAt(centre.x(), centre.y()), tiles[i]);
    EXPECT_EQ(tiles[i]->state().checked, shown[i] == 0);  // window 0 shows input 0
  }
  for (const char* name : {"MAIN", "PIP-1", "PIP-2", "PIP-3", "TOP-M", "TOP-1", "TOP-2", "TOP-3"}) {
    EXPECT_GE(buttons.count(name), 1) << name;
  }

  // Pressing DVI-3 (the tile of slot 6) routes it to the current window.
  const auto dvi3 = std::find(shown.begin(), shown.end(), 6);
  ASSERT_NE(dvi3, shown.end());
  QAccessibleInterface* tile = tiles[dvi3 - shown.begin()];
  ASSERT_NE(tile->actionInterface(), nullptr);
  tile->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(Sent(), (std::vector<std::vector<int>>{{7, 0, 6, 0}}));
  EXPECT_EQ(model.rec.Chnl[0].ChnlInput, 6);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_TRUE(tile->state().checked);
  EXPECT_FALSE(tiles[0]->state().checked);

  // Again: nothing to send, as with the mouse.
  tile->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(link.sent.size(), 1u);
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(InputPanelTest, BusyProcessorPicture) {
  const int32_t cards[kInputSlotCount] = {4, 6, 4, 6, 8, 7, 8, 3};
  std::copy(std::begin(cards), std::end(cards), model.rec.InputSrc);
  model.rec.DpMode[0] = 1;
  model.RelabelInputsFromRecord();
  model.ApplyDpModes();
  const uint8_t signal[kInputSlotCount] = {1, 1, 0, 1, 1, 0, 1, 1};
  std::copy(std::begin(signal), std::end(signal), model.rec.InputState);
  model.rec.InputReso[0] = {0, 1920, 1080, 6000, 0};
  model.rec.InputReso[1] = {0, 3840, 2160, 3000, 0};
  model.rec.InputReso[3] = {0, 1920, 540, 5994, 1};
  model.rec.InputReso[4] = {0, 2560, 1440, 6000, 0};
  model.rec.InputReso[6] = {0, 1280, 720, 5000, 0};
  model.rec.InputReso[7] = {0, 1024, 768, 6000, 0};
  settings.SetInputRemark(0, "Media Server");
  settings.SetInputRemark(1, "Camera 1");
  settings.SetInputRemark(3, "Camera 2");
  settings.SetInputRemark(9, "Slides");
  model.rec.Chnl[0] = {1, 255, 1};
  model.rec.Chnl[1] = {1, 200, 9};
  model.rec.Chnl[2] = {0, 255, 3};
  model.rec.Chnl[3] = {1, 128, 7};
  model.CurrentWindow = 1;
  Build();
  panel->LoadDisplayNames();
  panel->FollowWindow(1);
  panel->RefreshLayerSwitches();
  panel->SetLoopOutSource(3);
  panel->SetTopButtonsVisible(true);

  const QImage shot = panel->grab().toImage();
  EXPECT_TRUE(shot.save("/tmp/input-panel.png"));
  EXPECT_TRUE(Highlighted(shot, 9));
  for (int tile : {0, 1, 3, 6, 7, 8}) EXPECT_FALSE(Highlighted(shot, tile)) << tile;
  // The loop-out marker's edge, 16 pixels left of the tile.
  const Rect& r = panel->tileLayout().Tile(3);
  const QColor edge = shot.pixelColor(r.left - 16, (r.top + r.bottom) / 2);
  EXPECT_GT(edge.red(), 200);
  EXPECT_LT(edge.blue(), 60);
  EXPECT_TRUE(link.sent.empty());
}

}  // namespace
}  // namespace qv
