#include "InputTileAccessible.h"

#include "InputPanel.h"

namespace qv {

InputTileAccessible::InputTileAccessible(InputPanel* panel, int tile)
    : ItemAccessible(panel), panel_(panel), tile_(tile) {}

bool InputTileAccessible::isValid() const {
  return panel_ && panel_->face(tile_).shown;
}

QString InputTileAccessible::text(QAccessible::Text t) const {
  if (!isValid()) return {};
  const InputPanelLayout::TileFace face = panel_->face(tile_);
  const QString label = QString::fromStdString(face.label).trimmed();
  const QString name = QString::fromStdString(face.displayName).trimmed();
  switch (t) {
    case QAccessible::Name:
      return name.isEmpty() ? label : name;
    case QAccessible::Description:
      return name.isEmpty() ? QString() : label;
    default:
      return {};
  }
}

QRect InputTileAccessible::rect() const {
  if (!isValid()) return {};
  const InputPanelLayout::Rect zone = panel_->tileLayout().PressZone(tile_);
  return OnScreen(QRect(zone.left, zone.top, zone.Width(), zone.Height()));
}

QAccessible::State InputTileAccessible::state() const {
  QAccessible::State s;
  if (!isValid()) {
    s.invalid = true;
    return s;
  }
  s.invisible = !panel_->isVisible();
  s.disabled = !panel_->isEnabled();
  s.checkable = true;
  s.checked = panel_->face(tile_).highlighted;
  return s;
}

void InputTileAccessible::Press() {
  if (panel_->isEnabled()) panel_->PressTile(tile_);
}

}  // namespace qv
