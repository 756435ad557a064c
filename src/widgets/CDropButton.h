#pragma once
// A drop list: a button-like box showing the chosen entry, which opens its
// list when clicked, or from the keyboard with Alt+Down, F4 or Space. Entries
// carry a value; greyed entries cannot be chosen. Only a choice in the open
// list changes the entry: arrows and the wheel on the closed box do nothing,
// since every choice goes to the processor at once.

#include <QWidget>
#include <cstdint>
#include <vector>

#include "CDropList.h"

namespace qv {

class CDropButton : public QWidget {
  Q_OBJECT

 public:
  using Entry = CDropList::Entry;

  explicit CDropButton(QWidget* parent = nullptr);

  void AddEntry(const QString& text, int32_t value, bool greyed = false);
  void Clear();
  void SetGreyed(int index, bool greyed);
  // Shows the entry carrying `value`, or the first entry when none does.
  // Nothing is emitted.
  void SelectByValue(int32_t value);

  int count() const { return static_cast<int>(entries_.size()); }
  const Entry& entry(int index) const { return entries_[index]; }
  // -1 while the list is empty.
  int selectedIndex() const { return selected_; }
  QString selectedText() const;

  // Opens the list below the box.
  void ShowList();
  CDropList& list() { return *list_; }

  QSize sizeHint() const override;

 signals:
  // The operator chose a (not greyed) entry.
  void chosen(int index, int32_t value);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Choose(int index);
  void ListClosed();
  void TellSelection();
  void TellExpanded();

  std::vector<Entry> entries_;
  int selected_ = -1;
  CDropList* list_;
  bool hover_ = false;
};

}  // namespace qv
