#pragma once
// The crop page's picture of the input frame with the kept part in orange.

#include <QWidget>

#include "canvas/Rect.h"

namespace qv {

class CropPreview final : public QWidget {
 public:
  static constexpr int kFrameWidth = 130;
  static constexpr int kFrameHeight = 100;

  explicit CropPreview(QWidget* parent = nullptr);

  // The kept part in frame pixels, from the frame's top-left corner.
  void Show(const Rect& area);
  const Rect& area() const { return area_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Rect area_;
};

}  // namespace qv
