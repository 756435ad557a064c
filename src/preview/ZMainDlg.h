#pragma once
// The main page: the picture of the processor's outputs. It hosts the layout
// canvas, keeps MainPageLayout's cells in step with what the window tells it,
// turns presses and finished drags into the current window and the geometry
// sent, zooms with Ctrl+wheel, and offers the "TOP" buttons from its menu.

#include <QTimer>
#include <array>

#include "preview/MainPageLayout.h"
#include "widgets/PageRequest.h"
#include "widgets/ZBaseDialog.h"

namespace qv {

class CPictureCtrl;

class ZMainDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 108;
  static constexpr int kRestackMs = 5000;
  static constexpr int kTopButtonsMs = 5000;

  explicit ZMainDlg(CommandEncoder& encoder, QWidget* parent = nullptr);

  MainPageLayout& layout() { return layout_; }
  CPictureCtrl& canvas() { return *canvas_; }

  // After the window changed the layout: redraw, with the switcher frames
  // the model's mode asks for.
  void Repaint();
  // A "TOP" button: the window goes on top and becomes current.
  void MakeWindowCurrent(int window);
  // "Lock Layer": no window moves or resizes while locked; unlocking gives
  // each window back the lock it had.
  void SetWindowsLocked(bool locked);
  bool windowsLocked() const { return windowsLocked_; }

  void ApplyLanguage(const LanguageTexts& texts) override;

 signals:
  // The current window changed (0..3).
  void currentWindowChanged(int window);
  // Window geometry or selection changed: the pages showing it follow.
  void windowChanged(int window);
  void pageRequest(PageRequest code, int argument);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void OnCellPressed(CellHandle cell);
  void OnCellChanged(CellHandle cell, bool screen);

  MainPageLayout layout_;
  CPictureCtrl* canvas_ = nullptr;
  QTimer restack_;
  QTimer topButtons_;
  bool windowsLocked_ = false;
  std::array<bool, kWindowCount> locksBefore_{};
};

}  // namespace qv
