#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "GeometryPrinters.h"
#include "canvas/CanvasModel.h"

namespace qv {
namespace {

ScalePair Scale(double factor) {
  return ScalePair::FromFactors(factor, factor).value();
}

// The first output screen where the page places it, and its canvas image at
// the default scale.
constexpr Rect kFirstScreen{125, 198, 2045, 1278};
constexpr Rect kFirstScreenImage{21, 33, 341, 213};

std::vector<int> Ids(const CanvasModel& model) {
  std::vector<int> ids;
  for (const CCell& c : model.cells()) ids.push_back(c.id());
  return ids;
}

TEST(CanvasCells, UnlockedScreensFollowTheScreenPairEverythingElseTheWindowPair) {
  CanvasModel model;
  model.SetScreenPair(Scale(6));
  model.SetWindowPair(Scale(3));
  const CellHandle screen = model.AddScreenCell("OUTPUT:DVI-1", 125, 198, 3);
  EXPECT_EQ(model.Cell(screen)->deviceRect(), kFirstScreen);
  EXPECT_EQ(model.Cell(screen)->canvasRect(), kFirstScreenImage);

  model.Cell(screen)->SetLocked(true);
  model.RelayoutAll();
  EXPECT_EQ(model.Cell(screen)->canvasRect(), (Rect{42, 66, 682, 426}));

  const CellHandle window = *model.AddWindowCell(600, 300, 300, 300, "Main : DVI-1", 0, 0);
  EXPECT_EQ(model.Cell(window)->canvasRect(), (Rect{100, 100, 300, 200}));
}

TEST(CanvasCells, WindowsStackByIdBelowTheScreensAndIdsAreUnique) {
  CanvasModel model;
  model.AddScreenCell("OUTPUT:DVI-1", 125, 198, 3);
  for (int id : {2, 0, 3, 1}) ASSERT_TRUE(model.AddWindowCell(480, 320, 0, 0, "", id, 3));
  EXPECT_EQ(Ids(model), (std::vector<int>{0, 1, 2, 3, CCell::kScreenId}));

  EXPECT_FALSE(model.AddWindowCell(480, 320, 0, 0, "", 2, 3));
  EXPECT_EQ(model.cells().size(), 5u);
}

TEST(CanvasCells, NewWindowsStartAtOrRightOfTheDeviceOrigin) {
  CanvasModel model;
  const CellHandle window = *model.AddWindowCell(480, 320, -50, -20, "", 0, 3);
  EXPECT_EQ(model.Cell(window)->deviceRect(), (Rect{0, 0, 430, 300}));
}

TEST(CanvasCells, APressedWindowStaysOnTopUntilTheStackIsSortedAgain) {
  CanvasModel model;
  model.AddScreenCell("OUTPUT:DVI-1", 125, 198, 3);
  CellHandle windows[4];
  for (int id = 0; id < 4; ++id) windows[id] = *model.AddWindowCell(480, 320, 0, 0, "", id, 3);

  model.RaiseCell(windows[1]);
  EXPECT_EQ(Ids(model), (std::vector<int>{0, 2, 3, CCell::kScreenId, 1}));
  std::vector<int> painted;
  for (const CCell* c : model.PaintOrder()) painted.push_back(c->id());
  EXPECT_EQ(painted, (std::vector<int>{0, 2, 3, 1, CCell::kScreenId}));

  EXPECT_TRUE(model.SortAndRestack());
  EXPECT_EQ(Ids(model), (std::vector<int>{0, 1, 2, 3, CCell::kScreenId}));
  EXPECT_FALSE(model.SortAndRestack());
}

// Cells at scale 1, so canvas and device pixels coincide: a wide window, a
// narrow one across its right edge, two of equal width overlapping, an
// unlocked screen under them all and a locked screen beside it.
class CanvasPicking : public ::testing::Test {
 protected:
  void SetUp() override {
    model.SetScalePairs(Scale(1));
    wide = Window(0, {100, 100, 500, 400});
    crossing = Window(1, {450, 200, 550, 300});
    lower = Window(2, {600, 100, 700, 200});
    upper = Window(3, {650, 150, 750, 250});
    screen = model.AddScreenCell("OUTPUT:DVI-1", 0, 0, 3);
    lockedScreen = model.AddScreenCell("OUTPUT:DVI-2", 2000, 0, 3);
    model.Cell(lockedScreen)->SetLocked(true);
  }

  CellHandle Window(int id, const Rect& r) {
    return *model.AddWindowCell(r.Width(), r.Height(), r.left, r.top, "", id, 3);
  }

  void Click(Point p) {
    model.Press(p, false);
    model.Release();
  }

  CanvasModel model;
  CellHandle wide{}, crossing{}, lower{}, upper{}, screen{}, lockedScreen{};
};

TEST_F(CanvasPicking, TheNarrowestCellUnderThePointWins) {
  struct Case {
    const char* name;
    Point p;
    std::optional<CellHandle> picked;
  };
  const Case cases[] = {
      {"wide window over the screen", {150, 150}, wide},
      {"narrow window over the wide one", {475, 250}, crossing},
      {"equal widths: the higher in the stack", {675, 175}, upper},
      {"unlocked screen", {50, 50}, screen},
      {"locked screen", {2100, 100}, std::nullopt},
      {"right column belongs to what lies beneath", {550, 250}, screen},
      {"empty canvas", {5000, 5000}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(model.CellAt(c.p), c.picked) << c.name;

  model.Cell(crossing)->SetHidden(true);
  EXPECT_EQ(model.CellAt({475, 250}), wide);
}

TEST_F(CanvasPicking, TheCurrentWindowKeepsItsBorderWhereItOverlapsANarrowerOne) {
  EXPECT_EQ(model.CellAt({497, 250}), crossing);
  Click({150, 150});
  ASSERT_EQ(model.current(), wide);

  EXPECT_EQ(model.CellAt({497, 250}), wide);
  EXPECT_EQ(model.CellAt({475, 250}), crossing);  // its interior does not count
  EXPECT_EQ(model.CellAt({500, 250}), crossing);  // on its border but outside it
  EXPECT_EQ(model.Press({497, 250}, false), wide);
  EXPECT_EQ(model.dragMode(), DragMode::Resize);
}

TEST_F(CanvasPicking, HoverCursorFollowsTheZoneOfWindowsAndOnlyTheInsideOfScreens) {
  struct Case {
    const char* name;
    Point p;
    CursorShape cursor;
  };
  const Case cases[] = {
      {"window left edge", {102, 250}, CursorShape::WestEast},
      {"window top edge", {300, 102}, CursorShape::NorthSouth},
      {"window top-left", {102, 102}, CursorShape::NorthWestSouthEast},
      {"window bottom-left", {102, 398}, CursorShape::NorthEastSouthWest},
      {"window inside", {300, 300}, CursorShape::Hand},
      {"unlocked screen inside", {50, 50}, CursorShape::Hand},
      {"unlocked screen edge", {2, 500}, CursorShape::Arrow},
      {"locked screen", {2100, 100}, CursorShape::Arrow},
      {"empty canvas", {5000, 5000}, CursorShape::Arrow},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(model.HoverCursor(c.p), c.cursor) << c.name;
    EXPECT_EQ(model.Move(c.p), c.cursor) << c.name;
  }
  EXPECT_EQ(model.ZoneAt({102, 250}), HitZone::LeftEdge);
}

TEST_F(CanvasPicking, PressingAWindowMakesItTheOnlySelectedCurrentCell) {
  EXPECT_EQ(model.Press({150, 150}, false), wide);
  EXPECT_EQ(model.dragMode(), DragMode::Move);
  model.Release();
  EXPECT_EQ(model.Press({475, 250}, false), crossing);
  model.Release();
  EXPECT_EQ(model.current(), crossing);
  EXPECT_TRUE(model.Cell(crossing)->selected());
  EXPECT_FALSE(model.Cell(wide)->selected());
}

TEST_F(CanvasPicking, ControlClickTogglesSelectionAndNothingElse) {
  Click({150, 150});
  EXPECT_FALSE(model.Press({675, 175}, true));
  EXPECT_EQ(model.dragMode(), DragMode::None);
  EXPECT_TRUE(model.Cell(upper)->selected());
  EXPECT_TRUE(model.Cell(wide)->selected());
  EXPECT_EQ(model.current(), wide);

  model.Press({675, 175}, true);
  EXPECT_FALSE(model.Cell(upper)->selected());
}

TEST_F(CanvasPicking, PressOnEmptyCanvasDrawsARubberBandAndClearsTheSelection) {
  Click({150, 150});
  EXPECT_FALSE(model.Press({5000, 5000}, false));
  EXPECT_FALSE(model.current());
  EXPECT_FALSE(model.Cell(wide)->selected());
  EXPECT_EQ(model.Move({4990, 5100}), CursorShape::Arrow);
  EXPECT_EQ(model.RubberBand(), (Rect{4990, 5000, 5000, 5100}));
  EXPECT_FALSE(model.Release());
  EXPECT_FALSE(model.RubberBand());
}

TEST_F(CanvasPicking, PressOnAScreenBorderSelectsItWithoutResizing) {
  const Rect before = model.Cell(screen)->deviceRect();
  EXPECT_FALSE(model.Press({2, 500}, false));
  EXPECT_EQ(model.current(), screen);
  EXPECT_TRUE(model.Cell(screen)->selected());
  EXPECT_EQ(model.dragMode(), DragMode::None);
  model.Move({40, 500});
  EXPECT_FALSE(model.Release());
  EXPECT_EQ(model.Cell(screen)->deviceRect(), before);
}

TEST_F(CanvasPicking, OverlapsAreThoseOfShownWindowsOncePerPair) {
  EXPECT_EQ(model.Overlaps(), (std::vector<Rect>{{450, 200, 500, 300}, {650, 150, 700, 200}}));
  model.Cell(crossing)->SetHidden(true);
  EXPECT_EQ(model.Overlaps(), (std::vector<Rect>{{650, 150, 700, 200}}));
  EXPECT_EQ(model.PaintOrder().size(), 5u);
}

// The page's layout at the default scale: the first output screen, locked,
// with window 0 on it at canvas (71, 66)-(151, 120).
class CanvasDrag : public ::testing::Test {
 protected:
  void SetUp() override {
    model.SetScreenEdgeAlignment(true);
    screen = model.AddScreenCell("OUTPUT:DVI-1", 125, 198, 3);
    model.Cell(screen)->SetLocked(true);
    model.Cell(screen)->SetOutline(true);
    window = *model.AddWindowCell(480, 320, 0, 0, "Main : DVI-1", 0, 0);
    model.RebaseCell(window, kFirstScreen);
    model.SetCellDeviceRect(window, kStart);
  }

  // Press, move through `path` and release; returns what the page is told.
  std::optional<CellHandle> Drag(Point from, std::initializer_list<Point> path) {
    model.Press(from, false);
    for (Point p : path) model.Move(p);
    return model.Release();
  }

  const CCell& Window() const { return *model.Cell(window); }

  static constexpr Rect kStart{425, 398, 905, 718};
  static constexpr Rect kStartCanvas{71, 66, 151, 120};

  CanvasModel model;
  CellHandle screen{}, window{};
};

TEST_F(CanvasDrag, AMoveKeepsTheDeviceSize) {
  ASSERT_EQ(Window().canvasRect(), kStartCanvas);
  EXPECT_EQ(Drag({100, 90}, {{110, 95}}), window);
  EXPECT_EQ(Window().canvasRect(), (Rect{81, 71, 161, 125}));
  EXPECT_EQ(Window().deviceRect(), (Rect{486, 426, 966, 746}));
  EXPECT_EQ(Window().ShownPosition(), (Point{361, 228}));
}

TEST_F(CanvasDrag, ReleasingWithoutMovingReportsNothing) {
  EXPECT_FALSE(Drag({100, 90}, {}));
  EXPECT_EQ(Window().deviceRect(), kStart);
}

TEST_F(CanvasDrag, ADragBackToThePressPointStillReportsWhatItChanged) {
  EXPECT_EQ(Drag({100, 90}, {{110, 95}, {100, 90}}), window);
  EXPECT_EQ(Window().canvasRect(), kStartCanvas);
  EXPECT_EQ(Window().deviceRect(), (Rect{426, 396, 906, 716}));
}

TEST_F(CanvasDrag, ALockedWindowIsPressedButNeverDragged) {
  model.Cell(window)->SetLocked(true);
  EXPECT_EQ(model.Press({100, 90}, false), window);
  model.Move({110, 95});
  EXPECT_FALSE(model.Release());
  EXPECT_FALSE(Drag({150, 90}, {{170, 90}}));
  EXPECT_EQ(Window().canvasRect(), kStartCanvas);
  EXPECT_EQ(Window().deviceRect(), kStart);
}

TEST_F(CanvasDrag, ResizingMovesOnlyTheDraggedDeviceEdges) {
  struct Case {
    const char* name;
    Point press, to;
    Rect canvas;
    Rect device;
  };
  const Case cases[] = {
      {"left edge", {72, 90}, {62, 90}, {62, 66, 151, 120}, {372, 398, 905, 718}},
      {"top edge", {110, 67}, {110, 60}, {71, 60, 151, 120}, {425, 360, 905, 718}},
      {"right edge", {150, 90}, {170, 90}, {71, 66, 170, 120}, {425, 398, 1020, 718}},
      {"bottom edge", {110, 119}, {110, 130}, {71, 66, 151, 130}, {425, 398, 905, 780}},
      {"top-left", {72, 67}, {62, 60}, {62, 60, 151, 120}, {372, 360, 905, 718}},
      {"bottom-left", {72, 119}, {62, 130}, {62, 66, 151, 130}, {372, 398, 905, 780}},
      {"top-right", {150, 67}, {170, 60}, {71, 60, 170, 120}, {425, 360, 1020, 718}},
      {"bottom-right", {150, 119}, {170, 130}, {71, 66, 170, 130}, {425, 398, 1020, 780}},
      {"right edge stops 8 right of the left",
       {150, 90},
       {20, 90},
       {71, 66, 79, 120},
       {425, 398, 474, 718}},
      {"top edge stops 8 above the bottom",
       {110, 67},
       {110, 200},
       {71, 112, 151, 120},
       {425, 672, 905, 718}},
  };
  for (const Case& c : cases) {
    model.SetCellDeviceRect(window, kStart);
    EXPECT_EQ(Drag(c.press, {c.to}), window) << c.name;
    EXPECT_EQ(Window().canvasRect(), c.canvas) << c.name;
    EXPECT_EQ(Window().deviceRect(), c.device) << c.name;
  }
}

TEST_F(CanvasDrag, ResizingPastTheScreenStopsOnItsEdge) {
  struct Case {
    const char* name;
    bool alignment;
    bool screenShown;
    Point press, to;
    Rect canvas;
    Rect device;
  };
  const Case cases[] = {
      {"right edge, aligned",
       true,
       true,
       {150, 90},
       {400, 90},
       {71, 66, 341, 120},
       {425, 398, 2045, 718}},
      {"right edge, alignment off",
       false,
       true,
       {150, 90},
       {400, 90},
       {71, 66, 341, 120},
       {425, 398, 2046, 718}},
      {"right edge, screen hidden",
       true,
       false,
       {150, 90},
       {400, 90},
       {71, 66, 341, 120},
       {425, 398, 2046, 718}},
      {"bottom edge",
       true,
       true,
       {110, 119},
       {110, 300},
       {71, 66, 151, 213},
       {425, 398, 905, 1278}},
      {"top-right corner",
       true,
       true,
       {150, 67},
       {400, 20},
       {71, 33, 341, 120},
       {425, 198, 2045, 718}},
  };
  for (const Case& c : cases) {
    model.SetScreenEdgeAlignment(c.alignment);
    model.Cell(screen)->SetHidden(!c.screenShown);
    model.SetCellDeviceRect(window, kStart);
    EXPECT_EQ(Drag(c.press, {c.to}), window) << c.name;
    EXPECT_EQ(Window().canvasRect(), c.canvas) << c.name;
    EXPECT_EQ(Window().deviceRect(), c.device) << c.name;
  }
}

TEST_F(CanvasDrag, AMoveStaysOnTheScreenAndLandsOnItsEdge) {
  EXPECT_EQ(Drag({100, 90}, {{400, 90}}), window);
  EXPECT_EQ(Window().canvasRect(), (Rect{261, 66, 341, 120}));
  EXPECT_EQ(Window().deviceRect(), (Rect{1565, 396, 2045, 716}));
  EXPECT_EQ(Window().ShownPosition(), (Point{1440, 198}));
}

TEST_F(CanvasDrag, TheCursorIsHeldNearTheScreenDuringAMove) {
  // Pulled far left, the cursor stops 10 pixels past where the window meets
  // the screen's left edge, so the way back starts moving it at once.
  Drag({100, 90}, {{0, 90}, {50, 90}});
  EXPECT_EQ(Window().canvasRect(), (Rect{31, 66, 111, 120}));
  EXPECT_EQ(Window().deviceRect(), (Rect{186, 396, 666, 716}));
}

TEST_F(CanvasDrag, AWindowFillingItsScreenStaysPut) {
  model.SetCellDeviceRect(window, kFirstScreen);
  ASSERT_EQ(Window().canvasRect(), kFirstScreenImage);
  EXPECT_FALSE(Drag({100, 100}, {{150, 150}}));
  EXPECT_EQ(Window().canvasRect(), kFirstScreenImage);
  EXPECT_EQ(Window().deviceRect(), kFirstScreen);
}

TEST_F(CanvasDrag, DeviceRectanglesAreKeptInsideTheScreenOnTheCanvas) {
  struct Case {
    const char* name;
    Rect device;
    Rect stored;
    Rect canvas;
  };
  const Case cases[] = {
      {"inside", kStart, kStart, kStartCanvas},
      {"wider than the screen: cut, keeping the left",
       {125, 198, 2525, 298},
       {125, 198, 2525, 298},
       {21, 33, 341, 50}},
      {"sticking out: shifted back",
       {1800, 300, 2200, 500},
       {1800, 300, 2200, 500},
       {274, 50, 341, 83}},
      {"inverted and left of the origin",
       {905, 718, -10, 398},
       {0, 398, 905, 718},
       {21, 66, 172, 120}},
  };
  for (const Case& c : cases) {
    model.SetCellDeviceRect(window, c.device);
    EXPECT_EQ(Window().deviceRect(), c.stored) << c.name;
    EXPECT_EQ(Window().canvasRect(), c.canvas) << c.name;
  }
}

TEST_F(CanvasDrag, RebasingKeepsTheWindowsPlaceOnItsScreen) {
  const Rect second{2045, 198, 3965, 1278};
  model.RebaseCell(window, second);
  EXPECT_EQ(Window().deviceRect(), (Rect{2345, 398, 2825, 718}));
  EXPECT_EQ(Window().ShownPosition(), (Point{300, 200}));
  model.RelayoutAll();
  EXPECT_EQ(model.LimitOf(Window()), (Rect{341, 33, 661, 213}));
  EXPECT_EQ(Window().canvasRect(), (Rect{391, 66, 471, 120}));
}

TEST_F(CanvasDrag, TheScreenLimitFollowsAZoom) {
  model.SetCellDeviceRect(window, {1125, 698, 1525, 998});
  model.SetScalePairs(Scale(3));
  model.RelayoutAll();
  EXPECT_EQ(model.LimitOf(Window()), (Rect{42, 66, 682, 426}));
  EXPECT_EQ(Window().canvasRect(), (Rect{375, 233, 508, 333}));
}

TEST_F(CanvasDrag, RemovingTheWindowsEndsTheirDrag) {
  ASSERT_EQ(model.Press({100, 90}, false), window);
  model.RemoveWindowCells();
  EXPECT_FALSE(model.current());
  EXPECT_EQ(model.dragMode(), DragMode::None);
  model.Move({110, 95});
  EXPECT_FALSE(model.Release());
  EXPECT_EQ(model.cells().size(), 1u);
}

TEST(CanvasScreens, AnUnlockedScreenSnapsBesideTheFirstAndIsReportedAsMoved) {
  CanvasModel model;
  model.SetScreenEdgeAlignment(true);
  const CellHandle first = model.AddScreenCell("OUTPUT:DVI-1", 125, 198, 3);
  model.Cell(first)->SetLocked(true);
  const CellHandle second = model.AddScreenCell("OUTPUT:DVI-2", 2400, 600, 3);
  ASSERT_EQ(model.Cell(second)->canvasRect(), (Rect{400, 100, 720, 280}));

  ASSERT_EQ(model.Press({500, 150}, false), second);
  model.Move({442, 83});  // its top-left one pixel right of the first's top-right
  EXPECT_EQ(model.Release(), second);
  EXPECT_EQ(model.Cell(second)->canvasRect(), (Rect{341, 33, 661, 213}));
  EXPECT_EQ(model.Cell(second)->deviceRect(), (Rect{2045, 198, 3965, 1278}));
}

TEST(CanvasScreens, RemovingTheScreensEndsADragOfOne) {
  CanvasModel model;
  const CellHandle screen = model.AddScreenCell("OUTPUT:DVI-1", 125, 198, 3);
  ASSERT_EQ(model.Press({100, 100}, false), screen);
  model.RemoveScreenCells();
  EXPECT_FALSE(model.current());
  model.Move({110, 110});
  EXPECT_FALSE(model.Release());
}

// Window 0 dragged so its top-left corner comes one canvas pixel right of
// and above window 1's bottom-right corner, at several scales.
class CanvasCornerSnap : public ::testing::TestWithParam<double> {
 protected:
  void SetUp() override {
    model.SetScalePairs(Scale(GetParam()));
    still = *model.AddWindowCell(611, 433, 1003, 707, "PIP-1 : HDMI-1", 1, 1);
    dragged = *model.AddWindowCell(377, 251, 100, 100, "Main : DVI-1", 0, 0);
  }

  void DragNextToTheCorner() {
    const Rect target = model.Cell(still)->canvasRect();
    const Rect start = model.Cell(dragged)->canvasRect();
    const Point press{(start.left + start.right) / 2, (start.top + start.bottom) / 2};
    ASSERT_EQ(model.Press(press, false), dragged);
    model.Move({press.x + target.right + 1 - start.left, press.y + target.bottom - 1 - start.top});
  }

  CanvasModel model;
  CellHandle still{}, dragged{};
};

TEST_P(CanvasCornerSnap, DeviceRectanglesTouchExactly) {
  DragNextToTheCorner();
  EXPECT_EQ(model.snapGuide(),
            (SnapGuide{SnapGuide::Kind::BottomRight, model.Cell(still)->canvasRect()}));
  EXPECT_EQ(model.Release(), dragged);
  EXPECT_EQ(model.snapGuide().kind, SnapGuide::Kind::None);
  const Rect& s = model.Cell(still)->deviceRect();
  EXPECT_EQ(model.Cell(dragged)->deviceRect(),
            (Rect{s.right, s.bottom, s.right + 377, s.bottom + 251}));
}

TEST_P(CanvasCornerSnap, HiddenWindowsAreNotSnappedTo) {
  model.Cell(still)->SetHidden(true);
  DragNextToTheCorner();
  EXPECT_EQ(model.snapGuide().kind, SnapGuide::Kind::None);
  model.Release();
  const Rect& s = model.Cell(still)->deviceRect();
  EXPECT_NE(model.Cell(dragged)->deviceRect().left, s.right);
}

// 7.3 as the page stores it, rounded to single precision.
INSTANTIATE_TEST_SUITE_P(Scales, CanvasCornerSnap,
                         ::testing::Values(6.0, 7.300000190734863, 2.5, 1.0));

}  // namespace
}  // namespace qv
