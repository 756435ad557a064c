#include "CDropList.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "AccessibleFactory.h"
#include "WidgetColours.h"

namespace qv {

CDropList::CDropList(QWidget* owner) : QWidget(owner, Qt::Popup) {
  InstallAccessibleFactory();
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void CDropList::Open(const std::vector<Entry>& entries, int selected, QPoint topLeft, int width,
                     int ownerHeight) {
  entries_ = entries;
  selected_ = selected;
  hovered_ = selected;
  const int height = static_cast<int>(entries_.size()) * kRowHeight + 2;
  QPoint place = topLeft;
  if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : nullptr) {
    if (place.y() + height > screen->availableGeometry().bottom()) {
      place.ry() -= height + ownerHeight;
    }
  }
  setGeometry(QRect(place, QSize(width, height)));
  show();
  setFocus(Qt::PopupFocusReason);
}

QRect CDropList::rowRect(int index) const {
  return {1, 1 + index * kRowHeight, width() - 2, kRowHeight};
}

int CDropList::RowAt(QPoint point) const {
  if (!rect().adjusted(1, 1, -1, -1).contains(point)) return -1;
  const int row = (point.y() - 1) / kRowHeight;
  return row < static_cast<int>(entries_.size()) ? row : -1;
}

void CDropList::Pick(int index) {
  if (index < 0 || index >= count() || entries_[index].greyed) return;
  hide();
  emit picked(index);
}

void CDropList::Hover(int row) {
  if (row == hovered_) return;
  hovered_ = row;
  update();
  // A screen reader reads the highlighted entry as the focused one.
  if (QAccessible::isActive()) {
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(row);
    QAccessible::updateAccessibility(&event);
  }
}

void CDropList::Step(int step) {
  for (int i = hovered_ + step; i >= 0 && i < count(); i += step) {
    if (!entries_[i].greyed) {
      Hover(i);
      return;
    }
  }
}

void CDropList::mouseMoveEvent(QMouseEvent* event) {
  const int row = RowAt(event->position().toPoint());
  if (row >= 0) Hover(row);
}

// A release picks, so that pressing on the drop list, dragging onto an entry
// and letting go chooses it in one movement.
void CDropList::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Pick(RowAt(event->position().toPoint()));
}

void CDropList::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      Step(-1);
      break;
    case Qt::Key_Down:
      Step(1);
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      Pick(hovered_);
      break;
    case Qt::Key_Escape:
    case Qt::Key_F4:
      hide();
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void CDropList::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  emit closed();
}

void CDropList::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), colours::kRaised);
  p.setPen(colours::kLine);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    const Entry& entry = entries_[i];
    const QRect row = rowRect(i);
    const bool hot = i == hovered_ && !entry.greyed;
    if (hot) p.fillRect(row, colours::kAccent);
    if (i == selected_)
      p.fillRect(QRect(row.left(), row.top() + 3, 2, row.height() - 6),
                 hot ? colours::kGround : colours::kAccent);
    p.setPen(entry.greyed ? colours::kTextDim : hot ? colours::kGround : colours::kText);
    p.drawText(row.adjusted(6, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
               entry.text);
  }
}

}  // namespace qv
