#include "pages/crop/CropPreview.h"

#include <QPainter>

#include "widgets/WidgetColours.h"

namespace qv {

CropPreview::CropPreview(QWidget* parent) : QWidget(parent) {
  setFixedSize(kFrameWidth + 2, kFrameHeight + 2);
}

void CropPreview::Show(const Rect& area) {
  area_ = area;
  update();
}

void CropPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect frame(1, 1, kFrameWidth, kFrameHeight);
  p.fillRect(frame, colours::kSunken);
  p.setClipRect(frame);
  p.fillRect(QRect(frame.left() + area_.left, frame.top() + area_.top, area_.Width(), area_.Height()),
             colours::kAccent);
  p.setClipping(false);
  p.setPen(colours::kSeparator);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace qv
