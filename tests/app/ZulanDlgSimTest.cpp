// The console window on the real link library against the qvsim program.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>

#include "app/InputPanel.h"
#include "pages/connect/MachineTiles.h"
#include "pages/connect/ZConnectDlg.h"
#include "pages/connect/ZSearchMachineDlg.h"
#include "pages/main/CPictureCtrl.h"
#include "pages/main/ZMainDlg.h"
#include "pages/main/ZShowVideoDlg.h"
#include "support/SimConsole.h"
#include "surfaces/VideoView.h"

namespace qv {
namespace {

using test::ProcessUntil;

class ZulanDlgSimTest : public test::SimConsoleTest {
 protected:
  using SimConsoleTest::SimConsoleTest;
};

TEST_F(ZulanDlgSimTest, ConnectingShowsTheProcessorsState) {
  ASSERT_TRUE(sim.running());
  ASSERT_TRUE(Connect());
  EXPECT_EQ(Model().rec.HReso, 1920);
  EXPECT_TRUE(Model().InputLabels[0].usable);
  EXPECT_NE(Model().rec.InputReso[0].HAct, 0);
  // The panel shows the processor's inputs with their timings.
  const auto face = InputPanelLayout::Face(Model(), 0, 0);
  EXPECT_TRUE(face.shown);
  EXPECT_TRUE(face.signal);
  EXPECT_EQ(face.timing, InputPanelLayout::TimingText(Model().rec.InputReso[0]));
  EXPECT_FALSE(face.timing.empty());
  EXPECT_EQ(window->controlColumn().lampOn(), true);
}

TEST_F(ZulanDlgSimTest, PressingATileRoutesItsInputToTheCurrentWindow) {
  ASSERT_TRUE(Connect());
  InputPanel& panel = window->inputPanel();
  const int tile = Model().rec.Chnl[0].ChnlInput == 1 ? 3 : 1;
  const auto& r = panel.tileLayout().Tile(tile);
  QTest::mouseClick(&panel, Qt::LeftButton, {},
                    QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  EXPECT_EQ(Model().rec.Chnl[0].ChnlInput, tile);
  char payload[5];
  std::snprintf(payload, sizeof payload, "00%02x", tile);
  EXPECT_TRUE(Traced(static_cast<int>(CommandType::SetWindowInput), payload));
}

TEST_F(ZulanDlgSimTest, PresetSavedOnTheProcessorLoadsBack) {
  ASSERT_TRUE(Connect());
  window->ChoosePreset(5);
  window->LoadPreset();
  EXPECT_EQ(informed, std::vector<QString>{"Preset is Invalid"});
  window->SavePreset();
  ASSERT_TRUE(ProcessUntil([&] { return Model().PresetValid[5] != 0; }));
  window->LoadPreset();
  EXPECT_TRUE(window->waiting().waiting());
  EXPECT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
  EXPECT_EQ(informed.size(), 1u);
}

TEST_F(ZulanDlgSimTest, TakeInSwitcherModeWaitsForTheProcessor) {
  ASSERT_TRUE(Connect());
  Model().rec.PvwMode = 1;
  window->core().encoder().EncodeAndSend(CommandType::SetPvwMode);
  ASSERT_TRUE(
      ProcessUntil([&] { return !window->waiting().waiting() && Model().rec.PvwMode == 1; }));
  std::array<uint8_t, kWindowCount> program;
  std::memcpy(program.data(), Model().rec.PgmState, program.size());
  window->Take();
  EXPECT_TRUE(window->waiting().waiting());
  ASSERT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
  ASSERT_TRUE(ProcessUntil(
      [&] { return std::memcmp(Model().rec.PgmState, program.data(), program.size()) != 0; }));
}

TEST_F(ZulanDlgSimTest, StoppingTheProcessorPutsTheLampOut) {
  ASSERT_TRUE(Connect());
  sim.Kill();
  EXPECT_TRUE(ProcessUntil([&] { return !window->linkLamp(); }, 6000));
  EXPECT_TRUE(window->isEnabled());
}

// Drags on the main page's canvas, with real mouse events.
class CanvasDragTest : public ZulanDlgSimTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Connect());
    window->resize(ZulanDlg::kMinWidth, ZulanDlg::kMinHeight);
    window->show();
    // Main window a quarter of its screen, so that it has room to move.
    ChnlData& main = Model().rec.Chnl[0];
    main.HPos = 300;
    main.VPos = 200;
    main.HAct = 960;
    main.VAct = 540;
    layout().PlaceWindowCell(0);
    QCoreApplication::processEvents();
  }
  MainPageLayout& layout() { return window->page<ZMainDlg>(PageId::Main).layout(); }
  CPictureCtrl& canvas() { return window->page<ZMainDlg>(PageId::Main).canvas(); }
  Rect CanvasRect(int window) {
    return layout().canvas().Cell(layout().cell(window))->canvasRect();
  }
  Rect DeviceRect(int window) {
    return layout().canvas().Cell(layout().cell(window))->deviceRect();
  }
  static QPoint Centre(const Rect& r) {
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(&canvas(), Qt::LeftButton, {}, from);
    // In steps, as a hand moves the mouse.
    for (int i = 1; i <= 4; ++i) QTest::mouseMove(&canvas(), from + (to - from) * i / 4);
    QTest::mouseRelease(&canvas(), Qt::LeftButton, {}, to);
  }
  // The payload SetWindowGeometry carries for the window as the model holds it.
  static std::string GeometryHex(int k) {
    const ChnlData& ch = Model().rec.Chnl[k];
    char hex[32];
    const auto le = [](int v) { return ((v & 0xff) << 8) | ((v >> 8) & 0xff); };
    std::snprintf(hex, sizeof hex, "%02x%04x%04x%04x%04x", k, le(ch.HPos), le(ch.VPos), le(ch.HAct),
                  le(ch.VAct));
    return hex;
  }
  int GeometryCommandsTraced() {
    std::ifstream in(dir.path() / "trace.jsonl");
    int n = 0;
    for (std::string line; std::getline(in, line);) {
      n += line.find(R"("dir":"rx","type":4,)") != std::string::npos;
    }
    return n;
  }
};

TEST_F(CanvasDragTest, DraggingAWindowSendsItsNewGeometry) {
  const Rect before = DeviceRect(0);
  const Rect r = CanvasRect(0);
  ASSERT_FALSE(r.IsEmpty());
  Drag(Centre(r), Centre(r) + QPoint(7, 5));
  const Rect after = DeviceRect(0);
  EXPECT_NE(after, before);
  const ChnlData& ch = Model().rec.Chnl[0];
  EXPECT_EQ(ch.HAct, after.Width());
  EXPECT_EQ(ch.VAct, after.Height());
  EXPECT_EQ(ch.HPos, after.left - layout().canvas().Cell(layout().cell(0))->origin().x);
  EXPECT_TRUE(Traced(static_cast<int>(CommandType::SetWindowGeometry), GeometryHex(0)));
}

TEST_F(CanvasDragTest, ADragEndingLeftOfTheScreenStoresZero) {
  const Rect r = CanvasRect(0);
  Drag(Centre(r), Centre(r) + QPoint(-2000, -2000));
  EXPECT_EQ(Model().rec.Chnl[0].HPos, 0);
  EXPECT_EQ(Model().rec.Chnl[0].VPos, 0);
  EXPECT_TRUE(Traced(static_cast<int>(CommandType::SetWindowGeometry), GeometryHex(0)));
}

TEST_F(CanvasDragTest, AReleaseWithoutMotionSendsNothing) {
  const int before = GeometryCommandsTraced();
  const Rect device = DeviceRect(0);
  const QPoint c = Centre(CanvasRect(0));
  QTest::mousePress(&canvas(), Qt::LeftButton, {}, c);
  QTest::mouseRelease(&canvas(), Qt::LeftButton, {}, c);
  ProcessUntil([] { return false; }, 300);
  EXPECT_EQ(GeometryCommandsTraced(), before);
  EXPECT_EQ(DeviceRect(0), device);
}

TEST_F(CanvasDragTest, TheLogoWindowIsLockedInPlace) {
  Model().rec.LogoUsage = 1;
  Model().rec.LogoOnOff = 1;
  const int slot = Model().LogoSlotSel;
  Model().rec.LogoHPos[slot] = 600;
  Model().rec.LogoVPos[slot] = 300;
  Model().rec.LogoHAct[slot] = 240;
  Model().rec.LogoVAct[slot] = 120;
  layout().UpdateWindow3(1);
  window->page<ZMainDlg>(PageId::Main).Repaint();
  const Rect device = DeviceRect(3);
  const Rect r = CanvasRect(3);
  ASSERT_FALSE(r.IsEmpty());
  EXPECT_EQ(layout().Label(3), "LOGO");
  const int before = GeometryCommandsTraced();
  Drag(Centre(r), Centre(r) + QPoint(20, 10));
  EXPECT_EQ(DeviceRect(3), device);
  ProcessUntil([] { return false; }, 300);
  EXPECT_EQ(GeometryCommandsTraced(), before);
}

// The simulator streams its preview picture.
class PreviewSimTest : public ZulanDlgSimTest {
 protected:
  PreviewSimTest() : ZulanDlgSimTest(std::vector<std::string>{}) {}
  static int Shown(VideoView* view) { return view ? view->picturesShown() : 0; }
};

TEST_F(PreviewSimTest, LivePreviewReachesTheCellsAndThePreviewWindow) {
  ASSERT_TRUE(Connect());
  window->resize(ZulanDlg::kMinWidth, ZulanDlg::kMinHeight);
  window->show();
  ZMainDlg& page = window->page<ZMainDlg>(PageId::Main);
  ASSERT_TRUE(ProcessUntil([&] { return page.previewOn(); }));
  page.previewWindow().show();
  EXPECT_TRUE(ProcessUntil([&] { return Shown(page.cellVideo(0)) > 2; }));
  EXPECT_TRUE(ProcessUntil([&] { return Shown(page.previewWindow().quadrants()[3]) > 2; }));
  // Window 3 is off on the simulator: its hidden cell draws nothing.
  EXPECT_FALSE(Model().rec.Chnl[3].ChnlOnOff);
  EXPECT_EQ(Shown(page.cellVideo(3)), 0);

  // The encoder switches to 640 x 480 and the surfaces follow.
  const uint8_t hi = 3072 >> 8, lo = 3072 & 0xff;
  window->core().encoder().EncodeAndSend(CommandType::VideoEncoderSettings,
                                         {0, 15, 7, hi, lo, 15, 7, hi, lo});
  window->HandlePageRequest(PageRequest::PreviewSize, 7);
  EXPECT_EQ(page.previewSize(), QSize(640, 480));
  EXPECT_TRUE(ProcessUntil([&] { return Shown(page.cellVideo(0)) > 2; }));
  page.previewWindow().hide();
}

class ZulanDlgSerialTest : public ZulanDlgSimTest {
 protected:
  ZulanDlgSerialTest() : ZulanDlgSimTest({"--serial", "@ttyQV0", "--no-preview"}) {}
  std::string Tty() const { return (dir.path() / "ttyQV0").string(); }
};

TEST_F(ZulanDlgSerialTest, SerialLinkOverAPtyReadsTheProcessor) {
  ASSERT_TRUE(sim.running());
  ZConnectDlg& page = window->page<ZConnectDlg>(PageId::Connection);
  window->ShowPage(ZulanDlg::kConnectionPage, true);
  page.PortsChanged({Tty()});  // the adapter appears
  ASSERT_EQ(page.control().ports(), std::vector<std::string>{Tty()});
  page.OpenSerial();
  EXPECT_TRUE(page.control().serialOpen());
  EXPECT_EQ(Model().NetworkMode, 0);
  EXPECT_TRUE(window->linkLamp());
  ASSERT_TRUE(ProcessUntil([&] { return Model().rec.HReso != 0; }));
  EXPECT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
  EXPECT_EQ(Model().rec.HReso, 1920);
  EXPECT_TRUE(informed.empty());
  page.PortsChanged({});  // unplugged: the line closes and the lamp goes out
  EXPECT_FALSE(page.control().serialOpen());
  EXPECT_FALSE(window->linkLamp());
}

TEST_F(ZulanDlgSimTest, SearchFindsSeveralProcessorsAndConnectsToTheChosenOne) {
  std::vector<std::unique_ptr<e2e::SimProcess>> found;
  for (int n = 2; n <= 4; ++n) {
    found.push_back(std::make_unique<e2e::SimProcess>(std::vector<std::string>{
        "--listen", "127.0.0." + std::to_string(n), "--port", std::to_string(kDefaultLinkPort),
        "--no-preview", "--package-port", "0", "--mac", "02:51:56:00:00:0" + std::to_string(n)}));
    ASSERT_TRUE(found.back()->running());
  }
  link->CommSetDiscoveryTargets({"127.0.0.2", "127.0.0.3", "127.0.0.4"});
  window->ShowPage(ZulanDlg::kConnectionPage, true);
  window->HandlePageRequest(PageRequest::SearchPage, 0);
  ZSearchMachineDlg& search = window->page<ZSearchMachineDlg>(PageId::Search);
  ASSERT_FALSE(search.isHidden());
  search.Search();
  EXPECT_TRUE(window->waiting().waiting());
  // A simulator the developer runs on this computer may answer as well.
  const auto ours = [&] {
    int n = 0;
    for (const auto& m : search.machines().entries()) {
      if (m.ip >= "127.0.0.2" && m.ip <= "127.0.0.4") n += m.online ? 10 : 1;
    }
    return n;
  };
  ASSERT_TRUE(ProcessUntil([&] { return ours() % 10 + ours() / 10 == 3; }));
  // A second after the first answer the console links to all of them.
  ASSERT_TRUE(ProcessUntil([&] { return ours() == 30; }));
  EXPECT_EQ(Model().rec.HReso, 0);  // several found: nothing read until one is chosen

  const auto& entries = search.machines().entries();
  const auto chosen = std::find_if(entries.begin(), entries.end(),
                                   [](const auto& m) { return m.ip == "127.0.0.3"; });
  ASSERT_NE(chosen, entries.end());
  const MachineList::Rect t = chosen->tile;
  QTest::mouseDClick(&search.tiles(), Qt::LeftButton, {}, QPoint(t.left + 20, t.top + 60));
  EXPECT_TRUE(chosen->target);
  EXPECT_EQ(Model().TargetAddress, 3);
  ASSERT_TRUE(ProcessUntil([&] { return Model().rec.HReso != 0; }));
  EXPECT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
  EXPECT_TRUE(window->linkLamp());
  EXPECT_EQ(window->page<ZConnectDlg>(PageId::Connection).destination(), "127.0.0.3");
}

// The console driven as a screen reader or a GUI test tool drives it: each
// control found by its role and name through the accessibility interfaces,
// pressed through its action or typed into with real key strokes.
class ZulanDlgAccessibleTest : public ZulanDlgSimTest {
 protected:
  ZulanDlgAccessibleTest() { ShowWindow(); }
};

TEST_F(ZulanDlgAccessibleTest, AProcessorIsLinkedByTypingItsAddressAndPressingConnect) {
  e2e::SimProcess processor({"--listen", "127.0.0.9", "--port", std::to_string(kDefaultLinkPort),
                             "--no-preview", "--no-discovery", "--package-port", "0"});
  ASSERT_TRUE(processor.running());
  Press(Find(QAccessible::PushButton, "COMM"));
  // A pressed button clicks a moment later, as it shows itself pressed.
  QAccessibleInterface* address = nullptr;
  ASSERT_TRUE(ProcessUntil(
      [&] { return (address = Find(QAccessible::EditableText, "Destination IP")) != nullptr; }));
  auto* field = qobject_cast<QWidget*>(address->object());
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, "127.0.0.9");
  QAccessibleInterface* network = Find(QAccessible::Grouping, "Network Connection");
  ASSERT_NE(network, nullptr);
  Press(Find(network, QAccessible::PushButton, "Connect"));
  ASSERT_TRUE(ProcessUntil([&] { return window->linkLamp() && Model().rec.HReso != 0; }));
  EXPECT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
  EXPECT_EQ(Model().TargetAddress, 9);
}

TEST_F(ZulanDlgAccessibleTest, AVideoQualityIsChosenFromTheKeyboard) {
  ASSERT_TRUE(Connect());
  const int type = static_cast<int>(CommandType::VideoEncoderSettings);
  Press(Find(QAccessible::PushButton, "Setting"));
  QAccessibleInterface* quality = nullptr;
  ASSERT_TRUE(
      ProcessUntil([&] { return (quality = Find(QAccessible::ComboBox, "Quality")) != nullptr; }));
  auto* list = qobject_cast<QWidget*>(quality->object());
  list->setFocus();
  ASSERT_TRUE(list->hasFocus());
  // Arrows on the closed list go nowhere: a live wall is not sent every entry.
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Up);
  EXPECT_EQ(quality->text(QAccessible::Value), "Ultra Clear");
  QTest::keyClick(list, Qt::Key_F4);
  EXPECT_TRUE(quality->state().expanded);
  QWidget* open = QApplication::activePopupWidget();
  ASSERT_NE(open, nullptr);
  QTest::keyClick(open, Qt::Key_Up);
  QTest::keyClick(open, Qt::Key_Up);
  QTest::keyClick(open, Qt::Key_Return);
  EXPECT_FALSE(quality->state().expanded);
  EXPECT_EQ(quality->text(QAccessible::Value), "Standard Definition");
  // "Standard Definition": 15 frames a second at 640 x 480 (code 7), 3072 kbit/s.
  ASSERT_TRUE(Traced(type, "000f070c00"));
  std::ifstream in(dir.path() / "trace.jsonl");
  for (std::string line; std::getline(in, line);) {
    if (line.find(R"("dir":"rx","type":25,)") == std::string::npos) continue;
    EXPECT_NE(line.find(R"("payload":"000f070c00)"), std::string::npos)
        << "only the choice went out";
  }
}

}  // namespace
}  // namespace qv
