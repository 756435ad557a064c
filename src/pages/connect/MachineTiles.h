#pragma once
// The tiles of the processors a search found: presence, name, address, the
// target and the selection, with clicks for selecting, renaming and connecting.

#include <QLineEdit>
#include <QWidget>

#include "logic/connect/MachineList.h"

namespace qv {

class MachineTiles final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMaxNameLength = 13;

  MachineTiles(MachineList& list, QWidget* parent = nullptr);

  // Index of the tile under `p`, or -1.
  int TileAt(const QPoint& p) const;
  // The spot that opens the name box: right - 29 .. right - 5, top + 31 .. top + 55.
  static QRect RenameSpot(const MachineList::Rect& tile);
  // Commits an open name box (a click elsewhere, Enter or Esc).
  void CommitRename();

 signals:
  void renamed(int index, const QString& name);
  void connectRequested(int index, bool doubleClick);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MachineList& list_;
  QLineEdit* nameBox_ = nullptr;
  int renaming_ = -1;
};

}  // namespace qv
