#include "pages/edid/ZEdidDlg.h"

#include <QLabel>
#include <QPushButton>

#include "widgets/CDropButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/PageFields.h"
#include "widgets/oRealEdit.h"

namespace qv {

namespace {

using Limits = EdidTimingLimits;

constexpr int kInputList = 1990, kApply = 2001, kRestore = 2002, kMore = 2003;
constexpr uint8_t kEdidEvent = 0;

constexpr int kGap = 8;
constexpr int kTop = ZBaseDialog::kBandHeight + kGap;
constexpr int kSelectHeight = 64;
constexpr int kTimingTop = kTop + kSelectHeight + kGap;
constexpr int kTimingHeight = 100;
constexpr int kMoreTop = kTimingTop + kTimingHeight + kGap;
constexpr int kMoreHeight = 64;

std::size_t At(EdidTimingLimits::Field field) {
  return static_cast<std::size_t>(field);
}

}  // namespace

ZEdidDlg::ZEdidDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::EdidTitle, parent),
      model_(context.model),
      texts_(context.texts),
      control_(context.encoder) {
  BuildSelect();
  BuildTiming();
  BuildMore();
  RefillInputs();
  ToggleMore(false);
  hide();
}

void ZEdidDlg::BuildSelect() {
  selectGroup_ = new CSxGroupBox(texts_.Ui(UiText::EdidSelect), this);
  selectGroup_->setGeometry(kGap, kTop, kWidth - 2 * kGap, kSelectHeight);
  inputs_ = MakeControl<CDropButton>(selectGroup_, kInputList, QRect(12, 28, 250, 26));
  connect(inputs_, &CDropButton::chosen, this, [this](int, int32_t input) { ChooseInput(input); });
}

void ZEdidDlg::BuildTiming() {
  auto* g = new CSxGroupBox(QString(), this);
  g->setGeometry(kGap, kTimingTop, kWidth - 2 * kGap, kTimingHeight);
  AddNumber(*g, 1991, "H Active :", 12, 20, Field::HActive);
  AddNumber(*g, 1993, "V Active :", 182, 20, Field::VActive);
  AddNumber(*g, 1995, "FPS :", 352, 20, Field::Fps);
  QPushButton* apply = MakeButton(g, kApply, "Apply", QRect(12, 60, 100, 28));
  QPushButton* restore = MakeButton(g, kRestore, "Restore", QRect(120, 60, 100, 28));
  more_ = MakeButton(g, kMore, "More >", QRect(228, 60, 100, 28));
  more_->setCheckable(true);
  connect(apply, &QPushButton::clicked, this, &ZEdidDlg::Apply);
  connect(restore, &QPushButton::clicked, this, &ZEdidDlg::Restore);
  connect(more_, &QPushButton::clicked, this, &ZEdidDlg::ToggleMore);
}

void ZEdidDlg::BuildMore() {
  moreGroup_ = new CSxGroupBox(texts_.Ui(UiText::More), this);
  moreGroup_->setGeometry(kGap, kMoreTop, kWidth - 2 * kGap, kMoreHeight);
  AddNumber(*moreGroup_, 1997, "H Blank :", 12, 28, Field::HBlank);
  AddNumber(*moreGroup_, 1999, "V Blank :", 182, 28, Field::VBlank);
}

void ZEdidDlg::AddNumber(QWidget& group, int labelId, const char* text, int x, int y, Field field) {
  QLabel* label = MakeLabel(&group, labelId, QString::fromUtf8(text), QRect(x, y, 80, 26));
  auto* box = MakeControl<oRealEdit>(&group, labelId + 1, QRect(x + 82, y, 70, 26));
  const int least = Limits::Minimum().at(field);
  box->SetUp(least, least, Limits::Maximum().at(field), true, NumberFormat::Int);
  label->setBuddy(box);
  connect(box, &oRealEdit::committed, this, [this, field] { Commit(field); });
  numbers_[At(field)] = box;
}

Limits::Timing ZEdidDlg::fields() const {
  const auto value = [this](Field f) { return static_cast<int>(numbers_[At(f)]->value()); };
  return {.hActive = value(Field::HActive),
          .vActive = value(Field::VActive),
          .fps = value(Field::Fps),
          .hBlank = value(Field::HBlank),
          .vBlank = value(Field::VBlank)};
}

void ZEdidDlg::RefillInputs() {
  inputs_->Clear();
  for (const EdidControl::Entry& e : EdidControl::Inputs(model_)) {
    inputs_->AddEntry(QString::fromStdString(e.name), e.input);
  }
  // The input chosen stays when it is still listed.
  inputs_->SelectByValue(input_);
  if (inputs_->selectedIndex() >= 0) input_ = inputs_->entry(inputs_->selectedIndex()).value;
}

void ZEdidDlg::ShowEdid() {
  const std::optional<Limits::Timing> shown = EdidControl::Shown(model_, input_);
  if (!shown) return;
  for (Field f : Limits::kFields) numbers_[At(f)]->SetValue(shown->at(f));
}

void ZEdidDlg::ChooseInput(int input) {
  input_ = input;
  ShowEdid();
}

void ZEdidDlg::Commit(Field field) {
  if (PageFields::Closed(*this)) return;
  const Limits::Timing held =
      Limits::Commit(fields(), field, EdidControl::ClockLimit(model_, input_));
  numbers_[At(field)]->SetValue(held.at(field));
}

void ZEdidDlg::Apply() {
  if (PageFields::Closed(*this)) return;
  if (control_.Apply(input_, fields(), more_->isChecked())) {
    emit waitingNotice(texts_.Ui(UiText::WaitOperation));
  }
}

void ZEdidDlg::Restore() {
  if (PageFields::Closed(*this)) return;
  if (control_.Restore(input_)) emit waitingNotice(texts_.Ui(UiText::WaitOperation));
}

void ZEdidDlg::ToggleMore(bool on) {
  more_->setChecked(on);
  // The hidden fields keep their values: they count in the clock all the same.
  moreGroup_->setVisible(on);
  setFixedSize(kWidth, (on ? kMoreTop + kMoreHeight : kMoreTop - kGap) + kGap);
}

void ZEdidDlg::OnReply(ReplyKind kind, int arg) {
  switch (kind) {
    case ReplyKind::FullStateReply:
      RefillInputs();
      ShowEdid();
      break;
    case ReplyKind::CompositeBoardReply:
    case ReplyKind::DpModeReply:
      RefillInputs();
      break;
    case ReplyKind::EdidReply:
      ShowEdid();
      break;
    case ReplyKind::DeviceEvent:
      // Argument 0 carries the event in the model; others are caption events.
      if (arg != 0 || model_.EventCode != kEdidEvent) return;
      emit message(QStringLiteral("%1 %2").arg(
          texts_.Ui(UiText::EdidApply),
          texts_.Ui(model_.EventArg2 != 0 ? UiText::Ok : UiText::Failed)));
      break;
    default:
      break;
  }
}

void ZEdidDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  selectGroup_->SetCaption(texts.Ui(UiText::EdidSelect));
  moreGroup_->SetCaption(texts.Ui(UiText::More));
}

}  // namespace qv
