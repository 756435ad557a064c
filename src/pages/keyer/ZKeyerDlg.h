#pragma once
// The chroma keyer page, shown beside the switcher page: the keyer on PIP 3
// and, in the mosaic mode that keys window 1, the one on PIP 1; each on or
// off, a fixed key colour or the user mode with its colour range and gains.

#include <array>

#include "logic/keyer/KeyerControl.h"
#include "widgets/PageContext.h"
#include "widgets/ZBaseDialog.h"

class QLabel;
class QPushButton;

namespace qv {

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class Scheduler;
class oRealEdit;

class ZKeyerDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 154;
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 262;
  // After a mode change the processor has filled the mode's ranges in by then.
  static constexpr int kQueryDelayMs = 40;

  explicit ZKeyerDlg(const PageContext& context, QWidget* parent = nullptr);

  // Keyer replies and the processor's whole state.
  void OnReply(ReplyKind kind, int arg) override;
  // The mosaic mode decides whether the PIP 1 keyer is offered.
  void OnPageRequest(PageRequest code, int argument, const QString& text) override;
  void ApplyLanguage(const LanguageTexts& texts) override;

  // The operator's controls, callable from tests as from clicks.
  void ChooseKeyer(KeyerControl::Keyer keyer);
  void Switch(bool on);
  void ChooseMode(int mode);
  void Reset();

  KeyerControl::Keyer keyer() const { return keyer_; }

 private:
  void FillLists(const LanguageTexts& texts);
  void NameHighFields();
  void Reload();
  void ShowFields();
  void Enable();
  void CommitValues();

  DeviceModel& model_;
  const LanguageTexts& texts_;
  Scheduler& ui_;
  CommandEncoder& encoder_;
  KeyerControl control_;
  KeyerControl::Keyer keyer_ = KeyerControl::Keyer::Pip3;

  CSxGroupBox* keyerGroup_ = nullptr;
  CSxGroupBox* modeGroup_ = nullptr;
  CDropButton* keyers_ = nullptr;
  CDropButton* modes_ = nullptr;
  CGdipButton* onOff_ = nullptr;
  QPushButton* reset_ = nullptr;
  // Red, green and blue low and high, gain in, out and boundary.
  std::array<oRealEdit*, 9> fields_{};
  std::array<QLabel*, 3> colourLabels_{};
};

}  // namespace qv
