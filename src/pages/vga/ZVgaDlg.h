#pragma once
// The VGA adjustment page: the sampling clock, phase and position of the
// analogue input a window shows, with its automatic adjustment; the
// converter's offsets and gains behind the unlock code, with calibration and
// reset; and the input's DDC switch. VgaControl decides which input is
// adjusted and sends the operations; the fields are table rows over the
// model's VGA record.

#include <vector>

#include "logic/vga/VgaControl.h"
#include "widgets/PageContext.h"
#include "widgets/PageFields.h"
#include "widgets/ZBaseDialog.h"

class QLabel;
class QPushButton;

namespace qv {

class CGdipButton;
class CSxGroupBox;
class oRealEdit;

class ZVgaDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 160;
  static constexpr int kWidth = 640;
  // The converter section, when unlocked, pushes the DDC group down by this.
  static constexpr int kConverterDrop = 150;

  explicit ZVgaDlg(const PageContext& context, QWidget* parent = nullptr);

  // VGA replies, the adjustment's result, the windows' inputs.
  void OnReply(ReplyKind kind, int arg) override;
  // A window's input changed: the page follows it when it is analogue.
  void OnPageRequest(PageRequest code, int argument, const QString& text) override;
  // The page closing locks the converter section.
  void OnPageShown(PageId page, bool shown) override;
  void ApplyLanguage(const LanguageTexts& texts) override;

  // The operator's buttons, callable from tests as from clicks.
  void AutoAdjust();
  void Enter();
  void Lock();
  void Calibrate();
  void ResetConverter();
  void SwitchDdc(bool on);

  bool unlocked() const { return unlocked_; }

 private:
  void BuildDisplay();
  void BuildConverter();
  void BuildDdc();
  // The converter section shown or hidden, the DDC group below it.
  void ShowConverter(bool unlocked);
  // A window's input was followed (`adjusting`: to an analogue input).
  void Followed(bool adjusting);
  // The input adjusted and whether the unlock box takes a code.
  void ShowTarget();
  void NameSwitches();

  DeviceModel& model_;
  const LanguageTexts& texts_;
  VgaControl control_;
  PageFields fields_;
  bool unlocked_ = false;
  // An analogue input has been followed: the page adjusts it.
  bool adjusting_ = false;

  CSxGroupBox* displayGroup_ = nullptr;
  CSxGroupBox* converterGroup_ = nullptr;
  CSxGroupBox* ddcGroup_ = nullptr;
  QLabel* input_ = nullptr;
  oRealEdit* code_ = nullptr;
  QPushButton* enter_ = nullptr;
  CGdipButton* converterSwitch_ = nullptr;
  CGdipButton* ddc_ = nullptr;
  // The six fields, their labels, "Calibrate" and "Rest".
  std::vector<QWidget*> converterSection_;
};

}  // namespace qv
