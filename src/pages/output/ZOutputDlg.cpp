#include "pages/output/ZOutputDlg.h"

#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTransform>

#include "logic/output/WindowRotation.h"
#include "pages/common/WindowButtons.h"
#include "widgets/CDropButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ChoiceButtons.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/WidgetColours.h"
#include "widgets/oRealEdit.h"

namespace qv {

namespace {

using Limits = OutputTimingLimits;
using WindowField = OutputControl::WindowField;
using WindowSize = OutputControl::WindowSize;

constexpr int kResolutionList = 1744;
constexpr int kPreviewPicture = 1745;

// By rotation value, as the processor stores it.
constexpr std::array<ChoiceButtons::Choice, OutputControl::kRotationCount> kRotations = {{
    {1736, "OFF"},
    {1737, "-90°"},
    {1738, "90°"},
    {1739, "H Flip"},
    {1740, "V Flip"},
    {1741, "180°"},
    {1742, "-90°+HFlip"},
    {1743, "90°+HFlip "},
}};

// "N(-)" is stored as 0, "P(+)" as 1, both when chosen and when shown.
std::vector<CDropList::Entry> Polarities(const LanguageTexts&) {
  return {{QStringLiteral("N(-)"), 0}, {QStringLiteral("P(+)"), 1}};
}

// A screen with a sun in its top-left corner and a letter that reads only
// one way round, so that every turn and mirror shows.
QImage ScreenPicture() {
  QImage image(192, 120, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 120);
  sky.setColorAt(0, QColor(40, 90, 170));
  sky.setColorAt(1, QColor(150, 190, 230));
  p.fillRect(image.rect(), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 210, 60));
  p.drawEllipse(QPointF(30, 28), 16, 16);
  QPainterPath hill;
  hill.moveTo(0, 120);
  hill.cubicTo(50, 70, 120, 90, 192, 82);
  hill.lineTo(192, 120);
  p.setBrush(QColor(60, 140, 70));
  p.drawPath(hill);
  QFont font = p.font();
  font.setPixelSize(64);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(80, 10, 100, 90), Qt::AlignCenter, QStringLiteral("R"));
  p.setPen(QPen(QColor(20, 20, 20), 3));
  p.setBrush(Qt::NoBrush);
  p.drawRect(image.rect().adjusted(1, 1, -2, -2));
  return image;
}

QImage Rotated(const QImage& image, int value) {
  const WindowRotation r = WindowRotation::Of(value);
  QImage turned = image.transformed(QTransform().rotate(90.0 * r.quarterTurns));
  return r.mirrored ? turned.mirrored(true, false) : turned;
}

}  // namespace

ZOutputDlg::ZOutputDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::OutputTitle, parent),
      encoder_(context.encoder),
      model_(context.model),
      texts_(context.texts),
      control_(context.encoder),
      fields_(context.encoder, context.texts, *this),
      original_(ScreenPicture()) {
  BuildResolution();
  BuildWindows();
  BuildRotation();
  // Until the processor is read: its usual 1920 x 1080 at 60 Hz, and a
  // window's default size. The model keeps what it has (nothing yet).
  ShowResolution(kInitialResolution);
  const double initial[] = {0, 0, 480, 320};
  for (std::size_t i = 0; i < windowFields_.size(); ++i) windowFields_[i]->SetValue(initial[i]);
  ShowRotation();
  hide();
}

void ZOutputDlg::BuildResolution() {
  resolutionGroup_ = new CSxGroupBox(texts_.Ui(UiText::OutputResolution), this);
  CSxGroupBox& g = *resolutionGroup_;
  resolutions_ = MakeControl<CDropButton>(&g, kResolutionList, QRect(12, 26, 250, 24));
  FillResolutions(texts_);
  connect(resolutions_, &CDropButton::chosen, this,
          [this](int, int32_t entry) { ChooseResolution(entry); });
  apply_ = MakeButton(&g, 1707, "Apply", QRect(276, 26, 90, 24));
  more_ = MakeButton(&g, 1708, "More >", QRect(374, 26, 90, 24));
  more_->setCheckable(true);
  connect(apply_, &QPushButton::clicked, this, &ZOutputDlg::Apply);
  connect(more_, &QPushButton::clicked, this, &ZOutputDlg::ShowMore);

  numbers_[HActive] =
      MakeNumberField(&g, 1701, "H Active :", {12, 62, 78, 24}, 1702, {92, 62, 60, 24}, 640, 4080);
  numbers_[VActive] = MakeNumberField(&g, 1703, "V Active :", {172, 62, 78, 24}, 1704,
                                      {252, 62, 60, 24}, 480, 4080);
  numbers_[Fps] = MakeNumberField(&g, 1705, "FPS :", {332, 62, 60, 24}, 1706, {394, 62, 70, 24}, 23,
                                  120, NumberFormat::Fixed2);
  numbers_[HTotal] =
      MakeNumberField(&g, 1709, "H total :", {12, 104, 78, 24}, 1710, {92, 104, 60, 24}, 680, 4094);
  numbers_[VTotal] =
      MakeNumberField(&g, 1711, "V total :", {12, 138, 78, 24}, 1712, {92, 138, 60, 24}, 492, 4094);
  for (Field f : {HActive, VActive, Fps}) {
    connect(numbers_[f], &oRealEdit::committed, this, [this, f] { CommitActive(f); });
  }
  for (Field f : {HTotal, VTotal}) {
    connect(numbers_[f], &oRealEdit::committed, this, [this, f] { RaiseTotal(f); });
  }

  // Sync widths and back porches reach the model at once (the totals made
  // to hold them); the totals and the active size only with Apply.
  const auto timingRow = [&](int labelId, const char* label, int x, int y, int min, int max,
                             auto member, Field total) {
    return fields_.Add(
        g, {.kind = FieldKind::Number,
            .id = labelId + 1,
            .place = {x + 80, y, 60, 24},
            .label = {.id = labelId, .text = label, .place = {x, y, 78, 24}},
            .minimum = static_cast<double>(min),
            .maximum = static_cast<double>(max),
            .get = [member](const DeviceModel& m) { return m.rec.*member; },
            .set = [member](DeviceModel& m, double v) { m.rec.*member = static_cast<uint16_t>(v); },
            .after = [this, total] { RaiseTotal(total); }});
  };
  using R = DeviceStatusRecord;
  timingSection_ = {numbers_[HTotal],
                    numbers_[VTotal],
                    timingRow(1713, "H sync :", 160, 104, 4, 128, &R::HSync, HTotal),
                    timingRow(1715, "V sync :", 160, 138, 4, 128, &R::VSync, VTotal),
                    timingRow(1717, "Hbp :", 308, 104, 4, 512, &R::Hbp, HTotal),
                    timingRow(1719, "Vbp :", 308, 138, 4, 512, &R::Vbp, VTotal)};
  const auto polarity = [&](int labelId, const char* label, int y, auto member) {
    return &fields_.Add<CDropButton>(
        g,
        {.kind = FieldKind::Choice,
         .id = labelId + 1,
         .place = {536, y, 64, 24},
         .label = {.id = labelId, .text = label, .place = {456, y, 78, 24}},
         .entries = Polarities,
         .get = [member](const DeviceModel& m) { return m.rec.*member; },
         .set = [member](DeviceModel& m, double v) { m.rec.*member = static_cast<uint8_t>(v); }});
  };
  hPol_ = polarity(1721, "H pol :", 104, &R::HPol);
  vPol_ = polarity(1723, "V pol :", 138, &R::VPol);
  timingSection_.push_back(hPol_);
  timingSection_.push_back(vPol_);
  // Their labels go with them.
  for (std::size_t i = 0, n = timingSection_.size(); i < n; ++i) {
    for (QLabel* label : g.findChildren<QLabel*>()) {
      if (label->buddy() == timingSection_[i]) timingSection_.push_back(label);
    }
  }
}

void ZOutputDlg::BuildWindows() {
  auto* g = windowsGroup_ = new CSxGroupBox(QString(), this);
  windows_ = new WindowButtons(g);
  windows_->setGeometry(12, 20, 380, 28);
  connect(windows_, &WindowButtons::windowChosen, this, &ZOutputDlg::ChooseWindow);

  struct WindowFieldRow {
    int labelId;
    const char* label;
    double minimum;
    WindowField field;
  };
  const WindowFieldRow rows[] = {{1725, "H Start :", 0, WindowField::HStart},
                                 {1727, "V Start :", 0, WindowField::VStart},
                                 {1729, "Width :", 1, WindowField::Width},
                                 {1731, "Height :", 1, WindowField::Height}};
  for (int i = 0; i < 4; ++i) {
    const WindowFieldRow& s = rows[i];
    const int x = 12 + 148 * i;
    oRealEdit* field = MakeNumberField(g, s.labelId, s.label, {x, 70, 72, 24}, s.labelId + 1,
                                       {x + 74, 70, 60, 24}, s.minimum, 9999);
    connect(field, &oRealEdit::committed, this,
            [this, f = s.field](double value) { CommitWindowField(f, value); });
    windowFields_[static_cast<std::size_t>(i)] = field;
  }
  QPushButton* full = MakeButton(g, 1733, "Full\nScreen", QRect(412, 14, 80, 40));
  QPushButton* half = MakeButton(g, 1734, "1/2", QRect(500, 22, 50, 26));
  QPushButton* quarter = MakeButton(g, 1735, "1/4", QRect(556, 22, 50, 26));
  connect(full, &QPushButton::clicked, this, [this] { SizeWindow(WindowSize::Full); });
  connect(half, &QPushButton::clicked, this, [this] { SizeWindow(WindowSize::Half); });
  connect(quarter, &QPushButton::clicked, this, [this] { SizeWindow(WindowSize::Quarter); });
}

void ZOutputDlg::BuildRotation() {
  rotateGroup_ = new CSxGroupBox(texts_.Ui(UiText::Rotate), this);
  rotations_ = new ChoiceButtons(kRotations, 4, rotateGroup_);
  rotations_->setGeometry(12, 30, 400, 108);
  connect(rotations_, &ChoiceButtons::chosen, this, &ZOutputDlg::ChooseRotation);
  picture_ = MakeControl<QLabel>(rotateGroup_, kPreviewPicture, QRect(430, 24, 180, 120));
  picture_->setAlignment(Qt::AlignCenter);
}

void ZOutputDlg::FillResolutions(const LanguageTexts& texts) {
  resolutions_->Clear();
  const std::vector<ResoPreset>& table = model_.ResoPresets;
  for (int i = 0; i < static_cast<int>(table.size()) && i <= OutputControl::kCustomised; ++i) {
    resolutions_->AddEntry(i == OutputControl::kCustomised
                               ? texts.Ui(UiText::CustomisedResolution)
                               : QString::fromStdString(table[static_cast<std::size_t>(i)].text),
                           i);
  }
}

bool ZOutputDlg::moreOn() const {
  return more_->isChecked();
}

void ZOutputDlg::ShowResolution(int entry) {
  const Limits::Active a = control_.EntryOf(entry);
  numbers_[HActive]->SetValue(a.h);
  numbers_[VActive]->SetValue(a.v);
  numbers_[Fps]->SetValue(a.fps);
  const DeviceStatusRecord& r = model_.rec;
  numbers_[HTotal]->SetValue(r.HTotal);
  numbers_[VTotal]->SetValue(r.VTotal);
  fields_.Refresh();
  ShowMore(false);
  const bool customised = entry == OutputControl::kCustomised;
  const std::array<QWidget*, 5> unlocked = {numbers_[HActive], numbers_[VActive], numbers_[Fps],
                                            apply_, more_};
  for (QWidget* w : unlocked) w->setEnabled(customised);
  resolutions_->SelectByValue(entry);
}

void ZOutputDlg::ShowTiming() {
  ShowResolution(control_.ShownResolution());
  const DeviceStatusRecord& r = model_.rec;
  numbers_[HActive]->SetValue(r.HReso);
  numbers_[VActive]->SetValue(r.VReso);
  numbers_[Fps]->SetValue(r.Fps / 100.0);
}

void ZOutputDlg::ChooseResolution(int entry) {
  if (PageFields::Closed(*this)) return;
  if (!control_.SelectResolution(entry, true)) return;
  ShowResolution(entry);
  if (entry != OutputControl::kCustomised) emit pageRequest(PageRequest::OutputResolution, 0);
}

void ZOutputDlg::ShowMore(bool on) {
  more_->setChecked(on);
  for (QWidget* w : timingSection_) w->setVisible(on);
  // The groups below move up while the timing section is closed.
  const int resolutionHeight = on ? 176 : 100;
  resolutionGroup_->setGeometry(8, 34, kWidth - 16, resolutionHeight);
  const int windowsTop = 34 + resolutionHeight + 8;
  windowsGroup_->setGeometry(8, windowsTop, kWidth - 16, 118);
  rotateGroup_->setGeometry(8, windowsTop + 126, kWidth - 16, 156);
  setFixedSize(kWidth, rotateGroup_->geometry().bottom() + 9);
}

Limits::Active ZOutputDlg::ActiveFields() const {
  return {static_cast<int>(numbers_[HActive]->value()),
          static_cast<int>(numbers_[VActive]->value()), numbers_[Fps]->value()};
}

Limits::Timing ZOutputDlg::TimingFields() const {
  const DeviceStatusRecord& r = model_.rec;
  // The sync and porch fields write the model as they are committed.
  return {.hTotal = static_cast<int>(numbers_[HTotal]->value()),
          .vTotal = static_cast<int>(numbers_[VTotal]->value()),
          .hSync = r.HSync,
          .vSync = r.VSync,
          .hbp = r.Hbp,
          .vbp = r.Vbp};
}

void ZOutputDlg::CommitActive(Field field) {
  if (PageFields::Closed(*this)) return;
  const Limits::Active typed = ActiveFields();
  const Limits::Timing timing = TimingFields();
  const bool more = moreOn();
  const Limits::Active limited = field == HActive   ? Limits::CommitH(typed, timing, more)
                                 : field == VActive ? Limits::CommitV(typed, timing, more)
                                                    : Limits::CommitFps(typed, timing, more);
  if (limited.h != typed.h) numbers_[HActive]->SetValue(limited.h);
  if (limited.v != typed.v) numbers_[VActive]->SetValue(limited.v);
  if (limited.fps != typed.fps) numbers_[Fps]->SetValue(limited.fps);
}

void ZOutputDlg::RaiseTotal(Field total) {
  if (PageFields::Closed(*this)) return;
  const Limits::Active active = ActiveFields();
  const Limits::Timing timing = TimingFields();
  if (total == HTotal) {
    numbers_[HTotal]->SetValue(Limits::RaisedHTotal(active.h, timing));
  } else {
    numbers_[VTotal]->SetValue(Limits::RaisedVTotal(active.v, timing));
  }
}

void ZOutputDlg::Apply() {
  if (PageFields::Closed(*this)) return;
  control_.Apply({.active = ActiveFields(),
                  .timing = TimingFields(),
                  .hPol = hPol_->entry(hPol_->selectedIndex()).value,
                  .vPol = vPol_->entry(vPol_->selectedIndex()).value,
                  .more = moreOn()});
  emit pageRequest(PageRequest::OutputResolution, 0);
}

void ZOutputDlg::ChooseWindow(int window) {
  if (window < 0 || window >= kWindowCount) return;
  window_ = window;
  windows_->Select(window);
  ShowWindow();
  ShowRotation();
}

void ZOutputDlg::ShowWindow() {
  const ChnlData& ch = model_.rec.Chnl[window_];
  const int values[] = {ch.HPos, ch.VPos, ch.HAct, ch.VAct};
  // A reply does not overwrite what the operator is typing.
  for (std::size_t i = 0; i < windowFields_.size(); ++i) windowFields_[i]->ShowValue(values[i]);
}

void ZOutputDlg::ShowRotation() {
  const int rotation = model_.rec.Chnl[window_].ChnlRotation;
  rotations_->Select(rotation);
  shown_ = Rotated(original_, rotation);
  picture_->setPixmap(QPixmap::fromImage(shown_).scaled(picture_->size(), Qt::KeepAspectRatio,
                                                        Qt::SmoothTransformation));
}

void ZOutputDlg::ChooseRotation(int rotation) {
  if (PageFields::Closed(*this)) return;
  control_.SetRotation(window_, rotation);
  ShowRotation();
}

void ZOutputDlg::CommitWindowField(WindowField field, double value) {
  if (PageFields::Closed(*this)) return;
  const Limits::Active active = ActiveFields();
  const int written =
      control_.SetWindowField(window_, field, static_cast<int>(value), active.h, active.v);
  windowFields_[static_cast<std::size_t>(field)]->SetValue(written);
  emit pageRequest(PageRequest::PlaceWindow, window_);
}

void ZOutputDlg::SizeWindow(WindowSize size) {
  if (PageFields::Closed(*this) || !control_.SizeWindow(window_, size)) return;
  ShowWindow();
  emit pageRequest(PageRequest::PlaceWindow, window_);
}

void ZOutputDlg::OnReply(ReplyKind kind, int) {
  switch (kind) {
    case ReplyKind::FullStateReply:
      windows_->FollowSwitcher(model_.rec);
      [[fallthrough]];
    case ReplyKind::OutputNotice:
      control_.KeepCustomisedEntry();
      ShowTiming();
      emit pageRequest(PageRequest::OutputResolution, 0);
      ShowWindow();
      ShowRotation();
      break;
    case ReplyKind::WindowGeometryReply:
      ShowWindow();
      ShowRotation();
      break;
    case ReplyKind::PvwModeReply:
      windows_->FollowSwitcher(model_.rec);
      break;
    default:
      break;
  }
}

void ZOutputDlg::OnPageRequest(PageRequest code, int argument, const QString&) {
  if (code == PageRequest::SelectWindow) ChooseWindow(argument);
}

void ZOutputDlg::hideEvent(QHideEvent* event) {
  ZBaseDialog::hideEvent(event);
  // Closing the page drops what was typed and not applied; the console
  // window being minimised does not.
  if (!event->spontaneous()) ShowTiming();
}

void ZOutputDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  resolutionGroup_->SetCaption(texts.Ui(UiText::OutputResolution));
  rotateGroup_->SetCaption(texts.Ui(UiText::Rotate));
  FillResolutions(texts);
  resolutions_->SelectByValue(control_.ShownResolution());
}

}  // namespace qv
