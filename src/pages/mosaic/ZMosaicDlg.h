#pragma once
// The mosaic page: how many output panels the processor drives as one
// picture, how they are arranged (a predefined arrangement, or each cell's
// geometry by hand), and the way to the feathering of their overlap.

#include <array>
#include <vector>

#include "logic/mosaic/MosaicControl.h"
#include "widgets/PageContext.h"
#include "widgets/ZBaseDialog.h"

class QPushButton;

namespace qv {

class ArrangementButton;
class CGdipButton;
class ChoiceButtons;
class CSxGroupBox;
class oRealEdit;

class ZMosaicDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 120;
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 420;

  explicit ZMosaicDlg(const PageContext& context, QWidget* parent = nullptr);

  // The processor's whole state and the cell replies.
  void OnReply(ReplyKind kind, int arg) override;
  void ApplyLanguage(const LanguageTexts& texts) override;

  // The operator's controls, callable from tests as from clicks.
  void Switch(bool on);
  void ChoosePanels(int panel);
  void ChooseArrangement(int arrangement);
  void ChooseCell(int cell);
  void ResetCell();

  int panel() const { return panel_; }
  int arrangement() const { return arrangement_; }

 private:
  void BuildArrangements();
  void BuildCells();
  void Reload();
  void ShowArrangements();
  void ShowCell();
  void Enable();
  void CommitField(MosaicControl::CellField field);
  // After a new mode: the main page arranges its screens, the others follow.
  void TellMode();
  void PlaceScreens(int arrangement);
  void Wait();

  DeviceModel& model_;
  const LanguageTexts& texts_;
  MosaicControl control_;
  int panel_ = 0;
  int cell_ = 0;
  int arrangement_ = MosaicControl::kNoArrangement;

  CGdipButton* onOff_ = nullptr;
  ChoiceButtons* panels_ = nullptr;
  CSxGroupBox* autoGroup_ = nullptr;
  CSxGroupBox* manualGroup_ = nullptr;
  std::vector<ArrangementButton*> arrangements_;
  ChoiceButtons* cells_ = nullptr;
  std::array<oRealEdit*, 6> fields_{};
  QPushButton* reset_ = nullptr;
};

}  // namespace qv
