#include "pages/pip/ZPIPDlg.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "link/CommandEncoder.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/oSliderEdit.h"

namespace qv {

namespace {

constexpr int kToggleId = 1165;
constexpr int kAlphaLabelId = 1750;
constexpr int kInputLabelId = 1752;
constexpr int kFirstAlphaId = 1753;  // one a PIP
constexpr int kFirstInputId = 1756;  // one a PIP
// The input no PIP can show; it stays in the list, greyed, so that the
// inputs keep their places.
constexpr int kUnavailableInput = 5;

constexpr int kGroupTop = ZBaseDialog::kBandHeight + 10;
constexpr int kGroupHeight = 96;
constexpr int kGroupGap = 8;

// The usable inputs in the processor's order, each carrying its number.
std::vector<CDropList::Entry> InputEntries(const DeviceModel& model) {
  std::vector<CDropList::Entry> entries;
  for (int j = 0; j < kInputCodeCount; ++j) {
    const InputLabel& label = model.InputLabels[j];
    if (label.usable) {
      entries.push_back({QString::fromStdString(model.InputName(j)), j, j == kUnavailableInput});
    }
  }
  return entries;
}

uint8_t Byte(int value) {
  return static_cast<uint8_t>(value);
}

}  // namespace

ZPIPDlg::ZPIPDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::PipTitle, parent),
      model_(context.model),
      encoder_(context.encoder),
      fields_(context.encoder, context.texts, *this) {
  setFixedSize(kWidth, kHeight);
  for (int pip = 0; pip < kPipCount; ++pip) BuildGroup(pip);
  Show(states_);
  hide();
}

void ZPIPDlg::BuildGroup(int pip) {
  Group& g = groups_[pip];
  const int window = pip + 1;
  g.box = new CSxGroupBox(QString::fromStdString(states_[pip].caption), this);
  g.box->setGeometry(8, kGroupTop + pip * (kGroupHeight + kGroupGap), kWidth - 16, kGroupHeight);

  g.toggle = new CGdipButton(QStringLiteral("ON/OFF"), g.box);
  SetControlId(*g.toggle, kToggleId);
  g.toggle->setGeometry(12, 26, 80, 24);
  connect(g.toggle, &CGdipButton::clicked, this, [this, pip](bool on) { Toggle(pip, on); });

  g.input = &fields_.Add<CDropButton>(
      *g.box,
      {.kind = FieldKind::Choice,
       .id = kFirstInputId + pip,
       .place = {184, 26, 250, 24},
       .label = {.id = kInputLabelId, .text = "Input :", .place = {112, 26, 68, 24}},
       .entries = [&model = model_](const LanguageTexts&) { return InputEntries(model); },
       .get = [window](const DeviceModel& m) { return m.rec.Chnl[window].ChnlInput; },
       .set = [window](DeviceModel& m,
                       double v) { m.rec.Chnl[window].ChnlInput = Byte(static_cast<int>(v)); },
       .after = [this, window] { emit pageRequest(PageRequest::InputChosen, window); }});

  g.alpha = &fields_.Add<oSliderEdit>(
      *g.box, {.kind = FieldKind::Slider,
               .id = kFirstAlphaId + pip,
               .place = {84, 60, 350, 24},
               .label = {.id = kAlphaLabelId, .text = "Alpha :", .place = {12, 60, 68, 24}},
               .minimum = 0,
               .maximum = kAlphaMax,
               .get = [window](const DeviceModel& m) { return m.rec.Chnl[window].ChnlAlpha; },
               .set =
                   [window](DeviceModel& m, double v) {
                     m.rec.Chnl[window].ChnlAlpha =
                         Byte(std::clamp<int>(std::lround(v), 0, kAlphaMax));
                   },
               .send = FieldCommand{CommandType::SetWindowState,
                                    [pip] { return std::vector<uint8_t>{Byte(pip)}; }}});
}

void ZPIPDlg::Toggle(int pip, bool on) {
  if (PipControlStates::ToggleRefused(model_, pip)) {
    groups_[pip].toggle->SetState(!on);
    return;
  }
  model_.rec.Chnl[pip + 1].ChnlOnOff = on ? 1 : 0;
  Show(PipControlStates::Reload(states_, model_));
  encoder_.EncodeAndSend(CommandType::SetWindowState, {Byte(pip)});
  emit pageRequest(PageRequest::LayerState, pip);
}

void ZPIPDlg::Reload(bool announce) {
  fields_.Refresh();
  Show(PipControlStates::Reload(states_, model_));
  if (!announce) return;
  for (int pip = 0; pip < kPipCount; ++pip) emit pageRequest(PageRequest::InputChanged, pip + 1);
}

void ZPIPDlg::Show(const PipControlStates::Pips& states) {
  states_ = states;
  for (int pip = 0; pip < kPipCount; ++pip) {
    const PipControlStates::Pip& s = states_[pip];
    Group& g = groups_[pip];
    g.box->SetCaption(QString::fromStdString(s.caption));
    g.toggle->SetState(s.on);
    g.toggle->setEnabled(s.toggleEnabled);
    g.alpha->setEnabled(s.alphaEnabled);
    g.input->setEnabled(s.inputEnabled);
  }
}

void ZPIPDlg::OnReply(ReplyKind kind, int) {
  switch (kind) {
    case ReplyKind::FullStateReply:
      fields_.RefillEntries();
      Reload(true);
      break;
    case ReplyKind::WindowSourcesReply:
      Reload(true);
      break;
    case ReplyKind::DpModeReply:
    case ReplyKind::CompositeBoardReply:
      fields_.RefillEntries();
      break;
    case ReplyKind::PvwModeReply:
      Show(PipControlStates::ForMode(states_, model_));
      break;
    default:
      break;
  }
}

void ZPIPDlg::OnPageRequest(PageRequest code, int argument, const QString&) {
  switch (code) {
    case PageRequest::LayerState:
      // A layer switch of the window turned a PIP on or off.
      Reload(false);
      break;
    case PageRequest::InputChanged:
      // The input panel routed an input to a PIP.
      if (argument >= 1 && argument <= kPipCount) fields_.Refresh();
      break;
    default:
      break;
  }
}

}  // namespace qv
