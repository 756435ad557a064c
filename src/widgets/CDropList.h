#pragma once
// The list a drop list opens below itself: one row per entry, greyed entries
// drawn dim and not choosable. It closes when an entry is picked, on Esc or on
// a click elsewhere.

#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace qv {

class CDropList : public QWidget {
  Q_OBJECT

 public:
  struct Entry {
    QString text;
    int32_t value = 0;
    bool greyed = false;
  };

  static constexpr int kRowHeight = 20;

  explicit CDropList(QWidget* owner);

  // Opens with the entries, `selected` marked, at `topLeft` (global), `width`
  // wide; above that point instead when the screen has no room below.
  void Open(const std::vector<Entry>& entries, int selected, QPoint topLeft, int width,
            int ownerHeight);
  // Picks `index` as a click on its row does: the list closes and reports
  // it, unless the entry is greyed or there is none.
  void Pick(int index);

  // The entries it was last opened with.
  int count() const { return static_cast<int>(entries_.size()); }
  const Entry& entry(int index) const { return entries_[index]; }
  int selected() const { return selected_; }
  int hovered() const { return hovered_; }
  QRect rowRect(int index) const;

 signals:
  // A choosable entry was picked; the list has closed.
  void picked(int index);
  // The list closed, picked or not.
  void closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  int RowAt(QPoint point) const;
  void Hover(int row);
  void Step(int step);

  std::vector<Entry> entries_;
  int selected_ = -1;
  int hovered_ = -1;
};

}  // namespace qv
