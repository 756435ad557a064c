#pragma once
// The feathering page: feathering on or off, and the shape and level of the
// two windows that meet where the panels of a two-panel mosaic overlap. While
// feathering is on the window's layer controls are locked.

#include "logic/feather/FeatherControl.h"
#include "widgets/PageContext.h"
#include "widgets/PageFields.h"
#include "widgets/ZBaseDialog.h"

namespace qv {

class CDropButton;
class CGdipButton;
class CSxGroupBox;

class ZUL_FeatherDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 184;
  static constexpr int kWidth = 300;
  static constexpr int kHeight = 292;

  explicit ZUL_FeatherDlg(const PageContext& context, QWidget* parent = nullptr);

  // Feathering replies and the processor's whole state.
  void OnReply(ReplyKind kind, int arg) override;
  // The mosaic mode decides which window the first group edits.
  void OnPageRequest(PageRequest code, int argument, const QString& text) override;
  void ApplyLanguage(const LanguageTexts& texts) override;

  // The operator's toggle, callable from tests as from a click.
  void Switch(bool on);
  // The window the first group edits: 2, or 1 in "Panel x2_1".
  int firstWindow() const { return firstWindow_; }

 private:
  CDropButton* AddList(CSxGroupBox& group, int labelId, const char* label, int y, bool sharp,
                       int group2Window);
  // The first group edits the window the mosaic mode names.
  void FollowMosaicMode();
  void Reload();
  void Enable(bool on);

  DeviceModel& model_;
  FeatherControl control_;
  PageFields fields_;
  int firstWindow_ = 2;
  CGdipButton* toggle_ = nullptr;
  CSxGroupBox* first_ = nullptr;
  std::vector<CDropButton*> lists_;
};

}  // namespace qv
