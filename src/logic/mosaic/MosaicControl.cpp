#include "logic/mosaic/MosaicControl.h"

#include <algorithm>

namespace qv {

std::vector<int> MosaicControl::ArrangementsOf(int mode) {
  switch (mode) {
    case 2:
    case 3:
      return {0, 1};
    case 4:
      return {2, 3, 4};
    case 5:
      return {5, 6, 7};
    default:
      return {};
  }
}

int MosaicControl::DefaultArrangement(int mode) {
  const std::vector<int> offered = ArrangementsOf(mode);
  return offered.empty() ? kNoArrangement : offered.front();
}

std::vector<MosaicControl::Panel> MosaicControl::PanelsOf(int arrangement) {
  // As the main page places the output screens.
  switch (arrangement) {
    case 0:
      return {{0, 0}, {1, 0}};
    case 1:
      return {{0, 0}, {0, 1}};
    case 2:
    case 3:
      return {{0, 0}, {1, 0}, {2, 0}};
    case 4:
      return {{0, 0}, {0, 1}, {0, 2}};
    case 5:
      return {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    case 6:
      return {{0, 0}, {1, 0}, {2, 0}, {3, 0}};
    case 7:
      return {{0, 0}, {0, 1}, {0, 2}, {0, 3}};
    default:
      return {};
  }
}

MosaicControl::Cell MosaicControl::Committed(Cell c, CellField field) {
  // A total too small for the size leaves the start at 0, not below.
  const auto start = [](int value, int total, int size) {
    return std::clamp(value, 0, std::max(0, total - size));
  };
  switch (field) {
    case CellField::HStart:
      c.hStart = start(c.hStart, c.hTotal, c.width);
      break;
    case CellField::VStart:
      c.vStart = start(c.vStart, c.vTotal, c.height);
      break;
    case CellField::Width:
      c.width = std::min(c.width, std::max(0, c.hTotal - c.hStart));
      break;
    case CellField::Height:
      c.height = std::min(c.height, std::max(0, c.vTotal - c.vStart));
      break;
    case CellField::HTotal:
      c.width = std::min(c.width, c.hTotal);
      c.hStart = start(c.hStart, c.hTotal, c.width);
      break;
    case CellField::VTotal:
      c.height = std::min(c.height, c.vTotal);
      c.vStart = start(c.vStart, c.vTotal, c.height);
      break;
  }
  return c;
}

MosaicControl::Cell MosaicControl::CellOf(int cell) const {
  if (!ValidCell(cell)) return {};
  const DeviceStatusRecord& r = model().rec;
  return {r.CellHPos[cell], r.CellVPos[cell], r.CellHAct[cell],
          r.CellVAct[cell], r.CellHEnd[cell], r.CellVEnd[cell]};
}

void MosaicControl::SendCell(int cell, int operation) {
  encoder_.EncodeAndSend(CommandType::SetMosaicCell,
                         {static_cast<uint8_t>(cell), static_cast<uint8_t>(operation)});
}

bool MosaicControl::TakeLogoWindow() {
  // Four panels need window 3 as a picture of its own.
  if (model().rec.MosaicMode != kFourPanels) return false;
  model().rec.LogoUsage = 0;
  return true;
}

void MosaicControl::QueryKeyers(std::array<uint8_t, 2> channels) {
  for (uint8_t channel : channels) encoder_.EncodeAndSend(CommandType::QueryKeyer, {channel});
}

bool MosaicControl::Switch(bool on, int panel, int cell) {
  if (!ValidCell(cell) || panel < 0 || panel >= kPanelCount) return false;
  DeviceModel& m = model();
  m.rec.MosaicMode = on ? panel + 1 : 0;
  const bool logo = TakeLogoWindow();
  QueryKeyers({1, 3});
  m.MosaicPageB = 0;
  SendCell(cell, 0);
  if (on) {
    m.MosaicPageA = kNoArrangement;
    for (uint8_t c = 0; c < kMosaicCellCount; ++c) {
      encoder_.EncodeAndSend(CommandType::QueryMosaicCell, {c});
    }
  }
  encoder_.EncodeAndSend(CommandType::Request57, {0});
  for (uint8_t k = 0; k < kWindowCount; ++k) {
    encoder_.EncodeAndSend(CommandType::QueryWindowGeometry, {k});
  }
  return logo;
}

bool MosaicControl::ChoosePanels(int panel, int cell) {
  if (!ValidCell(cell) || panel < 0 || panel >= kPanelCount) return false;
  DeviceModel& m = model();
  m.rec.MosaicMode = panel + 1;
  m.MosaicPageB = 0;
  SendCell(cell, 0);
  encoder_.EncodeAndSend(CommandType::Request73, {0});
  QueryKeyers({3, 1});
  const bool logo = TakeLogoWindow();
  m.MosaicPageA = kNoArrangement;
  return logo;
}

void MosaicControl::ChooseArrangement(int arrangement) {
  if (arrangement < 0 || arrangement >= kArrangementCount) return;
  model().MosaicPageA = static_cast<uint8_t>(arrangement);
  model().rec.MosaicAutoArr = arrangement;
  SendCell(0, 1);
}

void MosaicControl::SetCell(int cell, const Cell& v) {
  if (!ValidCell(cell)) return;
  DeviceStatusRecord& r = model().rec;
  r.CellHPos[cell] = v.hStart;
  r.CellVPos[cell] = v.vStart;
  r.CellHAct[cell] = v.width;
  r.CellVAct[cell] = v.height;
  r.CellHEnd[cell] = v.hTotal;
  r.CellVEnd[cell] = v.vTotal;
  SendCell(cell, 2);
}

void MosaicControl::ResetCell(int cell) {
  if (!ValidCell(cell)) return;
  // The processor takes the cell's geometry from it once, as a reset.
  model().MosaicPageB = 1;
  SetCell(cell, {0, 0, 1920, 1080, 1920, 1080});
  model().MosaicPageB = 0;
}

}  // namespace qv
