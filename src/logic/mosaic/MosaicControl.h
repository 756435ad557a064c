#pragma once
// The processor drives several output panels as one picture: the mosaic
// mode says how many ("Panel x 1" .. "Panel x 4"), an arrangement how the
// panels sit, or each cell's geometry is set by hand. What the mosaic page
// does to the model and the processor, apart from showing it.

#include <array>
#include <vector>

#include "link/CommandEncoder.h"

namespace qv {

class MosaicControl {
 public:
  static constexpr int kPanelCount = 5;  // the panel buttons, modes 1..5
  static constexpr int kArrangementCount = 8;
  static constexpr int kNoArrangement = 8;
  static constexpr int kFourPanels = 5;

  // A cell's start, size and total, as its fields show them.
  struct Cell {
    int hStart = 0, vStart = 0, width = 0, height = 0, hTotal = 0, vTotal = 0;
    bool operator==(const Cell&) const = default;
  };
  enum class CellField { HStart, VStart, Width, Height, HTotal, VTotal };

  // Where the panels of an arrangement sit, as columns and rows of a grid.
  struct Panel {
    int column = 0, row = 0;
  };

  explicit MosaicControl(CommandEncoder& encoder) : encoder_(encoder) {}

  // The arrangements a mode offers and the one it starts with.
  static std::vector<int> ArrangementsOf(int mode);
  static int DefaultArrangement(int mode);
  static std::vector<Panel> PanelsOf(int arrangement);
  // The cell after `field` was committed: each start kept inside its total
  // by the size, each size by the start; a total below the size shrinks it.
  static Cell Committed(Cell cell, CellField field);

  Cell CellOf(int cell) const;

  // ON/OFF with panel button `panel` (0..4) and cell `cell`. Returns true
  // when the mode took window 3 from the logo.
  bool Switch(bool on, int panel, int cell);
  // Another panel button; returns true when window 3 left the logo.
  bool ChoosePanels(int panel, int cell);
  void ChooseArrangement(int arrangement);
  void SetCell(int cell, const Cell& values);
  // The cell back to a whole 1920 x 1080 panel.
  void ResetCell(int cell);

 private:
  DeviceModel& model() const { return encoder_.model(); }
  bool ValidCell(int cell) const { return cell >= 0 && cell < kMosaicCellCount; }
  void SendCell(int cell, int operation);
  bool TakeLogoWindow();
  void QueryKeyers(std::array<uint8_t, 2> channels);

  CommandEncoder& encoder_;
};

}  // namespace qv
