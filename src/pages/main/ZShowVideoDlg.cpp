#include "pages/main/ZShowVideoDlg.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/WidgetColours.h"

namespace qv {

namespace {

constexpr int kFirstLabelId = 1560;
constexpr int kVideoDisplayString = 137;

Qt::CursorShape CursorOf(ZShowVideoDlg::Zone zone) {
  using Zone = ZShowVideoDlg::Zone;
  switch (zone) {
    case Zone::TopLeft:
    case Zone::BottomRight:
      return Qt::SizeFDiagCursor;
    case Zone::TopRight:
    case Zone::BottomLeft:
      return Qt::SizeBDiagCursor;
    case Zone::Left:
    case Zone::Right:
      return Qt::SizeHorCursor;
    case Zone::Top:
    case Zone::Bottom:
      return Qt::SizeVerCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace

ZShowVideoDlg::ZShowVideoDlg(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint) {
  setMinimumSize(kMinimumSize);
  resize(660, 430);
  setMouseTracking(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, colours::kGround);
  pal.setColor(QPalette::WindowText, colours::kAccent);
  setPalette(pal);
  setAutoFillBackground(true);
  for (int i = 0; i < kQuadrants; ++i) {
    labels_[i] = new QLabel(QStringLiteral("DVI-%1:").arg(i + 1), this);
    SetControlId(*labels_[i], kFirstLabelId + i);
  }
  close_ = MakeButton(this, 0, QString::fromUtf8("\u2715"));
  close_->setObjectName("previewClose");
  close_->setAccessibleName(QStringLiteral("Close"));
  connect(close_, &QPushButton::clicked, this, &QWidget::hide);
  Place();
}

QRect ZShowVideoDlg::QuadrantRect(int i, QSize size) {
  const int a = size.width() - 20;
  const int c = (size.height() - 26) / 2;
  const int x = i < 2 ? (i * a) / 2 + 10 : ((i - 2) * a) / 2 + 10;
  const int y = i < 2 ? 46 : c + 46;
  return QRect(x, y, a / 2, c - 20);
}

ZShowVideoDlg::Zone ZShowVideoDlg::ZoneAt(QPoint p, QSize size) {
  const int w = size.width(), h = size.height();
  const bool left = p.x() < kCornerReach, right = p.x() >= w - kCornerReach;
  const bool top = p.y() < kCornerReach, bottom = p.y() >= h - kCornerReach;
  if (left && top) return Zone::TopLeft;
  if (right && top) return Zone::TopRight;
  if (left && bottom) return Zone::BottomLeft;
  if (right && bottom) return Zone::BottomRight;
  if (p.x() < kEdgeReach) return Zone::Left;
  if (p.x() >= w - kEdgeReach) return Zone::Right;
  if (p.y() < kEdgeReach) return Zone::Top;
  if (p.y() >= h - kEdgeReach) return Zone::Bottom;
  if (p.y() < kCaptionHeight) return Zone::Caption;
  return Zone::None;
}

void ZShowVideoDlg::Place() {
  for (int i = 0; i < kQuadrants; ++i) {
    const QRect q = QuadrantRect(i, size());
    labels_[i]->setGeometry(q.x(), q.y() - 20, 80, 20);
    if (views_[i]) views_[i]->setGeometry(q);
  }
  close_->setGeometry(width() - kCaptionHeight - 1, 1, kCaptionHeight - 2, kCaptionHeight - 2);
}

void ZShowVideoDlg::Rebuild(VideoView::Setup setup) {
  Clear();
  setup.kind = SdlSurface::Kind::Quadrant;
  const int w = setup.frameWidth, h = setup.frameHeight;
  for (int i = 0; i < kQuadrants; ++i) {
    views_[i] = new VideoView(setup, nullptr, this);
    views_[i]->setGeometry(QuadrantRect(i, size()));
    views_[i]->SetSource(
        {(i % 2) * w / 2, i < 2 ? 0 : h / 2, (i % 2) * w / 2 + w / 2, (i < 2 ? 0 : h / 2) + h / 2});
    views_[i]->SetShown(isVisible());
    views_[i]->show();
  }
}

void ZShowVideoDlg::Clear() {
  for (VideoView*& view : views_) {
    delete view;
    view = nullptr;
  }
}

void ZShowVideoDlg::ApplyLanguage(const LanguageTexts& texts) {
  const QString title = texts.Ui(kVideoDisplayString);
  if (!title.isEmpty()) title_ = title;
  for (QLabel* label : labels_) {
    const QString text =
        texts.Lookup(QStringLiteral("IDS_%1").arg(ControlId(*label)).toStdString());
    if (!text.isEmpty()) label->setText(text);
  }
  setWindowTitle(title_);
  update();
}

void ZShowVideoDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), colours::kGround);
  p.fillRect(QRect(0, 0, width(), kCaptionHeight), colours::kButton);
  p.setPen(colours::kAccent);
  p.drawText(QRect(0, 0, width(), kCaptionHeight), Qt::AlignCenter, title_);
  p.setPen(colours::kLine);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ZShowVideoDlg::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Place();
}

void ZShowVideoDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  QWindow* window = windowHandle();
  if (!window) return;
  switch (ZoneAt(event->position().toPoint(), size())) {
    case Zone::Caption:
      window->startSystemMove();
      break;
    case Zone::TopLeft:
      window->startSystemResize(Qt::TopEdge | Qt::LeftEdge);
      break;
    case Zone::TopRight:
      window->startSystemResize(Qt::TopEdge | Qt::RightEdge);
      break;
    case Zone::BottomLeft:
      window->startSystemResize(Qt::BottomEdge | Qt::LeftEdge);
      break;
    case Zone::BottomRight:
      window->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
      break;
    case Zone::Left:
      window->startSystemResize(Qt::LeftEdge);
      break;
    case Zone::Right:
      window->startSystemResize(Qt::RightEdge);
      break;
    case Zone::Top:
      window->startSystemResize(Qt::TopEdge);
      break;
    case Zone::Bottom:
      window->startSystemResize(Qt::BottomEdge);
      break;
    case Zone::None:
      break;
  }
}

void ZShowVideoDlg::mouseMoveEvent(QMouseEvent* event) {
  setCursor(CursorOf(ZoneAt(event->position().toPoint(), size())));
  QWidget::mouseMoveEvent(event);
}

void ZShowVideoDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  for (VideoView* view : views_) {
    if (view) view->SetShown(true);
  }
}

void ZShowVideoDlg::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  // A closed preview window costs no rendering.
  for (VideoView* view : views_) {
    if (view) view->SetShown(false);
  }
}

}  // namespace qv
