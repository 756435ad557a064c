#pragma once
// The test pattern page: the processor's built-in test patterns (1..111) over
// its output, and the pixel grab, which reads back the colour of one output
// pixel. TestPatternControl holds the two switches' rules; the page shows
// them and tells the window while a pattern covers the output, so that the
// canvas and the layer switches stay as they are. Leaving the page stops the
// pattern.

#include "logic/testpattern/TestPatternControl.h"
#include "widgets/PageContext.h"
#include "widgets/ZBaseDialog.h"

class QLabel;
class QPushButton;

namespace qv {

class CGdipButton;
class CSxGroupBox;
class oRealEdit;
class oSliderEdit;

class ZTstPatternDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 152;
  static constexpr int kWidth = 560;
  static constexpr int kHeight = 244;

  explicit ZTstPatternDlg(const PageContext& context, QWidget* parent = nullptr);

  // The grabbed colour.
  void OnReply(ReplyKind kind, int arg) override;
  // The page closing stops the pattern.
  void OnPageShown(PageId page, bool shown) override;
  void ApplyLanguage(const LanguageTexts& texts) override;

  // The operator's controls, callable from tests as from clicks.
  void SwitchPattern(bool on);
  void Step(int delta);
  void SwitchGrab(bool on);

  const TestPatternControl& control() const { return control_; }

 private:
  void BuildPattern();
  void BuildGrab();
  void ChoosePattern(double number);
  void CommitPosition(TestPatternControl::Axis axis, oRealEdit& field, double value);
  // The switches and what they open, as the control holds them.
  void ShowSwitches();
  void NameSwitches();

  const DeviceModel& model_;
  const LanguageTexts& texts_;
  TestPatternControl control_;

  CSxGroupBox* patternGroup_ = nullptr;
  CSxGroupBox* grabGroup_ = nullptr;
  CGdipButton* patternSwitch_ = nullptr;
  oSliderEdit* number_ = nullptr;
  QPushButton* previous_ = nullptr;
  QPushButton* next_ = nullptr;
  CGdipButton* grabSwitch_ = nullptr;
  oRealEdit* hStart_ = nullptr;
  oRealEdit* vStart_ = nullptr;
  QLabel* swatch_ = nullptr;
  QLabel* colour_ = nullptr;
};

}  // namespace qv
