#include "pages/connect/MachineTiles.h"
#include "widgets/WidgetColours.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace qv {

namespace {

QRect ToQRect(const MachineList::Rect& r) {
  return QRect(r.left, r.top, r.width, r.height);
}

}  // namespace

MachineTiles::MachineTiles(MachineList& list, QWidget* parent) : QWidget(parent), list_(list) {
  nameBox_ = new QLineEdit(this);
  nameBox_->setAccessibleName(QStringLiteral("Name"));
  nameBox_->setMaxLength(kMaxNameLength);
  nameBox_->hide();
  nameBox_->installEventFilter(this);
  setMouseTracking(false);
}

QRect MachineTiles::RenameSpot(const MachineList::Rect& tile) {
  const int right = tile.left + tile.width;
  return QRect(QPoint(right - 29, tile.top + 31), QPoint(right - 5, tile.top + 55));
}

int MachineTiles::TileAt(const QPoint& p) const {
  const auto& entries = list_.entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (ToQRect(entries[i].tile).contains(p)) return static_cast<int>(i);
  }
  return -1;
}

void MachineTiles::CommitRename() {
  if (nameBox_->isHidden() || renaming_ < 0) return;
  nameBox_->hide();
  const int index = renaming_;
  renaming_ = -1;
  list_.Rename(static_cast<std::size_t>(index), nameBox_->text().toStdString());
  emit renamed(index, nameBox_->text());
  update();
}

bool MachineTiles::eventFilter(QObject* watched, QEvent* event) {
  // Enter and Esc both keep the name typed so far.
  if (watched == nameBox_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
      CommitRename();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MachineTiles::mousePressEvent(QMouseEvent* event) {
  CommitRename();
  const QPoint p = event->position().toPoint();
  const int index = TileAt(p);
  if (index < 0) return;
  const MachineList::Entry& entry = list_.entries()[static_cast<std::size_t>(index)];
  if (RenameSpot(entry.tile).contains(p)) {
    renaming_ = index;
    const MachineList::Rect& t = entry.tile;
    nameBox_->setGeometry(QRect(QPoint(t.left + 60, t.top + 33), QPoint(t.left + 156, t.top + 54)));
    nameBox_->setText(QString::fromStdString(entry.name));
    nameBox_->selectAll();
    nameBox_->show();
    nameBox_->setFocus();
    return;
  }
  list_.Select(static_cast<std::size_t>(index));
  update();
}

void MachineTiles::mouseDoubleClickEvent(QMouseEvent* event) {
  const int index = TileAt(event->position().toPoint());
  if (index >= 0) emit connectRequested(index, true);
}

void MachineTiles::paintEvent(QPaintEvent*) {
  // The page beneath paints the ground and its title band.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  for (const MachineList::Entry& e : list_.entries()) {
    const QRect tile = ToQRect(e.tile);
    p.fillRect(tile.adjusted(-2, -2, 2, 2), e.target     ? colours::kAccent
                                            : e.selected ? colours::kCellSelected
                                                         : colours::kCellFill);
    p.fillRect(tile, colours::kRaised);
    // Presence lamp, then the name bar beside it.
    p.setPen(Qt::NoPen);
    p.setBrush(e.online ? colours::kLampOn : colours::kLampOff);
    p.drawEllipse(QRect(tile.left() + 16, tile.top() + 8, 16, 16));
    p.fillRect(QRect(tile.left() + 40, tile.top() + 5, 150, 21), colours::kRaisedHover);
    p.setPen(colours::kText);
    p.drawText(QRect(tile.left() + 44, tile.top() + 5, 146, 21), Qt::AlignVCenter,
               e.online ? "ONLINE" : "OFFLINE");
    p.drawText(QPoint(tile.left() + 16, tile.top() + 48),
               QString("Name:%1").arg(QString::fromStdString(e.name)));
    // The rename spot: a small pen.
    const QRect spot = RenameSpot(e.tile);
    p.setPen(QPen(colours::kAccent, 2));
    p.drawLine(spot.left() + 6, spot.bottom() - 6, spot.right() - 6, spot.top() + 6);
    p.setPen(colours::kText);
    p.drawText(QPoint(tile.left() + 16, tile.top() + 68),
               QString("IP:%1").arg(QString::fromStdString(e.ip)));
    p.setPen(e.target ? colours::kCellSelected : colours::kText);
    p.setBrush(Qt::NoBrush);
    p.drawRect(tile.adjusted(0, 0, -1, -1));
  }
}

}  // namespace qv
