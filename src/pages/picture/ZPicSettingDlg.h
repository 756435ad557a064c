#pragma once
// The picture settings page: the processor's picture mode and, in the user
// mode, bright level, gamma, the picture of the chosen window's input (or of
// all its inputs) and its colour temperature. PictureControl decides which
// records an edit writes; the page shows what the model holds.

#include "logic/picture/PictureControl.h"
#include "widgets/PageContext.h"
#include "widgets/PageFields.h"
#include "widgets/ZBaseDialog.h"

class QPushButton;

namespace qv {

class CDropButton;
class CGdipButton;
class ChoiceButtons;
class CSxGroupBox;
class WindowButtons;
class oSliderEdit;

class ZPicSettingDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 110;
  static constexpr int kWidth = 660;
  static constexpr int kHeight = 434;

  explicit ZPicSettingDlg(const PageContext& context, QWidget* parent = nullptr);

  // Picture, switcher and input replies.
  void OnReply(ReplyKind kind, int arg) override;
  // The chosen window's input changed.
  void OnPageRequest(PageRequest code, int argument, const QString& text) override;
  void ApplyLanguage(const LanguageTexts& texts) override;

  // The operator's buttons, callable from tests as from clicks.
  void ChooseWindow(int window);
  void ResetColour();
  void ResetPictures();

  int window() const { return window_; }

 private:
  void BuildMode();
  void BuildScope();
  void BuildAdjustments();
  void BuildColour();
  void NameSwitches();
  oSliderEdit* AddSlider(QWidget& parent, int labelId, const char* label, QRect labelPlace,
                         QRect place, int maximum, PictureControl::Field field);
  // Shows the model (or the fixed mode's values) and opens what the mode
  // lets the operator adjust.
  void Reload();

  DeviceModel& model_;
  const LanguageTexts& texts_;
  PictureControl control_;
  PageFields fields_;
  int window_ = 0;

  CSxGroupBox* modeGroup_ = nullptr;
  CSxGroupBox* colourGroup_ = nullptr;
  WindowButtons* windows_ = nullptr;
  ChoiceButtons* scope_ = nullptr;
  CDropButton* modes_ = nullptr;
  CDropButton* temperatures_ = nullptr;
  CGdipButton* brightSwitch_ = nullptr;
  CGdipButton* gammaSwitch_ = nullptr;
  oSliderEdit* brightLevel_ = nullptr;
  oSliderEdit* gamma_ = nullptr;
  std::vector<oSliderEdit*> adjustments_;
  std::vector<oSliderEdit*> gains_;
  QPushButton* resetColour_ = nullptr;
};

}  // namespace qv
