#pragma once
// The row of window buttons the output, picture and crop pages share:
// "MAIN", "PIP-1" .. "PIP-3", relabelled "PGM"/"PVW" in preview/program mode
// (WindowButtonLabels). One window is chosen at a time; the row tells its
// page when the choice changes, by the operator or because a window went to
// preview. The labels are the switcher's words in every language, so the
// buttons carry no control ids for the language files to re-text.

#include <QWidget>

#include "logic/windows/WindowButtonLabels.h"

class QPushButton;

namespace qv {

class ChoiceButtons;

class WindowButtons final : public QWidget {
  Q_OBJECT

 public:
  explicit WindowButtons(QWidget* parent = nullptr,
                         WindowButtonLabels::DualPreview dual =
                             WindowButtonLabels::DualPreview::KeepsChoice);

  // Shows the switcher state of `rec`; a window gone to preview becomes the
  // chosen one.
  void FollowSwitcher(const DeviceStatusRecord& rec);
  // Chooses `window` (0..3) as the page asks, without telling the page.
  void Select(int window);
  int selected() const { return selected_; }
  const WindowButtonLabels::Buttons& buttons() const { return shown_; }
  QPushButton* button(int window) const;

 signals:
  // The chosen window changed (a press on another window's button, or a
  // window gone to preview).
  void windowChosen(int window);

 private:
  void Show(const WindowButtonLabels::Buttons& buttons);
  void Choose(int window);

  const WindowButtonLabels::DualPreview dual_;
  ChoiceButtons* row_;
  WindowButtonLabels::Buttons shown_ = WindowButtonLabels::Plain();
  int selected_ = 0;
};

}  // namespace qv
