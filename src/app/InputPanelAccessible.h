#pragma once
// The input panel for assistive tools. Its tiles are painted, not widgets,
// so each shown tile is a child of its own (an InputTileAccessible), ahead
// of the panel's real child widgets: the layer switches, the TOP buttons
// and the name box.

#include <QAccessibleWidget>
#include <array>
#include <vector>

#include "link/DeviceModel.h"

namespace qv {

class InputPanel;

class InputPanelAccessible : public QAccessibleWidget {
 public:
  // The factory Qt asks for the panel's interface.
  static QAccessibleInterface* Create(const QString& className, QObject* object);

  explicit InputPanelAccessible(InputPanel* panel);
  ~InputPanelAccessible() override;

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;

 private:
  InputPanel* panel() const;
  // The tiles shown now, in input order; the model decides which.
  std::vector<int> ShownTiles() const;
  QAccessibleInterface* Tile(int tile) const;

  // The tile interfaces handed out: Qt's cache owns them, this interface
  // removes them with itself.
  mutable std::array<QAccessible::Id, kInputCodeCount> tiles_{};
};

}  // namespace qv
