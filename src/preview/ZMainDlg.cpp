#include "ZMainDlg.h"

#include <QWheelEvent>

#include "preview/CPictureCtrl.h"
#include "widgets/LanguageTexts.h"

namespace qv {

ZMainDlg::ZMainDlg(CommandEncoder& encoder, QWidget* parent)
    : ZBaseDialog(kTemplateId, kNoTitle, parent), layout_(encoder) {
  canvas_ = new CPictureCtrl(layout_.canvas(), this);
  connect(canvas_, &CPictureCtrl::cellPressed, this, &ZMainDlg::OnCellPressed);
  connect(canvas_, &CPictureCtrl::cellChanged, this, &ZMainDlg::OnCellChanged);
  connect(canvas_, &CPictureCtrl::topSetRequested, this, [this] {
    emit pageRequest(PageRequest::TopButtons, 1);
    topButtons_.start();
  });

  restack_.setSingleShot(true);
  restack_.setInterval(kRestackMs);
  connect(&restack_, &QTimer::timeout, this, [this] {
    if (layout_.canvas().SortAndRestack()) canvas_->update();
  });
  topButtons_.setSingleShot(true);
  topButtons_.setInterval(kTopButtonsMs);
  connect(&topButtons_, &QTimer::timeout, this,
          [this] { emit pageRequest(PageRequest::TopButtons, 0); });
}

void ZMainDlg::resizeEvent(QResizeEvent* event) {
  ZBaseDialog::resizeEvent(event);
  canvas_->setGeometry(rect());
  layout_.SetPageSize(width(), height());
  layout_.RelayoutForSwitcher();
  Repaint();
}

void ZMainDlg::Repaint() {
  canvas_->SetSwitcherFrames(layout_.switcherFrames());
  canvas_->update();
}

void ZMainDlg::wheelEvent(QWheelEvent* event) {
  // Only Ctrl alone zooms; towards the operator shows more of the outputs.
  const int notches = -event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
  if (event->modifiers() != Qt::ControlModifier || notches == 0)
    return ZBaseDialog::wheelEvent(event);
  if (layout_.Zoom(notches)) Repaint();
  event->accept();
}

void ZMainDlg::OnCellPressed(CellHandle cell) {
  const int before = layout_.currentWindow();
  const int window = layout_.MakeCurrent(cell);
  canvas_->update();
  restack_.start();
  if (window != before) emit currentWindowChanged(window);
  emit windowChanged(window);
}

void ZMainDlg::OnCellChanged(CellHandle cell, bool screen) {
  const auto window = layout_.CommitDrag(cell);
  canvas_->update();
  if (screen || !window) return;
  emit windowChanged(*window);
  restack_.start();
}

void ZMainDlg::MakeWindowCurrent(int window) {
  if (window < 0 || window >= kWindowCount) return;
  OnCellPressed(layout_.cell(window));
}

void ZMainDlg::SetWindowsLocked(bool locked) {
  if (locked == windowsLocked_) return;
  windowsLocked_ = locked;
  CanvasModel& canvas = layout_.canvas();
  for (int k = 0; k < kWindowCount; ++k) {
    CCell* cell = canvas.Cell(layout_.cell(k));
    if (!cell) continue;
    if (locked) {
      locksBefore_[k] = cell->locked();
      cell->SetLocked(true);
    } else {
      cell->SetLocked(locksBefore_[k]);
    }
  }
  canvas_->update();
}

void ZMainDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  const QString topSet = texts.Lookup("IDS_TOPMEN_TOPSET");
  if (!topSet.isEmpty()) canvas_->SetTopSetText(topSet);
}

}  // namespace qv
