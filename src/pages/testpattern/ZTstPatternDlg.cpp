#include "pages/testpattern/ZTstPatternDlg.h"

#include <QLabel>
#include <QPushButton>

#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/PageFields.h"
#include "widgets/WidgetColours.h"
#include "widgets/oRealEdit.h"
#include "widgets/oSliderEdit.h"

namespace qv {

namespace {

using Axis = TestPatternControl::Axis;

constexpr int kPatternSwitch = 1940, kPatternNumber = 1941, kPrevious = 1942, kNext = 1943,
              kGrabSwitch = 1944, kHStartLabel = 1945, kHStart = 1946, kVStartLabel = 1947,
              kVStart = 1948, kColourText = 1949, kSwatch = 1950, kCaptionSetting = 1951;

// The switches say their state.
QString SwitchCaption(bool on) {
  return on ? QStringLiteral("0n") : QStringLiteral("0ff");
}

QString SwatchSheet(const QColor& fill) {
  return QStringLiteral("background: %1; border: 1px solid %2;")
      .arg(fill.name(), colours::kLine.name());
}

}  // namespace

ZTstPatternDlg::ZTstPatternDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, kNoTitle, parent),
      model_(context.model),
      texts_(context.texts),
      control_(context.encoder) {
  setFixedSize(kWidth, kHeight);
  BuildPattern();
  BuildGrab();
  // Opens the caption page once there is one; until then nothing happens.
  MakeButton(this, kCaptionSetting, "Caption Setting", QRect(8, 208, 180, 28));
  NameSwitches();
  ShowSwitches();
  hide();
}

void ZTstPatternDlg::BuildPattern() {
  patternGroup_ = new CSxGroupBox(texts_.Ui(UiText::TestPatternGroup), this);
  patternGroup_->setGeometry(8, 8, kWidth - 16, 72);
  CSxGroupBox& g = *patternGroup_;
  patternSwitch_ = new CGdipButton(SwitchCaption(false), &g);
  SetControlId(*patternSwitch_, kPatternSwitch);
  patternSwitch_->setGeometry(12, 30, 64, 26);
  connect(patternSwitch_, &CGdipButton::clicked, this, &ZTstPatternDlg::SwitchPattern);
  previous_ = MakeButton(&g, kPrevious, "<<", QRect(90, 30, 40, 26));
  number_ = MakeControl<oSliderEdit>(&g, kPatternNumber, QRect(138, 30, 330, 26));
  // The switch enables the pair as a whole.
  number_->SetUp(TestPatternControl::kFirstPattern, TestPatternControl::kFirstPattern,
                 TestPatternControl::kLastPattern, true, NumberFormat::Int);
  next_ = MakeButton(&g, kNext, ">>", QRect(476, 30, 40, 26));
  connect(previous_, &QPushButton::clicked, this, [this] { Step(-1); });
  connect(next_, &QPushButton::clicked, this, [this] { Step(1); });
  connect(number_, &oSliderEdit::committed, this, &ZTstPatternDlg::ChoosePattern);
}

void ZTstPatternDlg::BuildGrab() {
  grabGroup_ = new CSxGroupBox(texts_.Ui(UiText::PixelGrab), this);
  grabGroup_->setGeometry(8, 88, kWidth - 16, 112);
  CSxGroupBox& g = *grabGroup_;
  grabSwitch_ = new CGdipButton(SwitchCaption(false), &g);
  SetControlId(*grabSwitch_, kGrabSwitch);
  grabSwitch_->setGeometry(12, 30, 64, 26);
  connect(grabSwitch_, &CGdipButton::clicked, this, &ZTstPatternDlg::SwitchGrab);

  const auto position = [&](int labelId, const char* text, int id, int y, Axis axis) {
    QLabel* label = MakeLabel(&g, labelId, QString::fromUtf8(text), QRect(90, y, 80, 26));
    auto* field = MakeControl<oRealEdit>(&g, id, QRect(172, y, 70, 26));
    field->SetUp(control_.grabPosition(axis), 0, 9999, false, NumberFormat::Int);
    label->setBuddy(field);
    connect(field, &oRealEdit::committed, this,
            [this, axis, field](double value) { CommitPosition(axis, *field, value); });
    return field;
  };
  hStart_ = position(kHStartLabel, "H Start : ", kHStart, 30, Axis::Horizontal);
  vStart_ = position(kVStartLabel, "V Start : ", kVStart, 70, Axis::Vertical);

  swatch_ = MakeControl<QLabel>(&g, kSwatch, QRect(270, 30, 96, 66));
  swatch_->setStyleSheet(SwatchSheet(colours::kGround));
  colour_ = MakeControl<QLabel>(&g, kColourText, QRect(380, 52, 150, 26));
}

void ZTstPatternDlg::NameSwitches() {
  // A switch's caption is its state: it is named after its group.
  patternSwitch_->setAccessibleName(patternGroup_->caption());
  grabSwitch_->setAccessibleName(grabGroup_->caption());
}

void ZTstPatternDlg::ShowSwitches() {
  const bool patternOn = control_.switchOn();
  patternSwitch_->SetState(patternOn);
  patternSwitch_->setText(SwitchCaption(patternOn));
  for (QWidget* w : std::initializer_list<QWidget*>{number_, previous_, next_}) {
    w->setEnabled(patternOn);
  }
  const bool grabOn = control_.grabOn();
  grabSwitch_->SetState(grabOn);
  grabSwitch_->setText(SwitchCaption(grabOn));
  hStart_->setEnabled(grabOn);
  vStart_->setEnabled(grabOn);
}

void ZTstPatternDlg::SwitchPattern(bool on) {
  if (PageFields::Closed(*this)) return;
  const int running = control_.Switch(on, static_cast<int>(number_->value()));
  ShowSwitches();
  emit pageRequest(PageRequest::TestPatternOn, running != 0 ? 1 : 0);
  emit pageRequest(PageRequest::MiscViews, MiscViewArgument(MiscView::Caption, false));
}

void ZTstPatternDlg::Step(int delta) {
  if (PageFields::Closed(*this) || !control_.switchOn()) return;
  number_->SetValue(control_.Choose(static_cast<int>(number_->value()) + delta));
}

void ZTstPatternDlg::ChoosePattern(double number) {
  if (PageFields::Closed(*this) || !control_.switchOn()) return;
  number_->SetValue(control_.Choose(static_cast<int>(number)));
}

void ZTstPatternDlg::SwitchGrab(bool on) {
  if (PageFields::Closed(*this)) return;
  control_.SwitchGrab(on);
  ShowSwitches();
  if (on) emit pageRequest(PageRequest::MiscViews, MiscViewArgument(MiscView::Caption, false));
}

void ZTstPatternDlg::CommitPosition(Axis axis, oRealEdit& field, double value) {
  if (PageFields::Closed(*this) || !control_.grabOn()) return;
  field.SetValue(control_.SetGrabPosition(axis, static_cast<int>(value)));
}

void ZTstPatternDlg::OnReply(ReplyKind kind, int) {
  if (kind != ReplyKind::TestPatternInfoReply) return;
  const std::array<uint16_t, 3>& rgb = model_.TestPatternInfo;
  swatch_->setStyleSheet(SwatchSheet(QColor(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF)));
  colour_->setText(QStringLiteral("R:%1   G:%2    B:%3").arg(rgb[0]).arg(rgb[1]).arg(rgb[2]));
}

void ZTstPatternDlg::OnPageShown(PageId page, bool shown) {
  // The window closed the page (not the console minimised): the pattern stops.
  if (page != PageId::TestPattern || shown || !control_.Stop()) return;
  ShowSwitches();
  emit pageRequest(PageRequest::TestPatternOn, 0);
}

void ZTstPatternDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  patternGroup_->SetCaption(texts.Ui(UiText::TestPatternGroup));
  grabGroup_->SetCaption(texts.Ui(UiText::PixelGrab));
  NameSwitches();
}

}  // namespace qv
