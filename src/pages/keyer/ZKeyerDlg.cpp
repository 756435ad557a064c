#include "pages/keyer/ZKeyerDlg.h"

#include <QLabel>
#include <QPushButton>

#include "link/CommandEncoder.h"
#include "link/Scheduler.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/PageFields.h"
#include "widgets/oRealEdit.h"

namespace qv {

namespace {

using Keyer = KeyerControl::Keyer;

constexpr int kKeyerList = 2050;
constexpr int kOnOff = 1165;
constexpr int kModeList = 2051;
constexpr int kReset = 2052;
constexpr int kRangeSeparator = 2056;
// The refusal for the PIP 1 keyer, in the language files beside the
// processor family's "PIP3 Is Off".
constexpr const char* kPip1OffKey = "IDS_PIP1_OFF";
constexpr const char* kPip1Off = "PIP1 Is Off";

}  // namespace

ZKeyerDlg::ZKeyerDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, kNoTitle, parent),
      model_(context.model),
      texts_(context.texts),
      ui_(context.ui),
      encoder_(context.encoder),
      control_(context.encoder) {
  setFixedSize(kWidth, kHeight);

  keyerGroup_ = new CSxGroupBox(texts_.Ui(UiText::ChromaKeyer), this);
  keyerGroup_->setGeometry(8, 8, kWidth - 16, 62);
  keyers_ = MakeControl<CDropButton>(keyerGroup_, kKeyerList, QRect(12, 26, 220, 24));
  connect(keyers_, &CDropButton::chosen, this,
          [this](int, int32_t keyer) { ChooseKeyer(static_cast<Keyer>(keyer)); });
  onOff_ = new CGdipButton(QStringLiteral("ON/OFF"), keyerGroup_);
  SetControlId(*onOff_, kOnOff);
  onOff_->setGeometry(248, 26, 90, 24);
  connect(onOff_, &CGdipButton::clicked, this, &ZKeyerDlg::Switch);

  modeGroup_ = new CSxGroupBox(texts_.Ui(UiText::KeyerMode), this);
  modeGroup_->setGeometry(8, 78, kWidth - 16, 176);
  CSxGroupBox& g = *modeGroup_;
  modes_ = MakeControl<CDropButton>(&g, kModeList, QRect(12, 26, 220, 24));
  connect(modes_, &CDropButton::chosen, this, [this](int, int32_t mode) { ChooseMode(mode); });
  reset_ = MakeButton(&g, kReset, "Reset", QRect(248, 26, 90, 24));
  connect(reset_, &QPushButton::clicked, this, &ZKeyerDlg::Reset);
  MakeLabel(&g, 2053, "Color Range", QRect(12, 56, 120, 20));

  struct Colour {
    int labelId;
    const char* label;
  };
  constexpr Colour colours[] = {{2054, "Red :"}, {2058, "Green :"}, {2062, "Blue :"}};
  for (int c = 0; c < 3; ++c) {
    const int y = 78 + 30 * c;
    colourLabels_[c] = MakeLabel(&g, colours[c].labelId, colours[c].label, QRect(12, y, 60, 24));
    fields_[2 * c] = MakeControl<oRealEdit>(&g, colours[c].labelId + 1, QRect(74, y, 50, 24));
    MakeLabel(&g, kRangeSeparator, " ~ ", QRect(126, y, 20, 24));
    fields_[2 * c + 1] = MakeControl<oRealEdit>(&g, colours[c].labelId + 3, QRect(148, y, 50, 24));
    colourLabels_[c]->setBuddy(fields_[2 * c]);
  }
  struct Gain {
    int labelId;
    const char* label;
    int maximum;
  };
  constexpr Gain gains[] = {{2066, "Gain In", 64}, {2068, "Gain Out", 64}, {2070, "Gain Bnd", 255}};
  for (int i = 0; i < 3; ++i) {
    const int y = 78 + 30 * i;
    fields_[6 + i] = MakeNumberField(&g, gains[i].labelId, gains[i].label, QRect(248, y, 80, 24),
                                     gains[i].labelId + 1, QRect(330, y, 50, 24), 0,
                                     gains[i].maximum, NumberFormat::Int, false);
  }
  for (int i = 0; i < 6; ++i) fields_[i]->SetUp(0, 0, 255, false, NumberFormat::Int);
  for (oRealEdit* field : fields_) {
    connect(field, &oRealEdit::committed, this, &ZKeyerDlg::CommitValues);
  }
  FillLists(texts_);
  NameHighFields();
  Reload();
  hide();
}

void ZKeyerDlg::FillLists(const LanguageTexts& texts) {
  keyers_->Clear();
  keyers_->AddEntry(texts.Ui(UiText::ChromaKeyerOnPip3), static_cast<int>(Keyer::Pip3));
  keyers_->AddEntry(texts.Ui(UiText::ChromaKeyerOnPip1), static_cast<int>(Keyer::Pip1),
                    !control_.Pip1Offered());
  keyers_->SelectByValue(static_cast<int>(keyer_));
  modes_->Clear();
  for (int m = 0; m < KeyerControl::kModeCount; ++m) {
    modes_->AddEntry(texts.Ui(Nth(UiText::KeyerUser, m)), m);
  }
  modes_->SelectByValue(control_.Mode(keyer_));
}

// A high limit is named after its colour's label.
void ZKeyerDlg::NameHighFields() {
  for (int c = 0; c < 3; ++c) {
    fields_[2 * c + 1]->setAccessibleName(colourLabels_[c]->text() + QStringLiteral(" ~"));
  }
}

void ZKeyerDlg::Reload() {
  // Window 1 is keyed only in its mosaic mode: elsewhere the page goes back
  // to the PIP 3 keyer.
  const bool pip1 = control_.Pip1Offered();
  keyers_->SetGreyed(static_cast<int>(Keyer::Pip1), !pip1);
  if (!pip1) keyer_ = Keyer::Pip3;
  keyers_->SelectByValue(static_cast<int>(keyer_));
  onOff_->SetState(control_.On(keyer_));
  modes_->SelectByValue(control_.Mode(keyer_));
  ShowFields();
  Enable();
}

void ZKeyerDlg::ShowFields() {
  const KeyerControl::Values values = control_.ValuesOf(keyer_);
  for (std::size_t i = 0; i < fields_.size(); ++i) fields_[i]->ShowValue(values[i]);
}

void ZKeyerDlg::Enable() {
  const bool on = control_.On(keyer_);
  modes_->setEnabled(on);
  reset_->setEnabled(on);
  const bool open = control_.FieldsOpen(keyer_);
  for (oRealEdit* field : fields_) field->setEnabled(open);
}

void ZKeyerDlg::ChooseKeyer(Keyer keyer) {
  if (keyer == Keyer::Pip1 && !control_.Pip1Offered()) return;
  keyer_ = keyer;
  // The processor's answer shows the keyer.
  control_.Query(keyer);
}

void ZKeyerDlg::Switch(bool on) {
  if (PageFields::Closed(*this)) return;
  if (!control_.Switch(keyer_, on)) {
    onOff_->SetState(false);
    if (keyer_ == Keyer::Pip3) {
      emit message(texts_.Ui(UiText::Pip3Off));
    } else {
      const QString text = texts_.Lookup(kPip1OffKey);
      emit message(text.isEmpty() ? QString::fromLatin1(kPip1Off) : text);
    }
    return;
  }
  Enable();
}

void ZKeyerDlg::ChooseMode(int mode) {
  if (PageFields::Closed(*this)) return;
  control_.ChooseMode(keyer_, mode);
  Enable();
  CommandEncoder& encoder = encoder_;
  const auto channel = static_cast<uint8_t>(KeyerControl::ChannelOf(keyer_));
  ui_.PostDelayed(kQueryDelayMs, [&encoder, channel] {
    encoder.EncodeAndSend(CommandType::QueryKeyer, {channel});
  });
}

void ZKeyerDlg::CommitValues() {
  if (PageFields::Closed(*this)) return;
  KeyerControl::Values values;
  for (std::size_t i = 0; i < fields_.size(); ++i)
    values[i] = static_cast<int>(fields_[i]->value());
  control_.SetValues(keyer_, values);
}

void ZKeyerDlg::Reset() {
  if (PageFields::Closed(*this)) return;
  control_.Reset(keyer_);
  modes_->SelectByValue(KeyerControl::kUserMode);
  ShowFields();
  Enable();
}

void ZKeyerDlg::OnReply(ReplyKind kind, int) {
  if (kind == ReplyKind::FullStateReply || kind == ReplyKind::KeyerReply) Reload();
}

void ZKeyerDlg::OnPageRequest(PageRequest code, int, const QString&) {
  if (code == PageRequest::MosaicMode) Reload();
}

void ZKeyerDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  keyerGroup_->SetCaption(texts.Ui(UiText::ChromaKeyer));
  modeGroup_->SetCaption(texts.Ui(UiText::KeyerMode));
  FillLists(texts);
  NameHighFields();
}

}  // namespace qv
