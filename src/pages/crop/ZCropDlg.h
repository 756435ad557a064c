#pragma once
// The image crop page: the part of the chosen window's input picture the
// processor keeps. The window edits the record of the input it shows now
// (one record per window and input source group), held inside that input's
// frame (CropArea).

#include <array>

#include "logic/crop/CropArea.h"
#include "widgets/PageContext.h"
#include "widgets/ZBaseDialog.h"

class QLabel;
class QPushButton;

namespace qv {

class CGdipButton;
class CropPreview;
class WindowButtons;
class oRealEdit;

class ZCropDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 119;
  static constexpr int kWidth = 560;
  static constexpr int kHeight = 232;

  explicit ZCropDlg(const PageContext& context, QWidget* parent = nullptr);

  // Crop, input and switcher replies.
  void OnReply(ReplyKind kind, int arg) override;
  // The chosen window's input changed: its record is edited from now on.
  void OnPageRequest(PageRequest code, int argument, const QString& text) override;
  void ApplyLanguage(const LanguageTexts& texts) override;

  // The operator's buttons, callable from tests as from clicks.
  void ChooseWindow(int window);
  void Switch(bool on);
  void Reset();

  int window() const { return window_; }
  const CropPreview& preview() const { return *preview_; }

 private:
  CropSettings& Record();
  void Reload();
  void Commit();
  // The record as the fields left it, and the window told.
  void SendCrop();

  CommandEncoder& encoder_;
  DeviceModel& model_;
  const LanguageTexts& texts_;
  int window_ = 0;

  WindowButtons* windows_ = nullptr;
  // H Start, V Start, Width, Height.
  std::array<oRealEdit*, 4> fields_{};
  CGdipButton* onOff_ = nullptr;
  QPushButton* reset_ = nullptr;
  QLabel* input_ = nullptr;
  CropPreview* preview_ = nullptr;
};

}  // namespace qv
