#pragma once
// Where the input panel's tiles sit and what each one shows, apart from
// drawing it: tile rectangles, hit tests, the strips under the tiles, the
// loop-out marker, icon placement and the texts of a tile. Coordinates are
// the main window's client pixels; the panel sits at its top-left corner.

#include <array>
#include <string>

#include "link/DeviceModel.h"

namespace qv {

class InputPanelLayout {
 public:
  // Right and bottom lie just outside the rectangle, so neighbours that share
  // an edge never share a pixel.
  struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Rect&) const = default;
  };

  enum class Icon { None, Dvi, Hdmi, Dp, Sdi, Vga, UsbDisk };

  // Everything one tile shows.
  struct TileFace {
    bool shown = false;
    Icon icon = Icon::None;
    bool highlighted = false;  // the input of the panel's window
    bool signal = false;
    std::string timing;  // empty: no timing under the tile
    std::string label;
    std::string displayName;
  };

  // SDI-1 has its place in the row but no tile: it is never drawn or pressed.
  static constexpr int kHiddenTile = 5;
  static constexpr int kTextHeight = 16;
  // Height the panel needs for the tiles, their texts and the layer switches.
  static constexpr int kPanelHeight = 112;

  // `scale` is the screen's horizontal DPI / 96; only the tile width follows it.
  explicit InputPanelLayout(double scale = 1.0);

  const Rect& Tile(int tile) const { return tiles_[tile]; }

  // Where a press reaches the tile: its rectangle extended down over its
  // built-in label.
  Rect PressZone(int tile) const;
  // The tile pressed at (x, y): a shown tile whose press zone holds the
  // point; -1 for none.
  int TileAt(const DeviceModel& model, int x, int y) const;
  // The strip under a shown tile that holds its display name; -1 for none.
  int NameStripAt(const DeviceModel& model, int x, int y) const;
  Rect NameStrip(int tile) const;
  // Marks the loop-out source: the tile's height, 16 pixels wider on each side.
  Rect LoopOutMarker(int tile) const;
  // The preset name under a preset button, where a double-click renames it.
  static Rect PresetNameStrip(const Rect& button);

  // Layer switch rows and the "TOP" buttons for a panel `width` pixels wide:
  // the left row in the corner before the first tile, the right row and the
  // TOP buttons at the right end, never over the tiles' marker or texts.
  static Rect LeftSwitchArea();
  Rect RightSwitchArea(int width) const;
  Rect TopButtonArea(int width) const;

  static bool Shown(const DeviceModel& model, int tile);
  static Icon IconOf(const DeviceStatusRecord& rec, int tile);
  // Where an icon `iconWidth` x `iconHeight` is drawn for the tile.
  static Rect IconRect(int tile, const Rect& r, int iconWidth, int iconHeight);
  // "1920x1080 60Hz", or "1080i 59Hz" for an interlaced input.
  static std::string TimingText(const InputResolution& reso);
  static TileFace Face(const DeviceModel& model, int tile, int panelWindow);

 private:
  int RightAreaLeft(int width) const;

  std::array<Rect, kInputCodeCount> tiles_{};
};

}  // namespace qv
