#pragma once
// The input panel's artwork, drawn once in code: a connector glyph per input
// kind in a normal and a highlighted plate, and the two signal lamps.

#include <QImage>
#include <array>

#include "logic/shell/InputPanelLayout.h"

namespace qv {

class InputIcons {
 public:
  static constexpr int kIconWidth = 64;
  static constexpr int kIconHeight = 24;
  static constexpr int kLampSize = 14;

  // `pixelRatio` is the screen's device pixel ratio, so the glyphs stay sharp.
  explicit InputIcons(qreal pixelRatio = 1.0);

  const QImage& Glyph(InputPanelLayout::Icon kind, bool highlighted) const;
  const QImage& Lamp(bool signal) const;

 private:
  static constexpr int kKindCount = 7;

  std::array<std::array<QImage, 2>, kKindCount> icons_;
  std::array<QImage, 2> lamps_;
};

}  // namespace qv
