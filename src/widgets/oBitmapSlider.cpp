#include "oBitmapSlider.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "AccessibleFactory.h"
#include "WidgetColours.h"

namespace qv {

namespace {
constexpr int kChannelHeight = 4;
constexpr int kHalfThumb = oBitmapSlider::kThumbWidth / 2;
}  // namespace

oBitmapSlider::oBitmapSlider(QWidget* parent) : QWidget(parent) {
  InstallAccessibleFactory();
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize oBitmapSlider::sizeHint() const {
  return {160, kThumbHeight + 4};
}

void oBitmapSlider::SetRange(int minimum, int maximum) {
  minimum_ = std::min(minimum, maximum);
  maximum_ = std::max(minimum, maximum);
  SetPosition(position_);
}

void oBitmapSlider::SetPosition(int position) {
  const int limited = std::clamp(position, minimum_, maximum_);
  if (limited == position_) return;
  position_ = limited;
  update();
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(this, position_);
    QAccessible::updateAccessibility(&event);
  }
}

int oBitmapSlider::XOf(int position) const {
  const int span = width() - kThumbWidth;
  if (maximum_ == minimum_ || span <= 0) return kHalfThumb;
  return kHalfThumb + static_cast<int>(std::lround(static_cast<double>(position - minimum_) * span /
                                                   (maximum_ - minimum_)));
}

int oBitmapSlider::PositionAt(int x) const {
  const int span = width() - kThumbWidth;
  if (span <= 0) return minimum_;
  const double fraction = std::clamp(static_cast<double>(x - kHalfThumb) / span, 0.0, 1.0);
  return minimum_ + static_cast<int>(std::lround(fraction * (maximum_ - minimum_)));
}

QRect oBitmapSlider::thumbRect() const {
  return {XOf(position_) - kHalfThumb, (height() - kThumbHeight) / 2, kThumbWidth, kThumbHeight};
}

void oBitmapSlider::MoveTo(int position) {
  SetPosition(position);
  emit moved(position_);
}

void oBitmapSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) {
    QWidget::mousePressEvent(event);
    return;
  }
  const int x = event->position().toPoint().x();
  const int offset = x - XOf(position_);
  if (std::abs(offset) <= kHalfThumb) {
    // Qt keeps sending the mouse to this widget until the button is released.
    dragging_ = true;
    grabOffset_ = offset;
  } else {
    // A click on the channel pages towards the pointer, as Page Up/Down do.
    MoveTo(position_ + (offset < 0 ? -pageStep() : pageStep()));
  }
  event->accept();
}

void oBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const int position = PositionAt(event->position().toPoint().x() - grabOffset_);
  if (position != position_) MoveTo(position);
}

void oBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  update();
  emit released(position_);
}

void oBitmapSlider::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      MoveTo(position_ - 1);
      break;
    case Qt::Key_Right:
    case Qt::Key_Down:
      MoveTo(position_ + 1);
      break;
    case Qt::Key_PageUp:
      MoveTo(position_ - pageStep());
      break;
    case Qt::Key_PageDown:
      MoveTo(position_ + pageStep());
      break;
    case Qt::Key_Home:
      MoveTo(minimum_);
      break;
    case Qt::Key_End:
      MoveTo(maximum_);
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void oBitmapSlider::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const bool enabled = isEnabled();
  const QRectF channel(kHalfThumb, (height() - kChannelHeight) / 2.0, width() - kThumbWidth,
                       kChannelHeight);
  p.setPen(colours::kLine);
  p.setBrush(colours::kGround);
  p.drawRoundedRect(channel, 2, 2);
  // The part of the channel up to the thumb carries the accent.
  QRectF filled = channel;
  filled.setRight(XOf(position_));
  p.setPen(Qt::NoPen);
  p.setBrush(enabled ? colours::kAccent.darker(140) : colours::kLine);
  p.drawRoundedRect(filled, 2, 2);

  const QRectF thumb = QRectF(thumbRect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const QColor face = !enabled                  ? colours::kRaised
                      : dragging_ || hasFocus() ? colours::kAccent
                                                : colours::kTextSoft;
  p.setPen(QPen(colours::kGround, 1));
  p.setBrush(face);
  p.drawRoundedRect(thumb, 2, 2);
  p.setPen(QPen(face.darker(160), 1));
  const qreal mid = thumb.center().x();
  p.drawLine(QPointF(mid, thumb.top() + 5), QPointF(mid, thumb.bottom() - 5));
}

}  // namespace qv
