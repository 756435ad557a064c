#include "CGdipButton.h"

#include <QPainter>
#include <QSignalBlocker>

#include "AccessibleFactory.h"
#include "WidgetColours.h"

namespace qv {

CGdipButton::CGdipButton(QWidget* parent) : CGdipButton(QString(), parent) {}

CGdipButton::CGdipButton(const QString& text, QWidget* parent) : QAbstractButton(parent) {
  InstallAccessibleFactory();
  // A checkable button flips its state before it emits clicked().
  setCheckable(true);
  setText(text);
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::TabFocus);
}

void CGdipButton::SetImages(const QPixmap& off, const QPixmap& on) {
  off_ = off;
  on_ = on;
  updateGeometry();
  update();
}

void CGdipButton::SetState(bool on) {
  const QSignalBlocker blocker(this);
  setChecked(on);
}

QSize CGdipButton::sizeHint() const {
  if (!off_.isNull()) return off_.deviceIndependentSize().toSize();
  return {qMax(64, fontMetrics().horizontalAdvance(text()) + 20), 24};
}

void CGdipButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPixmap& picture = isChecked() ? on_ : off_;
  if (!picture.isNull()) {
    if (!isEnabled()) p.setOpacity(0.4);
    p.drawPixmap(rect(), picture);
    return;
  }
  p.setRenderHint(QPainter::Antialiasing);
  const bool enabled = isEnabled();
  const bool hot = enabled && (underMouse() || isDown());
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QColor face = isChecked() ? colours::kAccent : hot ? colours::kRaisedHover : colours::kRaised;
  if (isChecked() && hot) face = face.lighter(112);
  if (!enabled) face = isChecked() ? colours::kAccent.darker(250) : colours::kRaised;
  p.setPen(isChecked() ? face.darker(130) : (hasFocus() ? colours::kAccent : colours::kLine));
  p.setBrush(face);
  p.drawRoundedRect(box, 3, 3);
  p.setPen(!enabled ? colours::kTextDim : isChecked() ? colours::kGround : colours::kText);
  p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

}  // namespace qv
