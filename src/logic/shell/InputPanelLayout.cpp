#include "logic/shell/InputPanelLayout.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int kFirstLeft = 123;
constexpr int kRowTop = 25;
constexpr int kRowBottom = 50;
constexpr int kTileWidth = 68;
constexpr int kTileGap = 40;
constexpr int kHalfTileHeight = 16;
constexpr int kMarkerReach = 16;

constexpr int kSwitchAreaWidth = 4 * 62 + 3 * 6;
constexpr int kMargin = 8;

// Card types the expansion slots report.
constexpr int32_t kCardVga = 3;
constexpr int32_t kCardDvi = 4;
constexpr int32_t kCardHdmi = 6;
constexpr int32_t kCardSdi = 7;
constexpr int32_t kCardDp = 8;
constexpr int32_t kCardUsbDisk = 9;

bool IsHalfTile(int tile) {
  return tile >= 8;
}

}  // namespace

InputPanelLayout::InputPanelLayout(double scale) {
  const double w = kTileWidth * scale;
  Rect running{kFirstLeft, kRowTop, static_cast<int>(kFirstLeft + w), kRowBottom};
  for (int i = 0; i < kInputCodeCount; ++i) {
    Rect& r = tiles_[i];
    r = running;
    if (i == 8 || i == 10) {
      // Left half above the whole input's tile.
      const Rect& whole = tiles_[i - 4];
      r = {whole.left, whole.top - 25, whole.right, whole.top - 25 + kHalfTileHeight};
    } else if (i == 9 || i == 11) {
      // Right half a label's height below the left half.
      const Rect& whole = tiles_[i - 5];
      const int top = tiles_[i - 1].bottom + 16;
      r = {whole.left, top, whole.right, top + kHalfTileHeight};
    } else {
      // Each step truncates, so the fractions of a scaled pitch never add up.
      const int left = static_cast<int>(running.left + w + kTileGap);
      running.right += left - running.left;
      running.left = left;
    }
  }
}

bool InputPanelLayout::Shown(const DeviceModel& model, int tile) {
  return tile >= 0 && tile < kInputCodeCount && tile != kHiddenTile &&
         model.InputLabels[tile].usable;
}

InputPanelLayout::Rect InputPanelLayout::PressZone(int tile) const {
  Rect r = tiles_[tile];
  r.bottom += kTextHeight;
  return r;
}

int InputPanelLayout::TileAt(const DeviceModel& model, int x, int y) const {
  for (int i = 0; i < kInputCodeCount; ++i) {
    if (Shown(model, i) && PressZone(i).Contains(x, y)) return i;
  }
  return -1;
}

InputPanelLayout::Rect InputPanelLayout::NameStrip(int tile) const {
  const Rect& r = tiles_[tile];
  return {r.left, r.bottom + kTextHeight, r.right, r.bottom + 2 * kTextHeight};
}

int InputPanelLayout::NameStripAt(const DeviceModel& model, int x, int y) const {
  for (int i = 0; i < kInputCodeCount; ++i) {
    if (Shown(model, i) && NameStrip(i).Contains(x, y)) return i;
  }
  return -1;
}

InputPanelLayout::Rect InputPanelLayout::LoopOutMarker(int tile) const {
  const Rect& r = tiles_[tile];
  return {r.left - kMarkerReach, r.top, r.right + kMarkerReach, r.bottom};
}

InputPanelLayout::Rect InputPanelLayout::PresetNameStrip(const Rect& button) {
  return {button.left - 10, button.bottom + 2, button.right + 10, button.bottom + 22};
}

InputPanelLayout::Rect InputPanelLayout::LeftSwitchArea() {
  return {6, 6, kFirstLeft - kMarkerReach - 7, 106};
}

int InputPanelLayout::RightAreaLeft(int width) const {
  // Past the last tile's marker and the timing text that may overhang it.
  const int clear = tiles_[7].right + 2 * kMarkerReach + kMargin;
  return std::max(width - kMargin - kSwitchAreaWidth, clear);
}

InputPanelLayout::Rect InputPanelLayout::RightSwitchArea(int width) const {
  const int left = RightAreaLeft(width);
  return {left, 10, left + kSwitchAreaWidth, 36};
}

InputPanelLayout::Rect InputPanelLayout::TopButtonArea(int width) const {
  const int left = RightAreaLeft(width);
  return {left, 46, left + kSwitchAreaWidth, 70};
}

InputPanelLayout::Icon InputPanelLayout::IconOf(const DeviceStatusRecord& rec, int tile) {
  switch (tile) {
    case 0:
    case 2:
      return Icon::Dvi;
    case 1:
    case 3:
      return Icon::Hdmi;
    case 4:
    case 8:
    case 9:
      return Icon::Dp;
    case 6:
    case 7:
      switch (rec.InputSrc[tile]) {
        case kCardDvi:
          return Icon::Dvi;
        case kCardDp:
          return Icon::Dp;
        case kCardHdmi:
          return Icon::Hdmi;
        case kCardSdi:
          return Icon::Sdi;
        case kCardVga:
          return Icon::Vga;
        case kCardUsbDisk:
          return Icon::UsbDisk;
        default:
          return Icon::None;
      }
    case 10:
    case 11:
      // The halves of the second DP input come from the card in slot 6.
      if (rec.InputSrc[6] == kCardDp) return Icon::Dp;
      if (rec.InputSrc[6] == kCardHdmi) return Icon::Hdmi;
      return Icon::None;
    default:
      return Icon::None;
  }
}

InputPanelLayout::Rect InputPanelLayout::IconRect(int tile, const Rect& r, int iconWidth,
                                                  int iconHeight) {
  if (IsHalfTile(tile)) return r;
  if (iconWidth < r.Width() / 2) {
    const int left = r.left + iconWidth / 2;
    return {left, r.top, left + iconWidth, r.top + iconHeight};
  }
  return {r.left, r.top, r.left + 64, r.top + 24};
}

std::string InputPanelLayout::TimingText(const InputResolution& reso) {
  const int hz = reso.Fps / 100;
  if (reso.Interlace != 0) {
    return std::to_string(2 * reso.VAct) + "i " + std::to_string(hz) + "Hz";
  }
  return std::to_string(reso.HAct) + "x" + std::to_string(reso.VAct) + " " + std::to_string(hz) +
         "Hz";
}

InputPanelLayout::TileFace InputPanelLayout::Face(const DeviceModel& model, int tile,
                                                  int panelWindow) {
  TileFace face;
  face.shown = Shown(model, tile);
  if (!face.shown) return face;
  const DeviceStatusRecord& rec = model.rec;
  face.icon = IconOf(rec, tile);
  face.highlighted =
      panelWindow >= 0 && panelWindow < kWindowCount && rec.Chnl[panelWindow].ChnlInput == tile;
  const int slot = InputCode(tile) / 10;
  face.signal = rec.InputState[slot] != 0;
  // Both halves share the input's timing; it is written once, under the right half.
  if (face.signal && tile != 8 && tile != 10) face.timing = TimingText(rec.InputReso[slot]);
  face.label = model.InputLabels[tile].label;
  face.displayName = model.InputLabels[tile].displayName;
  return face;
}

}  // namespace qv
