#include "CSxGroupBox.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>

#include "AccessibleFactory.h"
#include "WidgetColours.h"

namespace qv {

namespace {
constexpr int kInset = 8;
constexpr int kCaptionGap = 4;  // blank space either side of the caption on the line
}  // namespace

CSxGroupBox::CSxGroupBox(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {
  InstallAccessibleFactory();
  UpdateMargins();
}

void CSxGroupBox::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  update();
  if (QAccessible::isActive()) {
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }
}

void CSxGroupBox::SetCaptionColour(CaptionColour colour) {
  colour_ = colour;
  update();
}

void CSxGroupBox::UpdateMargins() {
  const int captionHeight = fontMetrics().height();
  setContentsMargins(kInset, captionHeight + kCaptionGap, kInset, kInset);
}

void CSxGroupBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) UpdateMargins();
  QWidget::changeEvent(event);
}

void CSxGroupBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics metrics = fontMetrics();
  const int lineY = metrics.height() / 2;
  const QRect frame(0, lineY, width() - 1, height() - lineY - 1);
  const int captionWidth = caption_.isEmpty() ? 0 : metrics.horizontalAdvance(caption_);
  const int captionLeft = kInset + kCaptionGap;

  p.setPen(colours::kLine);
  if (captionWidth == 0) {
    p.drawRect(frame);
  } else {
    // The top edge leaves a gap for the caption.
    p.drawLine(frame.topLeft(), QPoint(captionLeft - kCaptionGap, frame.top()));
    p.drawLine(QPoint(captionLeft + captionWidth + kCaptionGap, frame.top()), frame.topRight());
    p.drawLine(frame.topRight(), frame.bottomRight());
    p.drawLine(frame.bottomRight(), frame.bottomLeft());
    p.drawLine(frame.bottomLeft(), frame.topLeft());
  }
  const bool enabled = isEnabled();
  p.setPen(!enabled                           ? colours::kTextDim
           : colour_ == CaptionColour::Accent ? colours::kAccent
                                              : colours::kText);
  p.drawText(QRect(captionLeft, 0, captionWidth, metrics.height()), Qt::AlignCenter, caption_);
}

}  // namespace qv
