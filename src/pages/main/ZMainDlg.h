#pragma once
// The main page: the picture of the processor's outputs. It hosts the layout
// canvas, keeps MainPageLayout's cells in step with what the window tells it,
// turns presses and finished drags into the current window and the geometry
// sent, zooms with Ctrl+wheel, and offers the "TOP" buttons from its menu.
// While the processor streams its preview, each window cell carries a live
// video view and the preview window shows the four outputs.

#include <QSize>
#include <QTimer>
#include <array>
#include <atomic>
#include <memory>

#include "logic/main/MainPageLayout.h"
#include "surfaces/VideoView.h"
#include "widgets/PageContext.h"
#include "widgets/ZBaseDialog.h"

namespace qv {

class CPictureCtrl;
class PreviewReceivers;
class ReplyDispatcher;
class Scheduler;
class SdlVideoThread;
class ZShowVideoDlg;

class ZMainDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 108;
  static constexpr int kRestackMs = 5000;
  static constexpr int kTopButtonsMs = 5000;

  // Preview blocks reach the receivers through the context's dispatcher.
  explicit ZMainDlg(const PageContext& context, QWidget* parent = nullptr);
  ~ZMainDlg() override;

  MainPageLayout& layout() { return layout_; }
  CPictureCtrl& canvas() { return *canvas_; }
  ZShowVideoDlg& previewWindow() { return *previewWindow_; }

  // After the window changed the layout: redraw, with the switcher frames
  // the model's mode asks for, and the video views over their cells.
  void Repaint();
  // A "TOP" button: the window goes on top and becomes current.
  void MakeWindowCurrent(int window);
  // "Lock Layer": no window moves or resizes while locked; unlocking gives
  // each window back the lock it had.
  void SetWindowsLocked(bool locked);
  bool windowsLocked() const { return windowsLocked_; }

  // The processor started or stopped streaming its preview (DeviceFlagKind1).
  void CheckPreviewAvailability();
  bool previewOn() const { return receivers_ != nullptr; }
  QSize previewSize() const { return previewSize_; }
  // A resolution code: 1, 7, 16, 17, 19, 20, 21. Others change nothing.
  void SetPreviewSize(int code);
  // Destroys and makes again every video surface, receiver 0 restarted.
  void RebuildVideoSurfaces();
  VideoView* cellVideo(int window) const { return cellViews_.at(static_cast<std::size_t>(window)); }

  // Shows the preview window: first over the middle of the outputs, later
  // where the operator left it.
  void ShowPreviewWindow();

  void ApplyLanguage(const LanguageTexts& texts) override;
  // The cells follow the processor's windows, outputs and switcher mode.
  void OnReply(ReplyKind kind, int arg) override;
  // Inputs routed, layers switched, mosaic and arrangement, "TOP" buttons,
  // "Lock Layer", the preview size and window.
  void OnPageRequest(PageRequest code, int argument, const QString& text) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void OnCellPressed(CellHandle cell);
  // PIP `pip` (0..2) shows whether its window, or the logo in window 3, is on.
  void ShowLayerCell(int pip);
  void OnCellChanged(CellHandle cell, bool screen);
  void RebuildFromModel(bool preview);
  void StopPreview();
  void MakeVideoSurfaces();
  void DropVideoSurfaces();
  void SyncVideoViews();
  void StackVideoViews();
  VideoView::Setup VideoSetup() const;

  Scheduler& ui_;
  ReplyDispatcher& dispatcher_;
  DeviceModel& model_;
  MainPageLayout layout_;
  CPictureCtrl* canvas_ = nullptr;
  ZShowVideoDlg* previewWindow_ = nullptr;
  QTimer restack_;
  QTimer topButtons_;
  bool windowsLocked_ = false;
  // What holds the windows: "Lock Layer" pressed, a test pattern on.
  bool lockHeld_ = false;
  bool patternOn_ = false;
  std::array<bool, kWindowCount> locksBefore_{};
  bool previewPlaced_ = false;

  std::unique_ptr<SdlVideoThread> video_;
  std::unique_ptr<PreviewReceivers> receivers_;
  std::array<VideoView*, kWindowCount> cellViews_{};
  QSize previewSize_{352, 240};
  // At most one rebuild after a render reset is pending at a time.
  std::atomic<bool> resetArmed_{true};
  // Lets tasks queued from other threads find out that the page is gone.
  std::shared_ptr<ZMainDlg*> alive_;
};

}  // namespace qv
