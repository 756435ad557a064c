#include "pages/main/ZMainDlg.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWheelEvent>

#include "link/PreviewSize.h"
#include "link/ReplyDispatcher.h"
#include "link/Scheduler.h"
#include "pages/main/CPictureCtrl.h"
#include "pages/main/ZShowVideoDlg.h"
#include "surfaces/SdlVideoThread.h"
#include "video/PreviewReceivers.h"
#include "widgets/LanguageTexts.h"

namespace qv {

ZMainDlg::ZMainDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, kNoTitle, parent),
      ui_(context.ui),
      dispatcher_(context.dispatcher),
      model_(context.model),
      layout_(context.encoder),
      alive_(std::make_shared<ZMainDlg*>(this)) {
  canvas_ = new CPictureCtrl(layout_.canvas(), this);
  connect(canvas_, &CPictureCtrl::cellPressed, this, &ZMainDlg::OnCellPressed);
  connect(canvas_, &CPictureCtrl::cellChanged, this, &ZMainDlg::OnCellChanged);
  connect(canvas_, &CPictureCtrl::cellsChanged, this, &ZMainDlg::SyncVideoViews);
  connect(canvas_, &CPictureCtrl::topSetRequested, this, [this] {
    emit pageRequest(PageRequest::TopButtons, 1);
    topButtons_.start();
  });
  previewWindow_ = new ZShowVideoDlg(this);

  restack_.setSingleShot(true);
  restack_.setInterval(kRestackMs);
  connect(&restack_, &QTimer::timeout, this, [this] {
    if (layout_.canvas().SortAndRestack()) Repaint();
  });
  topButtons_.setSingleShot(true);
  topButtons_.setInterval(kTopButtonsMs);
  connect(&topButtons_, &QTimer::timeout, this,
          [this] { emit pageRequest(PageRequest::TopButtons, 0); });

  // The rendering library draws into X11 windows; elsewhere (offscreen) the
  // toolkit draws the video itself.
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    video_ = std::make_unique<SdlVideoThread>();
    std::weak_ptr<ZMainDlg*> alive = alive_;
    video_->SetResetHook([this, alive] {
      if (!resetArmed_.exchange(false)) return;
      ui_.Post([alive] {
        const auto page = alive.lock();
        if (!page) return;
        (*page)->RebuildVideoSurfaces();
        (*page)->resetArmed_ = true;
      });
    });
  }
}

ZMainDlg::~ZMainDlg() {
  alive_.reset();
  if (video_) video_->SetResetHook({});
  StopPreview();
}

void ZMainDlg::StopPreview() {
  DropVideoSurfaces();
  if (!receivers_) return;
  // Once the sink is cleared no block reaches the receivers any more.
  dispatcher_.SetPreviewSink(nullptr);
  receivers_->StopAll();
  receivers_.reset();
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
  SyncVideoViews();
  StackVideoViews();
}

void ZMainDlg::wheelEvent(QWheelEvent* event) {
  // Only Ctrl alone zooms; towards the operator shows more of the outputs.
  const int notches = -event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
  if (event->modifiers() != Qt::ControlModifier || notches == 0) {
    return ZBaseDialog::wheelEvent(event);
  }
  if (layout_.Zoom(notches)) Repaint();
  event->accept();
}

void ZMainDlg::OnCellPressed(CellHandle cell) {
  const int before = layout_.currentWindow();
  const int window = layout_.MakeCurrent(cell);
  Repaint();
  restack_.start();
  if (window != before) emit pageRequest(PageRequest::CurrentWindow, window);
  // The pages editing a window follow the one pressed.
  emit pageRequest(PageRequest::SelectWindow, window);
}

void ZMainDlg::OnCellChanged(CellHandle cell, bool screen) {
  const auto window = layout_.CommitDrag(cell);
  Repaint();
  if (screen || !window) return;
  restack_.start();
  emit pageRequest(PageRequest::SelectWindow, *window);
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

void ZMainDlg::CheckPreviewAvailability() {
  const bool preview = model_.DeviceFlagKind1 != 0;
  if (preview != previewOn()) RebuildFromModel(preview);
}

void ZMainDlg::RebuildFromModel(bool preview) {
  if (preview) {
    DropVideoSurfaces();
    if (!receivers_) {
      receivers_ = std::make_unique<PreviewReceivers>();
      dispatcher_.SetPreviewSink(receivers_.get());
    }
  } else {
    StopPreview();
  }
  canvas_->SetVideo(preview);
  if (preview) MakeVideoSurfaces();
  layout_.Rebuild();
  layout_.RelayoutForSwitcher();
  Repaint();
}

void ZMainDlg::SetPreviewSize(int code) {
  const std::optional<PreviewSize> size = PreviewSizeOfCode(code);
  if (!size || QSize(size->width, size->height) == previewSize_) return;
  previewSize_ = QSize(size->width, size->height);
  RebuildVideoSurfaces();
}

void ZMainDlg::RebuildVideoSurfaces() {
  if (!receivers_) return;
  DropVideoSurfaces();
  MakeVideoSurfaces();
  Repaint();
}

VideoView::Setup ZMainDlg::VideoSetup() const {
  VideoView::Setup setup;
  setup.video = video_.get();
  setup.frameWidth = previewSize_.width();
  setup.frameHeight = previewSize_.height();
  setup.font =
      std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / "arial.ttf";
  Scheduler* ui = &ui_;
  setup.postToUi = [ui](std::function<void()> task) { ui->Post(std::move(task)); };
  return setup;
}

void ZMainDlg::MakeVideoSurfaces() {
  PreviewReceiver& receiver = receivers_->Receiver(0);
  receiver.SetFrameSize(previewSize_.width(), previewSize_.height());
  receiver.Start();
  const VideoView::Setup setup = VideoSetup();
  previewWindow_->Rebuild(setup);
  for (VideoView* quadrant : previewWindow_->quadrants()) {
    receiver.Register(quadrant->renderer(), PreviewReceiver::RendererKind::Quadrant);
  }
  for (int k = 0; k < kWindowCount; ++k) {
    auto* view = new VideoView(setup, canvas_, canvas_);
    cellViews_[static_cast<std::size_t>(k)] = view;
    receiver.Register(view->renderer(), PreviewReceiver::RendererKind::Cell);
  }
  SyncVideoViews();
  StackVideoViews();
  for (int k = 0; k < kWindowCount; ++k) {
    const CCell* cell = layout_.canvas().Cell(layout_.cell(k));
    cellViews_[static_cast<std::size_t>(k)]->ShowPlaceholder(cell && cell->selected());
  }
}

void ZMainDlg::DropVideoSurfaces() {
  if (receivers_) {
    // Withdrawn first, so that no render call reaches a view being deleted.
    PreviewReceiver& receiver = receivers_->Receiver(0);
    for (VideoView* view : cellViews_) {
      if (view) receiver.Withdraw(view->renderer());
    }
    for (VideoView* quadrant : previewWindow_->quadrants()) {
      if (quadrant) receiver.Withdraw(quadrant->renderer());
    }
    receivers_->StopAll();
  }
  for (VideoView*& view : cellViews_) {
    delete view;
    view = nullptr;
  }
  previewWindow_->Clear();
}

void ZMainDlg::SyncVideoViews() {
  const CanvasModel& canvas = layout_.canvas();
  for (int k = 0; k < kWindowCount; ++k) {
    VideoView* view = cellViews_[static_cast<std::size_t>(k)];
    const CCell* cell = canvas.Cell(layout_.cell(k));
    if (!view || !cell) continue;
    const Rect& r = cell->canvasRect();
    view->setGeometry(r.left + 1, r.top + 1, std::max(1, r.Width() - 2),
                      std::max(1, r.Height() - 2));
    view->SetLabel(QString::fromStdString(cell->name()));
    if (const auto source = layout_.VideoSource(k, previewSize_.width(), previewSize_.height())) {
      view->SetSource(*source);
    }
    view->SetShown(!cell->hidden() && !r.IsEmpty());
  }
}

void ZMainDlg::StackVideoViews() {
  // The video views stack as their cells do.
  for (const CCell& cell : layout_.canvas().cells()) {
    if (!cell.IsWindow() || cell.id() < 0 || cell.id() >= kWindowCount) continue;
    if (VideoView* view = cellViews_[static_cast<std::size_t>(cell.id())]) view->raise();
  }
}

void ZMainDlg::ShowPreviewWindow() {
  if (!previewPlaced_) {
    previewWindow_->move(mapToGlobal(rect().center()) -
                         QPoint(previewWindow_->width() / 2, previewWindow_->height() / 2));
    previewPlaced_ = true;
  }
  previewWindow_->show();
  previewWindow_->raise();
}

void ZMainDlg::ShowLayerCell(int pip) {
  if (pip < 0 || pip >= kWindowCount - 1) return;
  const DeviceStatusRecord& rec = model_.rec;
  const int window = pip + 1;
  const bool logo = window == 3 && rec.LogoUsage == 1;
  layout_.ShowWindowCell(window, logo ? rec.LogoOnOff != 0 : rec.Chnl[window].ChnlOnOff != 0);
}

void ZMainDlg::OnReply(ReplyKind kind, int arg) {
  switch (kind) {
    case ReplyKind::FullStateReply:
      for (int k = 0; k < kWindowCount; ++k) layout_.UpdateWindowLabel(k);
      // The screens take the processor's output size, whichever page set it.
      layout_.OnOutputResolution();
      layout_.RelayoutOutputs();
      layout_.RelayoutForSwitcher();
      for (int k = 0; k < kWindowCount; ++k) layout_.PlaceWindowCell(k);
      // The cells show what the processor shows, not only what was switched
      // here; the main layer is always on.
      layout_.ShowWindowCell(0, true);
      layout_.UpdateWindow3(1);
      for (int pip = 0; pip < kWindowCount - 1; ++pip) ShowLayerCell(pip);
      break;
    case ReplyKind::WindowGeometryReply:
      if (arg < 0 || arg >= kWindowCount) return;
      layout_.PlaceWindowCell(arg);
      break;
    case ReplyKind::PvwModeReply:
      layout_.RelayoutForSwitcher();
      break;
    case ReplyKind::DpModeReply:
    case ReplyKind::CompositeBoardReply:
      for (int k = 0; k < kWindowCount; ++k) layout_.UpdateWindowLabel(k);
      break;
    case ReplyKind::DeviceFlagReply:
      CheckPreviewAvailability();
      return;
    default:
      return;
  }
  Repaint();
}

void ZMainDlg::OnPageRequest(PageRequest code, int argument, const QString&) {
  switch (code) {
    case PageRequest::InputChanged:
      if (argument < 0 || argument >= kWindowCount) return;
      layout_.UpdateWindowLabel(argument);
      break;
    case PageRequest::LayerState:
      ShowLayerCell(argument);
      break;
    case PageRequest::MosaicMode:
      layout_.RelayoutOutputs();
      layout_.LockOutputs(true, true);
      break;
    case PageRequest::Arrangement:
      layout_.ArrangeScreens(argument);
      break;
    case PageRequest::PlaceWindow:
      if (argument < 0 || argument >= kWindowCount) return;
      layout_.PlaceWindowCell(argument);
      break;
    case PageRequest::OutputResolution:
      layout_.OnOutputResolution();
      break;
    case PageRequest::UpdateWindow3:
      layout_.UpdateWindow3(argument);
      break;
    case PageRequest::PreviewSize:
      SetPreviewSize(argument);
      return;
    case PageRequest::RaiseWindow:
      MakeWindowCurrent(argument);
      return;
    case PageRequest::LockWindows:
      lockHeld_ = argument != 0;
      SetWindowsLocked(lockHeld_ || patternOn_);
      return;
    case PageRequest::TestPatternOn:
      patternOn_ = argument != 0;
      SetWindowsLocked(lockHeld_ || patternOn_);
      return;
    case PageRequest::ShowPreviewWindow:
      ShowPreviewWindow();
      return;
    default:
      return;
  }
  Repaint();
}

void ZMainDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  const QString topSet = texts.Lookup("IDS_TOPMEN_TOPSET");
  if (!topSet.isEmpty()) canvas_->SetTopSetText(topSet);
  previewWindow_->ApplyLanguage(texts);
}

}  // namespace qv
