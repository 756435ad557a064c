#pragma once
// The part of a window's input picture the processor keeps: a rectangle
// inside the input frame (the record's totals), and where the crop page's
// small preview draws it.

#include "canvas/Rect.h"
#include "link/DeviceStatusRecord.h"

namespace qv {

struct CropArea {
  int hStart = 0, vStart = 0, width = 0, height = 0;
  bool operator==(const CropArea&) const = default;

  static CropArea Of(const CropSettings& crop) {
    return {crop.HPos, crop.VPos, crop.HAct, crop.VAct};
  }

  // The area as committed: each edge kept inside a frame of `hTotal` x
  // `vTotal`, the starts first, then the sizes from them. A total of 0 (an
  // input without a signal) says nothing about its axis, which is left as
  // typed.
  CropArea Limited(int hTotal, int vTotal) const;

  // The area in a preview frame of `frameWidth` x `frameHeight` showing the
  // whole input frame, from the frame's top-left corner. Totals of 0 draw
  // at one pixel a pixel.
  Rect InPreview(int hTotal, int vTotal, int frameWidth, int frameHeight) const;
};

}  // namespace qv
