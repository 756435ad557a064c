#include "pages/main/CPictureCtrl.h"
#include "widgets/WidgetColours.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace qv {

namespace {

constexpr int kTitleHeight = 26;
constexpr int kFrameWidth = 6;

QRect ToQRect(const Rect& r) {
  return QRect(r.left, r.top, r.Width(), r.Height());
}

Qt::CursorShape QtCursor(CursorShape shape) {
  switch (shape) {
    case CursorShape::Hand:
      return Qt::SizeAllCursor;
    case CursorShape::WestEast:
      return Qt::SizeHorCursor;
    case CursorShape::NorthSouth:
      return Qt::SizeVerCursor;
    case CursorShape::NorthWestSouthEast:
      return Qt::SizeFDiagCursor;
    case CursorShape::NorthEastSouthWest:
      return Qt::SizeBDiagCursor;
    case CursorShape::Arrow:
      break;
  }
  return Qt::ArrowCursor;
}

QFont CellFont() {
  QFont font("Liberation Sans");
  font.setPixelSize(16);
  font.setBold(true);
  return font;
}

}  // namespace

CPictureCtrl::CPictureCtrl(CanvasModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFont(CellFont());
}

void CPictureCtrl::SetGrid(bool on) {
  grid_ = on;
  update();
}

void CPictureCtrl::SetVideo(bool on) {
  video_ = on;
  update();
}

void CPictureCtrl::SetSwitcherFrames(bool on) {
  switcherFrames_ = on;
  update();
}

void CPictureCtrl::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(event->rect(), colours::kCellFill);
  if (grid_) {
    p.setPen(colours::kTextBright);
    const QRect area = event->rect();
    for (int y = area.top() - area.top() % kGridStep; y <= area.bottom(); y += kGridStep) {
      for (int x = area.left() - area.left() % kGridStep; x <= area.right(); x += kGridStep) {
        p.drawPoint(x, y);
      }
    }
  }
  for (const CCell* cell : model_.PaintOrder()) PaintCell(p, *cell);

  p.setPen(QPen(colours::kOverlap, 1, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  for (const Rect& overlap : model_.Overlaps()) p.drawRect(ToQRect(overlap).adjusted(0, 0, -1, -1));

  const SnapGuide& guide = model_.snapGuide();
  if (guide.kind != SnapGuide::Kind::None) {
    p.setPen(QPen(Qt::yellow, 2));
    const QRect t = ToQRect(guide.target);
    const auto square = [&](QPoint corner) { p.drawRect(QRect(corner, QSize(10, 10))); };
    switch (guide.kind) {
      case SnapGuide::Kind::LeftEdge:
        p.drawLine(t.topLeft(), t.bottomLeft());
        break;
      case SnapGuide::Kind::TopEdge:
        p.drawLine(t.topLeft(), t.topRight());
        break;
      case SnapGuide::Kind::RightEdge:
        p.drawLine(t.topRight(), t.bottomRight());
        break;
      case SnapGuide::Kind::BottomEdge:
        p.drawLine(t.bottomLeft(), t.bottomRight());
        break;
      case SnapGuide::Kind::TopLeft:
        square(t.topLeft());
        break;
      case SnapGuide::Kind::BottomLeft:
        square(t.bottomLeft());
        break;
      case SnapGuide::Kind::TopRight:
        square(t.topRight());
        break;
      case SnapGuide::Kind::BottomRight:
        square(t.bottomRight());
        break;
      case SnapGuide::Kind::None:
        break;
    }
  }
  if (const auto band = model_.RubberBand()) {
    p.setPen(QPen(colours::kTextBright, 1, Qt::DotLine));
    p.drawRect(ToQRect(*band).adjusted(0, 0, -1, -1));
  }
  if (switcherFrames_) PaintFrames(p);
}

void CPictureCtrl::PaintCell(QPainter& p, const CCell& cell) const {
  const QRect r = ToQRect(cell.canvasRect());
  if (r.isEmpty()) return;
  if (cell.IsScreen() && cell.outline()) {
    p.setPen(QPen(colours::kScreenName, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  } else if (cell.IsWindow() && video_) {
    p.setPen(cell.selected() ? colours::kCellSelected : colours::kCellFrame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  } else {
    p.fillRect(r, cell.IsScreen() && !cell.selected() ? colours::kScreenFill : colours::kCellFill);
    QColor text = colours::kTextBright;
    if (cell.IsScreen() && !cell.selected()) text = colours::kCellFill;
    if (cell.IsWindow() && cell.locked() && !cell.selected()) text = colours::kScreenName;
    const Point shown = cell.ShownPosition();
    const Rect& device = cell.deviceRect();
    const QString lines[] = {
        QString::fromStdString(cell.name()),
        QStringLiteral("Pos:[%1,%2]").arg(shown.x).arg(shown.y),
        QStringLiteral("Size:[%1,%2]").arg(device.Width()).arg(device.Height()),
    };
    p.save();
    p.setClipRect(r);
    p.setPen(text);
    const int lineHeight = p.fontMetrics().height();
    for (int i = 0; i < 3; ++i) {
      p.drawText(QRect(r.left() + 2, r.top() + i * lineHeight, r.width() - 2, lineHeight),
                 Qt::AlignLeft | Qt::AlignTop, lines[i]);
    }
    p.restore();
    p.setPen(cell.selected() ? colours::kCellSelected : colours::kCellFrame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  if (cell.IsScreen()) {
    p.setPen(colours::kScreenName);
    p.drawText(r.adjusted(0, 0, -2, -2), Qt::AlignRight | Qt::AlignBottom,
               QString::fromStdString(cell.name()));
  }
}

void CPictureCtrl::PaintFrames(QPainter& p) const {
  QFont title = font();
  title.setPixelSize(20);
  p.setFont(title);
  const int half = height() / 2;
  const struct {
    QRect area;
    QColor colour;
    const char* text;
  } frames[] = {{QRect(0, 0, width(), half), colours::kPreviewFrame, "PREVIEW"},
                {QRect(0, half, width(), height() - half), colours::kProgramFrame, "PROGRAM"}};
  for (const auto& f : frames) {
    const QRect bar(f.area.left(), f.area.top(), f.area.width(), kTitleHeight);
    p.fillRect(bar, colours::kCellTitle);
    p.setPen(QPen(f.colour, kFrameWidth));
    p.setBrush(Qt::NoBrush);
    p.drawRect(
        QRect(QPoint(f.area.left() + 3 + kFrameWidth / 2, bar.bottom() + 3 + kFrameWidth / 2),
              QPoint(f.area.right() - 2 - kFrameWidth / 2, f.area.bottom() - 2 - kFrameWidth / 2)));
    p.setPen(f.colour);
    p.drawText(bar.adjusted(0, 6, 0, 0), Qt::AlignHCenter | Qt::AlignTop, f.text);
  }
  p.setFont(font());
}

void CPictureCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const QPoint q = event->position().toPoint();
  const auto pressed = model_.Press({q.x(), q.y()}, event->modifiers() & Qt::ControlModifier);
  update();
  emit cellsChanged();
  if (pressed) emit cellPressed(*pressed);
}

void CPictureCtrl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint q = event->position().toPoint();
  const DragMode before = model_.dragMode();
  ApplyCursor(model_.Move({q.x(), q.y()}));
  if (before == DragMode::None) return;
  update();
  emit cellsChanged();
}

void CPictureCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const auto changed = model_.Release();
  update();
  emit cellsChanged();
  if (changed) {
    const CCell* cell = model_.Cell(*changed);
    emit cellChanged(*changed, cell && cell->IsScreen());
  }
}

void CPictureCtrl::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(topSetText_, this, &CPictureCtrl::topSetRequested);
  menu.exec(event->globalPos());
}

void CPictureCtrl::ApplyCursor(CursorShape shape) {
  const Qt::CursorShape wanted = QtCursor(shape);
  if (cursor().shape() != wanted) setCursor(wanted);
}

}  // namespace qv
