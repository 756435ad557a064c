#include "pages/mosaic/ArrangementButton.h"

#include <QPainter>
#include <algorithm>

#include "logic/mosaic/MosaicControl.h"
#include "widgets/WidgetColours.h"

namespace qv {

ArrangementButton::ArrangementButton(int arrangement, QWidget* parent)
    : QAbstractButton(parent), arrangement_(arrangement) {
  setCheckable(true);
  setFocusPolicy(Qt::TabFocus);
  const auto panels = MosaicControl::PanelsOf(arrangement);
  int columns = 0, rows = 0;
  for (const auto& p : panels) {
    columns = std::max(columns, p.column + 1);
    rows = std::max(rows, p.row + 1);
  }
  // Named by its number and its grid, as the operator sees it.
  setAccessibleName(QStringLiteral("%1: %2 × %3").arg(arrangement + 1).arg(columns).arg(rows));
}

void ArrangementButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF area = QRectF(rect()).adjusted(6, 6, -6, -6);
  p.fillRect(rect(), colours::kSunken);
  const auto panels = MosaicControl::PanelsOf(arrangement_);
  int columns = 1, rows = 1;
  for (const auto& panel : panels) {
    columns = std::max(columns, panel.column + 1);
    rows = std::max(rows, panel.row + 1);
  }
  // Panels keep a 16:9 shape, centred in the picture.
  const double unit = std::min(area.width() / (16.0 * columns), area.height() / (9.0 * rows));
  const QSizeF panelSize(16 * unit, 9 * unit);
  const QPointF origin(area.center().x() - panelSize.width() * columns / 2,
                       area.center().y() - panelSize.height() * rows / 2);
  QFont font = p.font();
  font.setBold(true);
  p.setFont(font);
  const QColor face = isEnabled() ? colours::kAccent : colours::kTextDim;
  for (std::size_t i = 0; i < panels.size(); ++i) {
    const QRectF r(origin + QPointF(panels[i].column * panelSize.width(),
                                    panels[i].row * panelSize.height()),
                   panelSize);
    p.setPen(QPen(colours::kGround, 1.5));
    p.setBrush(face.darker(isChecked() ? 100 : 160));
    p.drawRect(r.adjusted(1, 1, -1, -1));
    p.setPen(colours::kGround);
    p.drawText(r, Qt::AlignCenter, QString::number(i + 1));
  }
  if (isChecked() || hasFocus()) {
    p.setPen(QPen(isChecked() ? colours::kAccentBright : colours::kTextDim, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
  }
}

}  // namespace qv
