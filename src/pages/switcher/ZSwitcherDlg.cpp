#include "pages/switcher/ZSwitcherDlg.h"

#include <array>
#include <vector>

#include "link/CommandEncoder.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ChoiceButtons.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"

namespace qv {

namespace {

constexpr int kToggleId = 1165;
constexpr int kFadeLabelId = 1762;
constexpr int kFadeListId = 1763;
constexpr int kSecondsLabelId = 1764;
constexpr std::array<ChoiceButtons::Choice, 2> kPanelChoices = {
    {{1760, "Panel x 1"}, {1761, "Panel x 2"}}};
// The fade durations the processor knows, by their index.
constexpr std::array<const char*, 8> kFadeSeconds = {"0.0", "0.1", "0.2", "0.3",
                                                     "0.5", "1.0", "2.0", "3.0"};
// The keyers' channels: both follow the mode, so both are read again.
constexpr std::array<uint8_t, 2> kKeyerChannels = {1, 3};

constexpr int kTwoPanelMode = 2;

}  // namespace

ZSwitcherDlg::ZSwitcherDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::SwitcherTitle, parent),
      model_(context.model),
      encoder_(context.encoder),
      texts_(context.texts),
      fields_(context.encoder, context.texts, *this) {
  setFixedSize(kWidth, kHeight);

  modeGroup_ = new CSxGroupBox(texts_.Ui(UiText::SwitchMode), this);
  modeGroup_->setGeometry(8, kBandHeight + 10, kWidth - 16, 118);
  modeSwitch_ = new CGdipButton(QStringLiteral("ON/OFF"), modeGroup_);
  SetControlId(*modeSwitch_, kToggleId);
  modeSwitch_->setGeometry(12, 26, 80, 26);
  panels_ = new ChoiceButtons(kPanelChoices, 2, modeGroup_);
  panels_->setGeometry(108, 26, kWidth - 16 - 108 - 12, 26);
  panels_->Select(variant_);
  fade_ = &fields_.Add<CDropButton>(
      *modeGroup_,
      {.kind = FieldKind::Choice,
       .id = kFadeListId,
       .place = {136, 72, 80, 24},
       .label = {.id = kFadeLabelId, .text = "Fade Duration :", .place = {12, 72, 120, 24}},
       .entries =
           [](const LanguageTexts&) {
             std::vector<CDropList::Entry> entries;
             for (int i = 0; i < static_cast<int>(kFadeSeconds.size()); ++i) {
               entries.push_back({QString::fromLatin1(kFadeSeconds[i]), i});
             }
             return entries;
           },
       .get = [](const DeviceModel& m) { return m.rec.PvwDTime; },
       .set = [](DeviceModel& m, double v) { m.rec.PvwDTime = static_cast<int32_t>(v); },
       .send = FieldCommand{CommandType::SetPvwDTime}});
  MakeLabel(modeGroup_, kSecondsLabelId, "sec", QRect(222, 72, 40, 24));

  multiGroup_ = new CSxGroupBox(texts_.Ui(UiText::MultiMachineMode), this);
  multiGroup_->setGeometry(8, kBandHeight + 138, kWidth - 16, 64);
  multiSwitch_ = new CGdipButton(QStringLiteral("ON/OFF"), multiGroup_);
  SetControlId(*multiSwitch_, kToggleId);
  multiSwitch_->setGeometry(12, 26, 80, 26);
  multiSwitch_->setEnabled(model_.NetworkMode == 1);

  connect(modeSwitch_, &CGdipButton::clicked, this, &ZSwitcherDlg::SwitchMode);
  connect(panels_, &ChoiceButtons::chosen, this, &ZSwitcherDlg::ChoosePanels);
  connect(multiSwitch_, &CGdipButton::clicked, this, &ZSwitcherDlg::SwitchMultiMachine);
  EnableModeControls(false);
  hide();
}

void ZSwitcherDlg::EnableModeControls(bool on) {
  panels_->setEnabled(on);
  fade_->setEnabled(on);
}

void ZSwitcherDlg::SwitchMode(bool on) {
  EnableModeControls(on);
  model_.rec.PvwMode = on ? variant_ + 1 : 0;
  // Two panels need window 3 as a picture: it no longer carries the logo.
  if (model_.rec.PvwMode == kTwoPanelMode) model_.rec.LogoUsage = 0;
  SendMode(on ? 1 : 0);
  QueryKeyers();
}

// The buttons tell only a change of variant: a press on the marked one sends nothing.
void ZSwitcherDlg::ChoosePanels(int variant) {
  variant_ = variant;
  model_.rec.PvwMode = variant + 1;
  if (model_.rec.PvwMode == kTwoPanelMode) {
    model_.rec.LogoUsage = 0;
    QueryKeyers();
  }
  SendMode(1);
  // The processor reports the panels' windows afresh.
  encoder_.EncodeAndSend(CommandType::Request63, {0});
}

void ZSwitcherDlg::SendMode(int switcherState) {
  emit waitingNotice(texts_.Ui(UiText::WaitOperation));
  encoder_.EncodeAndSend(CommandType::SetPvwMode);
  emit pageRequest(PageRequest::SwitcherState, switcherState);
  emit pageRequest(PageRequest::MosaicMode, model_.rec.MosaicMode);
}

void ZSwitcherDlg::QueryKeyers() {
  for (const uint8_t channel : kKeyerChannels) {
    encoder_.EncodeAndSend(CommandType::QueryKeyer, {channel});
  }
}

void ZSwitcherDlg::SwitchMultiMachine(bool on) {
  // Several processors take one TAKE only over the network.
  if (model_.NetworkMode != 1) {
    multiSwitch_->SetState(false);
    emit message(texts_.Ui(UiText::TakeNeedsNetwork));
    return;
  }
  model_.MultiMachine = on ? 1 : 0;
}

void ZSwitcherDlg::Reload() {
  const int32_t mode = model_.rec.PvwMode;
  const bool on = mode != 0;
  modeSwitch_->SetState(on);
  EnableModeControls(on);
  // Off, the variant the next ON sends stays marked.
  if (mode == kOnePanel + 1 || mode == kTwoPanels + 1) variant_ = mode - 1;
  panels_->Select(variant_);
  fields_.Refresh();
  emit pageRequest(PageRequest::SwitcherState, mode);
}

void ZSwitcherDlg::OnReply(ReplyKind kind, int) {
  if (kind == ReplyKind::FullStateReply || kind == ReplyKind::PvwModeReply) Reload();
}

void ZSwitcherDlg::OnPageRequest(PageRequest code, int, const QString&) {
  if (code != PageRequest::LinkModeChanged) return;
  const bool network = model_.NetworkMode == 1;
  multiSwitch_->SetState(network && model_.MultiMachine != 0);
  multiSwitch_->setEnabled(network);
}

void ZSwitcherDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  modeGroup_->SetCaption(texts.Ui(UiText::SwitchMode));
  multiGroup_->SetCaption(texts.Ui(UiText::MultiMachineMode));
}

}  // namespace qv
