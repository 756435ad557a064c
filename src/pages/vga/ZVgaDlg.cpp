#include "pages/vga/ZVgaDlg.h"

#include <QLabel>
#include <QPushButton>

#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/oRealEdit.h"

namespace qv {

namespace {

constexpr int kAutoAdjust = 1968, kInputSource = 1969, kCodeLabel = 1970, kCode = 1971,
              kEnter = 1972, kCalibrate = 1985, kRest = 1986, kOnOff = 1165;
constexpr uint8_t kVgaEvent = 1;

constexpr int kTop = ZBaseDialog::kBandHeight + 8;
constexpr int kDisplayHeight = 112;
constexpr int kConverterTop = kTop + kDisplayHeight + 8;
constexpr int kConverterLocked = 64;
constexpr int kDdcHeight = 64;

int LockedHeight() {
  return kConverterTop + kConverterLocked + 8 + kDdcHeight + 8;
}

}  // namespace

ZVgaDlg::ZVgaDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::VgaTitle, parent),
      model_(context.model),
      texts_(context.texts),
      control_(context.encoder),
      fields_(context.encoder, *this) {
  BuildDisplay();
  BuildConverter();
  BuildDdc();
  ShowConverter(false);
  hide();
}

void ZVgaDlg::BuildDisplay() {
  displayGroup_ = new CSxGroupBox(texts_.Ui(UiText::DisplayAdjustment), this);
  displayGroup_->setGeometry(8, kTop, kWidth - 16, kDisplayHeight);
  CSxGroupBox& g = *displayGroup_;
  struct Row {
    int labelId;
    const char* label;
    int x, y;
    double minimum, maximum;
    int32_t VgaAdjust::*wide;    // the clock and the phase
    uint8_t VgaAdjust::*narrow;  // the positions, signed bytes
  };
  const Row rows[] = {
      {1960, "Clock :", 12, 28, 500, 4096, &VgaAdjust::VgaClock, nullptr},
      {1962, "Phase :", 212, 28, 0, 63, &VgaAdjust::VgaPhase, nullptr},
      {1964, "H Position :", 12, 68, -100, 100, nullptr, &VgaAdjust::VgaHPos},
      {1966, "V Position :", 212, 68, -16, 16, nullptr, &VgaAdjust::VgaVPos},
  };
  for (const Row& s : rows) {
    fields_.Add(g,
                {.kind = FieldKind::Number,
                 .id = s.labelId + 1,
                 .place = {s.x + 96, s.y, 70, 26},
                 .label = {.id = s.labelId, .text = s.label, .place = {s.x, s.y, 94, 26}},
                 .minimum = s.minimum,
                 .maximum = s.maximum,
                 .get = [s](const DeviceModel& m) -> double {
                   return s.wide ? m.Vga.*s.wide : static_cast<int8_t>(m.Vga.*s.narrow);
                 },
                 .set =
                     [s](DeviceModel& m, double v) {
                       if (s.wide) {
                         m.Vga.*s.wide = static_cast<int32_t>(v);
                       } else {
                         m.Vga.*s.narrow = static_cast<uint8_t>(static_cast<int8_t>(v));
                       }
                     },
                 .send = FieldCommand{CommandType::SetVgaAdjust, &VgaControl::DisplayArguments}});
  }
  QPushButton* autoAdjust = MakeButton(&g, kAutoAdjust, "Auto Adjust", QRect(412, 28, 110, 26));
  connect(autoAdjust, &QPushButton::clicked, this, &ZVgaDlg::AutoAdjust);
  input_ = MakeControl<QLabel>(&g, kInputSource, QRect(412, 60, 200, 40));
}

void ZVgaDlg::BuildConverter() {
  converterGroup_ = new CSxGroupBox(texts_.Ui(UiText::AdcAdjustment), this);
  CSxGroupBox& g = *converterGroup_;
  QLabel* codeLabel = MakeLabel(&g, kCodeLabel, "Please Enter Password :", QRect(12, 28, 180, 26));
  code_ = MakeControl<oRealEdit>(&g, kCode, QRect(194, 28, 70, 26));
  code_->SetUp(0, 0, 9999, true, NumberFormat::Int);
  code_->setEchoMode(QLineEdit::Password);
  codeLabel->setBuddy(code_);
  enter_ = MakeButton(&g, kEnter, "enter", QRect(272, 28, 70, 26));
  connect(enter_, &QPushButton::clicked, this, &ZVgaDlg::Enter);
  converterSwitch_ = new CGdipButton(QStringLiteral("ON/OFF"), &g);
  SetControlId(*converterSwitch_, kOnOff);
  converterSwitch_->setGeometry(412, 28, 90, 26);
  connect(converterSwitch_, &CGdipButton::clicked, this, [this](bool on) {
    // Its only way is off: the code opens the section.
    if (!on) Lock();
  });

  struct Row {
    int labelId;
    const char* label;
  };
  // In VgaAdc's order: offset and gain of red, green and blue.
  const Row rows[] = {{1973, "Red Offset"}, {1975, "Red Gain"},    {1977, "Green Offset"},
                      {1979, "Green Gain"}, {1981, "Blue Offset"}, {1983, "Blue Gain"}};
  for (int i = 0; i < 6; ++i) {
    const int x = 12 + 200 * (i / 2);
    const int y = 68 + 40 * (i % 2);
    QWidget* field = fields_.Add(
        g, {.kind = FieldKind::Number,
            .id = rows[i].labelId + 1,
            .place = {x + 100, y, 70, 26},
            .label = {.id = rows[i].labelId, .text = rows[i].label, .place = {x, y, 98, 26}},
            .minimum = 0,
            .maximum = 1023,
            .get = [i](const DeviceModel& m) { return m.Vga.VgaAdc[static_cast<std::size_t>(i)]; },
            .set =
                [i](DeviceModel& m, double v) {
                  m.Vga.VgaAdc[static_cast<std::size_t>(i)] = static_cast<uint16_t>(v);
                },
            .send = FieldCommand{CommandType::SetVgaAdjust, &VgaControl::ConverterArguments}});
    converterSection_.push_back(field);
    for (QLabel* label : g.findChildren<QLabel*>()) {
      if (label->buddy() == field) converterSection_.push_back(label);
    }
  }
  QPushButton* calibrate = MakeButton(&g, kCalibrate, "Calibrate", QRect(12, 150, 110, 28));
  QPushButton* rest = MakeButton(&g, kRest, "Rest", QRect(132, 150, 110, 28));
  connect(calibrate, &QPushButton::clicked, this, &ZVgaDlg::Calibrate);
  connect(rest, &QPushButton::clicked, this, &ZVgaDlg::ResetConverter);
  converterSection_.push_back(calibrate);
  converterSection_.push_back(rest);
}

void ZVgaDlg::BuildDdc() {
  ddcGroup_ = new CSxGroupBox(texts_.Ui(UiText::DdcSetting), this);
  ddc_ = new CGdipButton(QStringLiteral("ON/OFF"), ddcGroup_);
  SetControlId(*ddc_, kOnOff);
  ddc_->setGeometry(12, 28, 90, 26);
  connect(ddc_, &CGdipButton::clicked, this, &ZVgaDlg::SwitchDdc);
  NameSwitches();
}

// "ON/OFF" reads as the switch of its group.
void ZVgaDlg::NameSwitches() {
  converterSwitch_->setAccessibleName(converterGroup_->caption());
  ddc_->setAccessibleName(ddcGroup_->caption());
}

void ZVgaDlg::ShowConverter(bool unlocked) {
  unlocked_ = unlocked;
  for (QWidget* w : converterSection_) w->setVisible(unlocked);
  const int drop = unlocked ? kConverterDrop : 0;
  converterGroup_->setGeometry(8, kConverterTop, kWidth - 16, kConverterLocked + drop);
  ddcGroup_->setGeometry(8, kConverterTop + kConverterLocked + drop + 8, kWidth - 16, kDdcHeight);
  setFixedSize(kWidth, LockedHeight() + drop);
  converterSwitch_->SetState(unlocked);
  converterSwitch_->setEnabled(unlocked);
  // An empty box reads as 0, and what the operator types is the whole code.
  if (!unlocked) code_->clear();
  ShowTarget();
}

void ZVgaDlg::ShowTarget() {
  input_->setText(adjusting_ ? texts_.Ui(UiText::InputSource) + QStringLiteral("\n") +
                                   QString::fromStdString(model_.InputName(control_.target()))
                             : QString());
  const bool unlockable = control_.Unlockable();
  code_->setEnabled(unlockable && !unlocked_);
  enter_->setEnabled(unlockable && !unlocked_);
}

void ZVgaDlg::Enter() {
  if (PageFields::Closed(*this) || unlocked_) return;
  code_->Commit(false);
  if (!VgaControl::Unlocks(static_cast<int>(code_->value()))) {
    emit message(texts_.Ui(UiText::PasswordError));
    return;
  }
  ShowConverter(true);
}

void ZVgaDlg::Lock() {
  if (unlocked_) ShowConverter(false);
}

void ZVgaDlg::AutoAdjust() {
  if (PageFields::Closed(*this)) return;
  control_.AutoAdjust();
  emit waitingNotice(texts_.Ui(UiText::WaitOperation));
}

void ZVgaDlg::Calibrate() {
  if (PageFields::Closed(*this)) return;
  control_.Calibrate();
  emit waitingNotice(texts_.Ui(UiText::WaitOperation));
}

void ZVgaDlg::ResetConverter() {
  if (PageFields::Closed(*this)) return;
  control_.ResetConverter();
}

void ZVgaDlg::SwitchDdc(bool on) {
  if (PageFields::Closed(*this)) return;
  control_.SetDdc(on);
}

void ZVgaDlg::OnReply(ReplyKind kind, int arg) {
  switch (kind) {
    case ReplyKind::VgaAdjustReply:
      fields_.Refresh();
      break;
    case ReplyKind::FullStateReply:
      Followed(control_.FollowAny());
      return;
    case ReplyKind::DeviceEvent:
      // Argument 0 carries the event in the model; others are caption events.
      if (arg != 0 || model_.EventCode != kVgaEvent) return;
      emit message(QStringLiteral("%1 %2").arg(
          texts_.Ui(UiText::VgaAdjustment),
          texts_.Ui(model_.EventArg1 != 0 ? UiText::Ok : UiText::Failed)));
      return;
    default:
      return;
  }
  ShowTarget();
}

void ZVgaDlg::OnPageRequest(PageRequest code, int argument, const QString&) {
  if (code == PageRequest::InputChanged) Followed(control_.Follow(argument));
}

void ZVgaDlg::Followed(bool adjusting) {
  adjusting_ = adjusting_ || adjusting;
  // The converter is unlocked for window 0's input alone.
  if (!control_.Unlockable()) Lock();
  ShowTarget();
}

void ZVgaDlg::OnPageShown(PageId page, bool shown) {
  // Closing the page locks the converter again; minimising the console does not.
  if (page == PageId::Vga && !shown) Lock();
}

void ZVgaDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  displayGroup_->SetCaption(texts.Ui(UiText::DisplayAdjustment));
  converterGroup_->SetCaption(texts.Ui(UiText::AdcAdjustment));
  ddcGroup_->SetCaption(texts.Ui(UiText::DdcSetting));
  NameSwitches();
  ShowTarget();
}

}  // namespace qv
