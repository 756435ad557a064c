#pragma once
// The switcher page: the processor's preview/program mode on or off, with one
// panel or two, the fade duration of its transitions, and the multi-machine
// switch that the window's TAKE carries to the processor. The other pages
// relabel their windows "PGM"/"PVW" from the mode the processor reports.

#include "widgets/PageContext.h"
#include "widgets/PageFields.h"
#include "widgets/ZBaseDialog.h"

namespace qv {

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class ChoiceButtons;

class ZSwitcherDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 183;
  static constexpr int kWidth = 420;
  static constexpr int kHeight = 236;
  // The panel variants, as ChoiceButtons indices: PvwMode is the variant + 1.
  static constexpr int kOnePanel = 0;
  static constexpr int kTwoPanels = 1;

  explicit ZSwitcherDlg(const PageContext& context, QWidget* parent = nullptr);

  void OnReply(ReplyKind kind, int arg) override;
  void OnPageRequest(PageRequest code, int argument, const QString& text) override;
  void ApplyLanguage(const LanguageTexts& texts) override;

 private:
  // The operator's buttons.
  void SwitchMode(bool on);
  void ChoosePanels(int variant);
  void SwitchMultiMachine(bool on);
  // The mode the processor reports; the window learns the switcher's state.
  void Reload();
  void EnableModeControls(bool on);
  // The new mode to the processor, under the waiting notice; the window and
  // the main page follow it.
  void SendMode(int switcherState);
  void QueryKeyers();

  DeviceModel& model_;
  CommandEncoder& encoder_;
  const LanguageTexts& texts_;
  PageFields fields_;
  CSxGroupBox* modeGroup_ = nullptr;
  CSxGroupBox* multiGroup_ = nullptr;
  CGdipButton* modeSwitch_ = nullptr;
  ChoiceButtons* panels_ = nullptr;
  CDropButton* fade_ = nullptr;
  CGdipButton* multiSwitch_ = nullptr;
  int variant_ = kOnePanel;
};

}  // namespace qv
