#include "pages/mosaic/ZMosaicDlg.h"

#include <QPushButton>

#include "pages/mosaic/ArrangementButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ChoiceButtons.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/PageFields.h"
#include "widgets/oRealEdit.h"

namespace qv {

namespace {

using Field = MosaicControl::CellField;

constexpr int kOnOff = 1165;
constexpr std::array<ChoiceButtons::Choice, MosaicControl::kPanelCount> kPanels = {{
    {2100, "Panel x 1"},
    {2101, "Panel x 2"},
    {2102, "Panel x2_1"},
    {2103, "Panel x 3"},
    {2104, "Panel x 4"},
}};
// The cells are the four windows' panels; their names are the switcher's
// words in every language.
constexpr std::array<ChoiceButtons::Choice, kMosaicCellCount> kCells = {{
    {0, "MAIN"},
    {0, "PIP-1"},
    {0, "PIP-2"},
    {0, "PIP-3"},
}};
struct CellFieldRow {
  int labelId;
  const char* label;
  Field field;
};
constexpr std::array<CellFieldRow, 6> kFields = {{
    {2110, "H Start :", Field::HStart},
    {2112, "V Start :", Field::VStart},
    {2114, "Width :", Field::Width},
    {2116, "Height :", Field::Height},
    {2118, "H Total :", Field::HTotal},
    {2120, "V Total :", Field::VTotal},
}};
constexpr int kReset = 2122;
constexpr int kFeathering = 2123;

}  // namespace

ZMosaicDlg::ZMosaicDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::MosaicTitle, parent),
      model_(context.model),
      texts_(context.texts),
      control_(context.encoder) {
  setFixedSize(kWidth, kHeight);
  onOff_ = new CGdipButton(QStringLiteral("ON/OFF"), this);
  SetControlId(*onOff_, kOnOff);
  onOff_->setGeometry(12, 38, 90, 28);
  connect(onOff_, &CGdipButton::clicked, this, &ZMosaicDlg::Switch);
  panels_ = new ChoiceButtons(kPanels, MosaicControl::kPanelCount, this);
  panels_->setGeometry(114, 38, kWidth - 126, 28);
  panels_->Select(panel_);
  connect(panels_, &ChoiceButtons::chosen, this, &ZMosaicDlg::ChoosePanels);
  BuildArrangements();
  BuildCells();
  // Feathering softens the overlap of the two-panel mosaics.
  auto* feathering = MakeButton(this, kFeathering, "Feathering", QRect(12, 382, 140, 28));
  connect(feathering, &QPushButton::clicked, this,
          [this] { emit pageRequest(PageRequest::FeatheringPage, 0); });
  Reload();
  hide();
}

void ZMosaicDlg::BuildArrangements() {
  autoGroup_ = new CSxGroupBox(texts_.Ui(UiText::AutomaticArrangement), this);
  autoGroup_->setGeometry(8, 76, kWidth - 16, 136);
  for (int i = 0; i < MosaicControl::kArrangementCount; ++i) {
    auto* b = new ArrangementButton(i, autoGroup_);
    b->hide();
    connect(b, &ArrangementButton::clicked, this, [this, i] { ChooseArrangement(i); });
    arrangements_.push_back(b);
  }
}

void ZMosaicDlg::BuildCells() {
  manualGroup_ = new CSxGroupBox(texts_.Ui(UiText::ManualArrangement), this);
  manualGroup_->setGeometry(8, 220, kWidth - 16, 154);
  CSxGroupBox& g = *manualGroup_;
  cells_ = new ChoiceButtons(kCells, kMosaicCellCount, &g);
  cells_->setGeometry(12, 26, 380, 28);
  cells_->Select(cell_);
  connect(cells_, &ChoiceButtons::chosen, this, &ZMosaicDlg::ChooseCell);
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    const CellFieldRow& s = kFields[i];
    const int x = 12 + 200 * static_cast<int>(i % 3);
    const int y = 70 + 38 * static_cast<int>(i / 3);
    oRealEdit* field = MakeNumberField(&g, s.labelId, s.label, QRect(x, y, 76, 24), s.labelId + 1,
                                       QRect(x + 80, y, 70, 24), 0, 9999, NumberFormat::Int, false);
    connect(field, &oRealEdit::committed, this, [this, f = s.field] { CommitField(f); });
    fields_[i] = field;
  }
  reset_ = MakeButton(&g, kReset, "Reset", QRect(412, 26, 100, 28));
  connect(reset_, &QPushButton::clicked, this, &ZMosaicDlg::ResetCell);
}

void ZMosaicDlg::ShowArrangements() {
  const int mode = panel_ + 1;
  const std::vector<int> offered = MosaicControl::ArrangementsOf(mode);
  for (ArrangementButton* b : arrangements_) b->hide();
  int x = 12;
  for (int i : offered) {
    ArrangementButton* b = arrangements_[static_cast<std::size_t>(i)];
    b->setGeometry(x, 26, 150, 96);
    b->setChecked(i == arrangement_);
    b->show();
    x += 162;
  }
}

void ZMosaicDlg::ShowCell() {
  const MosaicControl::Cell c = control_.CellOf(cell_);
  const int values[] = {c.hStart, c.vStart, c.width, c.height, c.hTotal, c.vTotal};
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    fields_[i]->ShowValue(values[i]);
  }
}

void ZMosaicDlg::Enable() {
  const bool on = onOff_->state();
  panels_->setEnabled(on);
  for (oRealEdit* field : fields_) field->setEnabled(on);
  // An arrangement is chosen only while on, among more than one panel.
  const bool arrange = on && panel_ != 0;
  for (ArrangementButton* b : arrangements_) b->setEnabled(arrange);
}

void ZMosaicDlg::Reload() {
  const int mode = model_.rec.MosaicMode;
  const bool on = mode >= 1 && mode <= MosaicControl::kPanelCount;
  if (on) panel_ = mode - 1;
  onOff_->SetState(on);
  panels_->Select(panel_);
  const int arrangement = model_.rec.MosaicAutoArr;
  arrangement_ = arrangement >= 0 && arrangement < MosaicControl::kArrangementCount
                     ? arrangement
                     : MosaicControl::kNoArrangement;
  ShowArrangements();
  ShowCell();
  Enable();
  TellMode();
  if (arrangement_ != MosaicControl::kNoArrangement) {
    model_.MosaicPageA = static_cast<uint8_t>(arrangement_);
    PlaceScreens(arrangement_);
  }
}

void ZMosaicDlg::TellMode() {
  emit pageRequest(PageRequest::MosaicMode, model_.rec.MosaicMode);
}

void ZMosaicDlg::PlaceScreens(int arrangement) {
  emit pageRequest(PageRequest::Arrangement, arrangement);
}

void ZMosaicDlg::Wait() {
  emit waitingNotice(texts_.Ui(UiText::WaitOperation));
}

void ZMosaicDlg::Switch(bool on) {
  if (PageFields::Closed(*this)) return;
  const bool logoTaken = control_.Switch(on, panel_, cell_);
  Enable();
  if (logoTaken) emit pageRequest(PageRequest::UpdateWindow3, 1);
  TellMode();
  if (on) {
    PlaceScreens(MosaicControl::DefaultArrangement(panel_ + 1));
    arrangement_ = MosaicControl::kNoArrangement;
    ShowArrangements();
    Wait();
  }
}

void ZMosaicDlg::ChoosePanels(int panel) {
  if (PageFields::Closed(*this) || panel == panel_) return;
  panel_ = panel;
  const bool logoTaken = control_.ChoosePanels(panel, cell_);
  TellMode();
  PlaceScreens(MosaicControl::DefaultArrangement(panel + 1));
  arrangement_ = MosaicControl::kNoArrangement;
  ShowArrangements();
  Enable();
  if (logoTaken) emit pageRequest(PageRequest::UpdateWindow3, 1);
  Wait();
}

void ZMosaicDlg::ChooseArrangement(int arrangement) {
  if (PageFields::Closed(*this)) return;
  const bool changed = arrangement != arrangement_;
  arrangement_ = arrangement;
  ShowArrangements();
  if (!changed) return;
  control_.ChooseArrangement(arrangement);
  Wait();
  PlaceScreens(arrangement);
}

void ZMosaicDlg::ChooseCell(int cell) {
  if (cell < 0 || cell >= kMosaicCellCount || cell == cell_) return;
  cell_ = cell;
  cells_->Select(cell);
  ShowCell();
}

void ZMosaicDlg::CommitField(Field field) {
  if (PageFields::Closed(*this)) return;
  const auto value = [this](Field f) {
    return static_cast<int>(fields_[static_cast<int>(f)]->value());
  };
  const MosaicControl::Cell typed{value(Field::HStart), value(Field::VStart), value(Field::Width),
                                  value(Field::Height), value(Field::HTotal), value(Field::VTotal)};
  control_.SetCell(cell_, MosaicControl::Committed(typed, field));
  ShowCell();
}

void ZMosaicDlg::ResetCell() {
  if (PageFields::Closed(*this)) return;
  control_.ResetCell(cell_);
  ShowCell();
}

void ZMosaicDlg::OnReply(ReplyKind kind, int arg) {
  // The last cell's reply ends a round of cell queries.
  if (kind == ReplyKind::FullStateReply ||
      (kind == ReplyKind::MosaicReply && arg == kMosaicCellCount - 1)) {
    Reload();
  } else if (kind == ReplyKind::MosaicReply && arg == cell_) {
    ShowCell();
  }
}

void ZMosaicDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  autoGroup_->SetCaption(texts.Ui(UiText::AutomaticArrangement));
  manualGroup_->SetCaption(texts.Ui(UiText::ManualArrangement));
}

}  // namespace qv
