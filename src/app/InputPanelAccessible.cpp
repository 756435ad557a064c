#include "InputPanelAccessible.h"

#include <algorithm>

#include "InputPanel.h"
#include "InputTileAccessible.h"

namespace qv {

QAccessibleInterface* InputPanelAccessible::Create(const QString& className, QObject* object) {
  if (className != InputPanel::staticMetaObject.className()) return nullptr;
  return new InputPanelAccessible(static_cast<InputPanel*>(object));
}

InputPanelAccessible::InputPanelAccessible(InputPanel* panel) : QAccessibleWidget(panel) {}

InputPanelAccessible::~InputPanelAccessible() {
  for (const QAccessible::Id id : tiles_) {
    if (id != 0) QAccessible::deleteAccessibleInterface(id);
  }
}

InputPanel* InputPanelAccessible::panel() const {
  return static_cast<InputPanel*>(widget());
}

std::vector<int> InputPanelAccessible::ShownTiles() const {
  std::vector<int> shown;
  for (int tile = 0; tile < kInputCodeCount; ++tile) {
    if (panel()->face(tile).shown) shown.push_back(tile);
  }
  return shown;
}

QAccessibleInterface* InputPanelAccessible::Tile(int tile) const {
  QAccessible::Id& id = tiles_[tile];
  if (id == 0) {
    id = QAccessible::registerAccessibleInterface(new InputTileAccessible(panel(), tile));
  }
  return QAccessible::accessibleInterface(id);
}

int InputPanelAccessible::childCount() const {
  return static_cast<int>(ShownTiles().size()) + QAccessibleWidget::childCount();
}

QAccessibleInterface* InputPanelAccessible::child(int index) const {
  if (index < 0) return nullptr;
  const std::vector<int> shown = ShownTiles();
  const int tiles = static_cast<int>(shown.size());
  return index < tiles ? Tile(shown[index]) : QAccessibleWidget::child(index - tiles);
}

int InputPanelAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const std::vector<int> shown = ShownTiles();
  if (const auto* tile = dynamic_cast<const InputTileAccessible*>(child)) {
    const auto at = std::find(shown.begin(), shown.end(), tile->tile());
    return tile->panel() == panel() && at != shown.end() ? static_cast<int>(at - shown.begin())
                                                         : -1;
  }
  const int index = QAccessibleWidget::indexOfChild(child);
  return index < 0 ? -1 : index + static_cast<int>(shown.size());
}

}  // namespace qv
