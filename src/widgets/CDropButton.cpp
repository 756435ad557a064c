#include "CDropButton.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <utility>

#include "AccessibleFactory.h"
#include "WidgetColours.h"

namespace qv {

namespace {
constexpr int kArrowArea = 18;
}  // namespace

CDropButton::CDropButton(QWidget* parent) : QWidget(parent), list_(new CDropList(this)) {
  InstallAccessibleFactory();
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  connect(list_, &CDropList::picked, this, &CDropButton::Choose);
  connect(list_, &CDropList::closed, this, &CDropButton::ListClosed);
}

QSize CDropButton::sizeHint() const {
  return {120, 20};
}

void CDropButton::AddEntry(const QString& text, int32_t value, bool greyed) {
  entries_.push_back({text, value, greyed});
  if (selected_ < 0) selected_ = 0;
  update();
}

void CDropButton::Clear() {
  const bool had = selected_ >= 0;
  entries_.clear();
  selected_ = -1;
  update();
  if (had) TellSelection();
}

void CDropButton::SetGreyed(int index, bool greyed) {
  if (index < 0 || index >= count()) return;
  entries_[index].greyed = greyed;
}

void CDropButton::SelectByValue(int32_t value) {
  const int before = selected_;
  selected_ = entries_.empty() ? -1 : 0;
  for (int i = 0; i < count(); ++i) {
    if (entries_[i].value == value) {
      selected_ = i;
      break;
    }
  }
  update();
  if (selected_ != before) TellSelection();
}

QString CDropButton::selectedText() const {
  return selected_ >= 0 ? entries_[selected_].text : QString();
}

void CDropButton::Choose(int index) {
  if (index < 0 || index >= count() || entries_[index].greyed) return;
  const int before = std::exchange(selected_, index);
  update();
  if (selected_ != before) TellSelection();
  emit chosen(index, entries_[index].value);
}

void CDropButton::ShowList() {
  if (entries_.empty() || !isEnabled()) return;
  list_->Open(entries_, selected_, mapToGlobal(QPoint(0, height())), width(), height());
  TellExpanded();
}

// Qt gives the focus back to the window's focus widget, which is the box
// only when the list was opened from it; opened through the accessibility
// action or in a window that is not active, the list would leave the focus
// elsewhere. The operator goes on from the box either way.
void CDropButton::ListClosed() {
  setFocus(Qt::PopupFocusReason);
  update();
  TellExpanded();
}

void CDropButton::TellSelection() {
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent event(this, selectedText().trimmed());
  QAccessible::updateAccessibility(&event);
}

void CDropButton::TellExpanded() {
  if (!QAccessible::isActive()) return;
  QAccessible::State changed;
  changed.expanded = true;
  changed.collapsed = true;
  QAccessibleStateChangeEvent event(this, changed);
  QAccessible::updateAccessibility(&event);
}

void CDropButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    ShowList();
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

void CDropButton::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Down:
      if (event->modifiers() & Qt::AltModifier) ShowList();
      break;
    case Qt::Key_F4:
    case Qt::Key_Space:
      ShowList();
      break;
    // Taken and dropped: stepping a closed list would send every entry on
    // the way, and no widget behind the box is to act on them instead.
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

// As the arrows: the wheel over the closed box neither steps it nor scrolls
// or zooms what lies behind.
void CDropButton::wheelEvent(QWheelEvent* event) {
  event->accept();
}

void CDropButton::enterEvent(QEnterEvent*) {
  hover_ = true;
  update();
}

void CDropButton::leaveEvent(QEvent*) {
  hover_ = false;
  update();
}

void CDropButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const bool enabled = isEnabled();
  const QRect box = rect().adjusted(0, 0, -1, -1);
  p.fillRect(box, hover_ && enabled ? colours::kRaisedHover : colours::kRaised);
  p.setPen(hasFocus() && enabled ? colours::kAccent : colours::kLine);
  p.drawRect(box);

  p.setPen(enabled ? colours::kText : colours::kTextDim);
  p.drawText(rect().adjusted(6, 0, -kArrowArea, 0),
             Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, selectedText());

  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(width() - kArrowArea / 2.0, height() / 2.0 + 1);
  QPainterPath arrow;
  arrow.moveTo(centre + QPointF(-4, -2));
  arrow.lineTo(centre + QPointF(4, -2));
  arrow.lineTo(centre + QPointF(0, 2.5));
  arrow.closeSubpath();
  p.fillPath(arrow, enabled ? colours::kAccent : colours::kTextDim);
}

}  // namespace qv
