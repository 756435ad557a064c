#include "logic/main/MainPageLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

namespace qv {
namespace {

constexpr int kOutputScreenCount = 4;
constexpr int kLogoWindow = 3;
// SetLogo's operation that sends the logo page's pending geometry.
constexpr uint8_t kLogoGeometryOperation = 3;

// Both screens sit this many canvas pixels below the top of their frame.
constexpr int kSwitcherScreenDrop = 40;

int RoundHalfUp(float v) {
  return static_cast<int>(std::floor(v + 0.5f));
}

Rect RightOf(const Rect& r, int width) {
  return {r.right, r.top, r.right + width, r.bottom};
}

Rect Below(const Rect& r, int height) {
  return {r.left, r.bottom, r.right, r.bottom + height};
}

Rect SizedRightOf(const Rect& r, int width, int height) {
  return {r.right, r.top, r.right + width, r.top + height};
}

}  // namespace

MainPageLayout::MainPageLayout(CommandEncoder& encoder) : encoder_(encoder) {
  canvas_.SetScreenEdgeAlignment(true);
  const DeviceModel& m = model();
  const Rect firstScreen{kScreenOrigin.x, kScreenOrigin.y,
                         kScreenOrigin.x + CanvasModel::kScreenDeviceWidth,
                         kScreenOrigin.y + CanvasModel::kScreenDeviceHeight};
  for (int k = 0; k < kWindowCount; ++k) {
    const WindowRect& d = m.WindowDefaultRect[k];
    // A new cell's origin is the device origin, so rebasing it onto the first
    // screen moves it by the screen's corner: it is added at its place
    // relative to the screen, not at the place on the device plane.
    const CellHandle handle = *canvas_.AddWindowCell(
        d.width, d.height, d.x, d.y, NormalPrefix(k) + SourceName(k), k, m.rec.Chnl[k].ChnlInput);
    cells_[static_cast<std::size_t>(k)] = handle;
    canvas_.RebaseCell(handle, firstScreen);
    CellOf(k).SetHidden(k != currentWindow_);
  }
  for (int s = 0; s < kOutputScreenCount; ++s) {
    const CellHandle handle =
        canvas_.AddScreenCell("OUTPUT:DVI-" + std::to_string(s + 1),
                              kScreenOrigin.x + CanvasModel::kScreenDeviceWidth * s,
                              kScreenOrigin.y, CCell::kDefaultSource);
    cells_[static_cast<std::size_t>(kFirstOutputScreen + s)] = handle;
    CCell& screen = *canvas_.Cell(handle);
    screen.SetLocked(true);
    screen.SetOutline(true);
    screen.SetHidden(s != 0);
  }
  const std::pair<int, const char*> switcherScreens[] = {
      {kFirstPreviewScreen, "PREVIEW-1"},
      {kFirstPreviewScreen + 1, "PREVIEW-2"},
      {kFirstProgramScreen, "PROGRAM-1"},
      {kFirstProgramScreen + 1, "PROGRAM-2"},
  };
  for (const auto& [index, name] : switcherScreens) {
    const CellHandle handle =
        canvas_.AddScreenCell(name, kScreenOrigin.x, kScreenOrigin.y, CCell::kDefaultSource);
    cells_[static_cast<std::size_t>(index)] = handle;
    CCell& screen = *canvas_.Cell(handle);
    screen.SetLocked(true);
    screen.SetOutline(true);
    screen.SetHidden(true);
  }
  canvas_.RelayoutAll();
}

int MainPageLayout::IndexOf(CellHandle handle) const {
  const auto it = std::find(cells_.begin(), cells_.end(), handle);
  return it == cells_.end() ? -1 : static_cast<int>(it - cells_.begin());
}

void MainPageLayout::SetPageSize(int width, int height) {
  pageWidth_ = std::max(width, 0);
  pageHeight_ = std::max(height, 0);
}

void MainPageLayout::Rebuild() {
  // A window that no relayout rebases keeps the screen it was on instead of
  // falling back to the device origin.
  std::array<std::optional<Rect>, kWindowCount> screens;
  for (int k = 0; k < kWindowCount; ++k) screens[k] = CellOf(k).screenBounds();
  canvas_.RemoveWindowCells();
  zoom_ = kDefaultZoom;
  const DeviceStatusRecord& r = model().rec;
  for (int k = 0; k < kWindowCount; ++k) {
    const ChnlData& ch = r.Chnl[k];
    const CellHandle handle =
        *canvas_.AddWindowCell(std::max(ch.HAct, 0), std::max(ch.VAct, 0), ch.HPos, ch.VPos,
                               NormalPrefix(k) + SourceName(k), k, ch.ChnlInput);
    cells_[static_cast<std::size_t>(k)] = handle;
    if (screens[k]) canvas_.RebaseCell(handle, *screens[k]);
    UpdateWindowLabel(k);
    CellOf(k).SetHidden(ch.ChnlOnOff == 0);
  }
  RelayoutForSwitcher();
}

void MainPageLayout::ShowWindowCell(int window, bool visible) {
  if (window < 0 || window >= kWindowCount) return;
  CellOf(window).SetHidden(!visible);
}

void MainPageLayout::UpdateWindowLabel(int window) {
  if (window < 0 || window >= kWindowCount) return;
  const DeviceStatusRecord& r = model().rec;
  // Window 3 used as the logo keeps "LOGO" whatever its source, in every mode.
  if (window == kLogoWindow && r.LogoUsage == 1) return;
  const bool program = r.PgmState[window] != 0;
  const bool preview = r.PvwState[window] != 0;
  std::string prefix;
  switch (r.PvwMode) {
    case 1:
      prefix = window < 2 ? (program ? "PGM : " : preview ? "PVW : " : "") : NormalPrefix(window);
      break;
    case 2: {
      const char* pair = window % 2 == 0 ? "1 : " : "2 : ";
      prefix = program ? std::string("PGM") + pair : preview ? std::string("PVW") + pair : "";
      break;
    }
    default:
      prefix = NormalPrefix(window);
      break;
  }
  SetWindowLabel(window, prefix);
}

void MainPageLayout::PlaceWindowCell(int window) {
  if (window < 0 || window >= kWindowCount) return;
  const std::optional<WindowGeometry> g = GeometryOf(window);
  if (!g) return;
  Point origin;
  switch (model().rec.PvwMode) {
    case 0:
      origin = CellOf(window).origin();
      break;
    case 1:
    case 2:
      if (const std::optional<int> screen = SwitcherScreenOf(window)) {
        const Rect s = DeviceRectOf(*screen);
        origin = {s.left, s.top};
      }
      break;
    default:
      return;
  }
  canvas_.SetCellDeviceRect(
      cell(window),
      {origin.x + g->x, origin.y + g->y, origin.x + g->x + g->width, origin.y + g->y + g->height});
}

void MainPageLayout::UpdateWindow3(int code) {
  const DeviceStatusRecord& r = model().rec;
  if (code == 1) {
    CCell& logo = CellOf(kLogoWindow);
    if (r.LogoUsage == 1) {
      logo.SetName("LOGO");
      logo.SetLocked(true);
      logo.SetHidden(r.LogoOnOff == 0);
    } else if (r.LogoUsage == 0 && r.PvwMode != 2) {
      SetWindowLabel(kLogoWindow, NormalPrefix(kLogoWindow));
      logo.SetOutline(false);
      logo.SetLocked(r.PvwMode != 0 && r.PgmState[kLogoWindow] != 0);
      logo.SetHidden(r.Chnl[kLogoWindow].ChnlOnOff == 0);
    }
  }
  PlaceWindowCell(kLogoWindow);
}

void MainPageLayout::RelayoutOutputs() {
  const DeviceModel& m = model();
  int shownScreens = kOutputScreenCount;
  // Output screen (0..3) each window goes onto; nothing leaves them where they are.
  std::optional<std::array<int, kWindowCount>> screenOf;
  switch (m.rec.MosaicMode) {
    case 0:
      shownScreens = 1;
      if (m.rec.PvwMode == 0) screenOf = {0, 0, 0, 0};
      break;
    case 1:
      shownScreens = 1;
      screenOf = {0, 0, 0, 0};
      break;
    case 2:
      shownScreens = 2;
      screenOf = {0, 1, 0, 1};
      break;
    case 3:
      shownScreens = 2;
      screenOf = {0, 0, 1, 1};
      break;
    case 4:
      shownScreens = 3;
      if (m.MosaicPageA >= 2 && m.MosaicPageA <= 4) screenOf = {0, 1, 2, 1};
      break;
    case 5:
      screenOf = {0, 1, 2, 3};
      break;
    default:
      break;
  }
  for (int s = 0; s < kOutputScreenCount; ++s) {
    CellOf(kFirstOutputScreen + s).SetHidden(s >= shownScreens);
  }
  if (screenOf) {
    for (int k = 0; k < kWindowCount; ++k) RebaseWindow(k, kFirstOutputScreen + (*screenOf)[k]);
  }
  canvas_.RelayoutAll();
}

void MainPageLayout::ArrangeScreens(int preset) {
  enum class Side { Right, Below, RightSized };
  struct Step {
    int anchor;  // output screen 0..3 the next one is placed against
    Side side;
  };
  std::vector<Step> steps;
  switch (preset) {
    case 0:
      steps = {{0, Side::Right}};
      break;
    case 1:
      steps = {{0, Side::Below}};
      break;
    case 2:
    case 3:
      steps = {{0, Side::Right}, {1, Side::Right}};
      break;
    case 4:
      steps = {{0, Side::Below}, {1, Side::Below}};
      break;
    case 5:
      steps = {{0, Side::RightSized}, {0, Side::Below}, {2, Side::RightSized}};
      break;
    case 6:
      steps = {{0, Side::Right}, {1, Side::Right}, {2, Side::Right}};
      break;
    case 7:
      steps = {{0, Side::Below}, {1, Side::Below}, {2, Side::Below}};
      break;
    default:
      return;
  }
  const DeviceStatusRecord& r = model().rec;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Rect anchor = DeviceRectOf(kFirstOutputScreen + steps[i].anchor);
    Rect placed;
    switch (steps[i].side) {
      case Side::Right:
        placed = RightOf(anchor, r.HReso);
        break;
      case Side::Below:
        placed = Below(anchor, r.VReso);
        break;
      case Side::RightSized:
        placed = SizedRightOf(anchor, r.HReso, r.VReso);
        break;
    }
    canvas_.SetCellDeviceRect(cell(kFirstOutputScreen + 1 + static_cast<int>(i)), placed);
  }
  RelayoutOutputs();
}

void MainPageLayout::LockOutputs(bool locked, bool updateWindows) {
  for (int s = 0; s < kOutputScreenCount; ++s) {
    CCell& screen = CellOf(kFirstOutputScreen + s);
    screen.SetLocked(locked);
    screen.SetOutline(locked);
  }
  if (!updateWindows) return;
  const DeviceStatusRecord& r = model().rec;
  for (int k = 0; k < kWindowCount; ++k) {
    CellOf(k).SetHidden(!(locked && r.Chnl[k].ChnlOnOff != 0));
  }
}

void MainPageLayout::OnOutputResolution() {
  const DeviceStatusRecord& r = model().rec;
  for (int i = kFirstPreviewScreen; i < kCellCount; ++i) {
    const Rect s = DeviceRectOf(i);
    canvas_.SetCellDeviceRect(cell(i), {s.left, s.top, s.left + r.HReso, s.top + r.VReso});
  }
  if (r.PvwMode == 0) {
    SetAllScales(zoom_);
  } else {
    ApplySwitcherGeometry();
  }
  if (pageWidth_ > 0 && pageHeight_ > 0) {
    // Each output screen keeps its place in units of its own size, so the
    // arrangement survives the change of size.
    const auto scaled = [](int size, int at, int oldSize) {
      // A screen without width or height has no size to measure its place in.
      if (oldSize == 0) return at;
      return RoundHalfUp(static_cast<float>(size) * static_cast<float>(at) /
                         static_cast<float>(oldSize));
    };
    for (int s = 0; s < kOutputScreenCount; ++s) {
      const Rect old = DeviceRectOf(kFirstOutputScreen + s);
      const int left = scaled(r.HReso, old.left, old.Width());
      const int top = scaled(r.VReso, old.top, old.Height());
      canvas_.SetCellDeviceRect(cell(kFirstOutputScreen + s),
                                {left, top, left + r.HReso, top + r.VReso});
    }
    if (r.PvwMode == 0) {
      RelayoutOutputs();
    } else {
      for (int k = 0; k < kWindowCount; ++k) {
        if (const std::optional<int> screen = SwitcherScreenOf(k)) RebaseWindow(k, *screen);
      }
    }
  }
  // The scale may have changed: every canvas rectangle follows.
  canvas_.RelayoutAll();
}

void MainPageLayout::RelayoutForSwitcher() {
  const DeviceStatusRecord& r = model().rec;
  switcherFrames_ = r.PvwMode != 0;
  if (r.PvwMode != 0) {
    ApplySwitcherGeometry();
    if (r.PvwMode == 1 || r.PvwMode == 2) {
      for (int k = 0; k < kWindowCount; ++k) {
        const std::optional<int> screen = SwitcherScreenOf(k);
        if (!screen) continue;
        const bool program = r.PgmState[k] != 0;
        RebaseWindow(k, *screen);
        CellOf(k).SetLocked(program);
        if (k == kLogoWindow && r.LogoUsage == 1) continue;  // stays "LOGO"
        if (r.PvwMode == 2) {
          const char* pair = k % 2 == 0 ? "1 : " : "2 : ";
          SetWindowLabel(k, std::string(program ? "PGM" : "PVW") + pair);
        } else if (k < 2 && (program || r.PvwState[k] != 0)) {
          SetWindowLabel(k, program ? "PGM : " : "PVW : ");
        }
      }
      if (r.LogoUsage == 1) CellOf(kLogoWindow).SetLocked(true);
      const bool dual = r.PvwMode == 2;
      CellOf(kFirstPreviewScreen).SetHidden(false);
      CellOf(kFirstProgramScreen).SetHidden(false);
      CellOf(kFirstPreviewScreen + 1).SetHidden(!dual);
      CellOf(kFirstProgramScreen + 1).SetHidden(!dual);
    }
    for (int s = 0; s < kOutputScreenCount; ++s) CellOf(kFirstOutputScreen + s).SetHidden(true);
  } else {
    SetAllScales(zoom_);
    if (lastSwitcherMode_ != 0) {
      for (int k = 0; k < kWindowCount; ++k) CellOf(k).SetLocked(false);
    }
    if (r.LogoUsage == 1) CellOf(kLogoWindow).SetLocked(true);
    for (int i = kFirstPreviewScreen; i < kCellCount; ++i) CellOf(i).SetHidden(true);
    SetWindowLabel(0, NormalPrefix(0));
    RelayoutOutputs();
  }
  lastSwitcherMode_ = static_cast<uint8_t>(r.PvwMode);
  canvas_.RelayoutAll();
}

bool MainPageLayout::Zoom(int notches) {
  if (model().rec.PvwMode != 0) return false;
  for (int n = std::abs(notches); n > 0; --n) {
    zoom_ += notches > 0 ? kZoomStep : -kZoomStep;
    // The canvas cannot show a scale of nothing or less.
    if (zoom_ <= 0.0) zoom_ = 1.0;
  }
  SetAllScales(zoom_);
  RelayoutOutputs();
  return true;
}

int MainPageLayout::MakeCurrent(CellHandle pressed) {
  const int index = IndexOf(pressed);
  if (index >= 0 && index < kWindowCount) currentWindow_ = index;
  canvas_.RaiseCell(cell(currentWindow_));
  DeviceModel& m = model();
  m.CurrentWindow = static_cast<uint8_t>(currentWindow_);
  if (m.LogoGeomDirty != 0) {
    encoder_.EncodeAndSend(CommandType::SetLogo, {kLogoGeometryOperation});
    m.LogoGeomDirty = 0;
  }
  return currentWindow_;
}

std::optional<int> MainPageLayout::CommitDrag(CellHandle changed) {
  const int index = IndexOf(changed);
  if (index < 0) return std::nullopt;
  if (index >= kWindowCount) {
    RelayoutOutputs();
    return std::nullopt;
  }
  const CCell& c = CellOf(index);
  const Rect& d = c.deviceRect();
  ChnlData& ch = model().rec.Chnl[index];
  ch.HPos = std::max(0, d.left - c.origin().x);
  ch.VPos = std::max(0, d.top - c.origin().y);
  ch.HAct = d.Width();
  ch.VAct = d.Height();
  encoder_.EncodeAndSend(CommandType::SetWindowGeometry, {static_cast<uint8_t>(index)});
  return index;
}

std::optional<Rect> MainPageLayout::VideoSource(int window, int frameWidth, int frameHeight) const {
  if (window < 0 || window >= kWindowCount || frameWidth <= 0 || frameHeight <= 0) {
    return std::nullopt;
  }
  const DeviceStatusRecord& r = model().rec;
  if (r.HReso == 0 || r.VReso == 0) return std::nullopt;
  const std::optional<int> quadrant = QuadrantOf(window);
  const std::optional<WindowGeometry> g = GeometryOf(window);
  if (!quadrant || !g) return std::nullopt;
  const int wq = frameWidth / 2;
  const int hq = frameHeight / 2;
  const int x0 = *quadrant % 2 * wq;
  const int y0 = *quadrant / 2 * hq;
  const auto share = [](int value, int part, int whole) {
    return RoundHalfUp(static_cast<float>(value) * static_cast<float>(part) /
                       static_cast<float>(whole));
  };
  const int x = x0 + share(g->x, wq, r.HReso);
  const int width = share(g->width, wq, r.HReso);
  int y = 0;
  int height = 0;
  if (g->logo) {
    y = y0 + hq * g->y / r.VReso;
    height = hq * g->height / r.VReso;
  } else {
    y = y0 + share(g->y, hq, r.VReso);
    height = share(g->height, hq, r.VReso);
  }
  return Rect{x, y, x + width, y + height};
}

const std::string& MainPageLayout::Label(int window) const {
  static const std::string kNone;
  if (window < 0 || window >= kWindowCount) return kNone;
  return CellOf(window).name();
}

CCell& MainPageLayout::CellOf(int index) {
  return *canvas_.Cell(cell(index));
}

const CCell& MainPageLayout::CellOf(int index) const {
  return *canvas_.Cell(cell(index));
}

Rect MainPageLayout::DeviceRectOf(int index) const {
  return CellOf(index).deviceRect();
}

std::string MainPageLayout::SourceName(int window) const {
  return model().WindowInputName(window);
}

std::string MainPageLayout::NormalPrefix(int window) {
  return window == 0 ? "Main : " : "PIP-" + std::to_string(window) + " : ";
}

void MainPageLayout::SetWindowLabel(int window, const std::string& prefix) {
  CCell& c = CellOf(window);
  c.SetName(prefix.empty() ? std::string() : prefix + SourceName(window));
  c.SetSource(model().rec.Chnl[window].ChnlInput);
}

void MainPageLayout::RebaseWindow(int window, int screenIndex) {
  canvas_.RebaseCell(cell(window), DeviceRectOf(screenIndex));
}

void MainPageLayout::SetAllScales(double factor) {
  const float single = static_cast<float>(factor);
  canvas_.SetScalePairs(ScalePair::FromFactors(single, single).value());
}

std::optional<MainPageLayout::WindowGeometry> MainPageLayout::GeometryOf(int window) const {
  const DeviceModel& m = model();
  const DeviceStatusRecord& r = m.rec;
  if (window == kLogoWindow && r.LogoUsage == 1) {
    const int slot = m.LogoSlotSel;
    if (slot >= kLogoSlotCount) return std::nullopt;
    return WindowGeometry{r.LogoHPos[slot], r.LogoVPos[slot], r.LogoHAct[slot], r.LogoVAct[slot],
                          true};
  }
  const ChnlData& ch = r.Chnl[window];
  return WindowGeometry{ch.HPos, ch.VPos, std::max(ch.HAct, 0), std::max(ch.VAct, 0), false};
}

std::optional<int> MainPageLayout::SwitcherScreenOf(int window) const {
  const DeviceStatusRecord& r = model().rec;
  const bool program = r.PgmState[window] != 0;
  switch (r.PvwMode) {
    case 1:
      return program ? kFirstProgramScreen : kFirstPreviewScreen;
    case 2: {
      const int second = window % 2;
      if (program) return kFirstProgramScreen + second;
      if (r.PvwState[window] != 0) return kFirstPreviewScreen + second;
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

std::optional<int> MainPageLayout::QuadrantOf(int window) const {
  const DeviceStatusRecord& r = model().rec;
  switch (r.PvwMode) {
    case 1:
      return r.PgmState[window] != 0 ? 1 : 0;
    case 2:
      if (r.PgmState[window] != 0) return 2 + window % 2;
      if (r.PvwState[window] != 0) return window % 2;
      return std::nullopt;
    default:
      if (r.MosaicAutoArr == 3) return window == 3 ? 1 : window;
      if (r.MosaicMode == 3 && (window == 1 || window == 2)) return 3 - window;
      return window;
  }
}

void MainPageLayout::ApplySwitcherGeometry() {
  const DeviceStatusRecord& r = model().rec;
  // The page keeps the margin of the first output screen's corner free and
  // fits the screens into what is left of its halves.
  int across = 0;
  if (r.PvwMode == 1) {
    across = pageWidth_ * 2 / 5 - kScreenOrigin.x;
  } else if (r.PvwMode == 2) {
    across = (pageWidth_ * 2 - 2 * kScreenOrigin.x) / 5;
  } else {
    return;
  }
  const int down = (pageHeight_ - kScreenOrigin.y) / 2;
  const float sx = static_cast<float>(r.HReso) / static_cast<float>(across);
  const float sy = static_cast<float>(r.VReso) / static_cast<float>(down);
  // A page too small for the frames, or an output without a size, gives no
  // usable scale: the screens then stay as they are.
  const std::optional<ScalePair> pair = ScalePair::FromFactors(sx, sy);
  if (!pair) return;
  canvas_.SetScalePairs(*pair);

  const int cx = pageWidth_ / 2;
  const int my = pageHeight_ / 2;
  const int centre = static_cast<int>(static_cast<float>(cx) * sx);
  const int previewTop = static_cast<int>(kSwitcherScreenDrop * sy);
  const int programTop =
      static_cast<int>(static_cast<float>(my) * sy + static_cast<float>(kSwitcherScreenDrop) * sy);
  const auto place = [this](int index, int left, int top) {
    const Rect s = DeviceRectOf(index);
    canvas_.SetCellDeviceRect(cell(index), {left, top, left + s.Width(), top + s.Height()});
  };
  if (r.PvwMode == 1) {
    place(kFirstPreviewScreen, centre - DeviceRectOf(kFirstPreviewScreen).Width() / 2, previewTop);
    place(kFirstProgramScreen, centre - DeviceRectOf(kFirstProgramScreen).Width() / 2, programTop);
  } else {
    place(kFirstPreviewScreen, centre - DeviceRectOf(kFirstPreviewScreen).Width(), previewTop);
    place(kFirstPreviewScreen + 1, centre, previewTop);
    place(kFirstProgramScreen, centre - DeviceRectOf(kFirstProgramScreen).Width(), programTop);
    place(kFirstProgramScreen + 1, centre, programTop);
  }
}

}  // namespace qv
