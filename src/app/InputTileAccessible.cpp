#include "InputTileAccessible.h"

#include "InputPanel.h"

namespace qv {

InputTileAccessible::InputTileAccessible(InputPanel* panel, int tile)
    : panel_(panel), tile_(tile) {}

bool InputTileAccessible::isValid() const {
  return panel_ && panel_->face(tile_).shown;
}

QObject* InputTileAccessible::object() const {
  return nullptr;
}

QWindow* InputTileAccessible::window() const {
  return panel_ ? panel_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* InputTileAccessible::parent() const {
  return QAccessible::queryAccessibleInterface(panel_.data());
}

QAccessibleInterface* InputTileAccessible::child(int) const {
  return nullptr;
}

int InputTileAccessible::childCount() const {
  return 0;
}

int InputTileAccessible::indexOfChild(const QAccessibleInterface*) const {
  return -1;
}

QAccessibleInterface* InputTileAccessible::childAt(int, int) const {
  return nullptr;
}

QAccessibleInterface* InputTileAccessible::focusChild() const {
  return nullptr;
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

void InputTileAccessible::setText(QAccessible::Text, const QString&) {}

QRect InputTileAccessible::rect() const {
  if (!isValid()) return {};
  const InputPanelLayout::Rect zone = panel_->tileLayout().PressZone(tile_);
  return {panel_->mapToGlobal(QPoint(zone.left, zone.top)), QSize(zone.Width(), zone.Height())};
}

QAccessible::Role InputTileAccessible::role() const {
  return QAccessible::Button;
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

void* InputTileAccessible::interface_cast(QAccessible::InterfaceType t) {
  return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                           : nullptr;
}

QStringList InputTileAccessible::actionNames() const {
  return {pressAction()};
}

void InputTileAccessible::doAction(const QString& actionName) {
  if (actionName == pressAction() && isValid() && panel_->isEnabled()) panel_->PressTile(tile_);
}

QStringList InputTileAccessible::keyBindingsForAction(const QString&) const {
  return {};
}

}  // namespace qv
