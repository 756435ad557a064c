#include "WaitingDialog.h"
#include "widgets/WidgetColours.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace qv {

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 96;
constexpr int kSpokes = 12;

}  // namespace

WaitingDialog::WaitingDialog(QWidget* window) : QWidget(window) {
  setFocusPolicy(Qt::StrongFocus);
  hide();
  spin_.setInterval(80);
  connect(&spin_, &QTimer::timeout, this, [this] {
    step_ = (step_ + 1) % kSpokes;
    update();
  });
  giveUp_.setSingleShot(true);
  connect(&giveUp_, &QTimer::timeout, this, [this] {
    HideWaiting();
    emit gaveUp(text_);
  });
  window->installEventFilter(this);
}

void WaitingDialog::ShowWaiting(const QString& text, int giveUpMs) {
  text_ = text;
  giveUp_.start(giveUpMs);
  if (isHidden()) {
    Place();
    show();
    raise();
    setFocus();
    spin_.start();
  }
  update();
}

void WaitingDialog::HideWaiting() {
  if (isHidden()) return;
  spin_.stop();
  giveUp_.stop();
  hide();
  if (QWidget* window = parentWidget()) {
    window->raise();
    window->activateWindow();
  }
}

void WaitingDialog::Place() {
  if (parentWidget()) setGeometry(parentWidget()->rect());
}

QRect WaitingDialog::Box() const {
  return QRect(width() / 2 - kWidth / 2, height() / 2 - kHeight / 2, kWidth, kHeight);
}

bool WaitingDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) Place();
  return QWidget::eventFilter(watched, event);
}

void WaitingDialog::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), colours::kShade);
  const QRect box = Box();
  QPainterPath frame;
  frame.addRoundedRect(QRectF(box), 6, 6);
  p.fillPath(frame, colours::kFrame);
  QPainterPath inner;
  inner.addRoundedRect(QRectF(box).adjusted(3, 3, -3, -3), 4, 4);
  p.fillPath(inner, colours::kGround);

  const QPointF centre(box.left() + 40, box.center().y() + 0.5);
  for (int i = 0; i < kSpokes; ++i) {
    const int age = (step_ - i + kSpokes) % kSpokes;
    QColor colour = colours::kAccent;
    colour.setAlpha(255 - age * 200 / kSpokes);
    p.save();
    p.translate(centre);
    p.rotate(i * 360.0 / kSpokes);
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, -10), QPointF(0, -18));
    p.restore();
  }
  p.setPen(colours::kText);
  p.drawText(box.adjusted(72, 0, -12, 0), Qt::AlignVCenter | Qt::TextWordWrap, text_);
}

}  // namespace qv
