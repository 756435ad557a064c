#include "pages/picture/ZPicSettingDlg.h"

#include <QLabel>
#include <QPushButton>
#include <array>

#include "pages/common/WindowButtons.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ChoiceButtons.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/oSliderEdit.h"

namespace qv {

namespace {

using Field = PictureControl::Field;
using Shown = PictureControl::Shown;

constexpr int kModeList = 1800;
constexpr int kTemperatureList = 1822;

// The input-scope button's caption is the window's input; it has no text
// of its own for the language files.
constexpr std::array<ChoiceButtons::Choice, 2> kScopes = {{{0, ""}, {1810, "ALL"}}};

// The switches say their state.
QString SwitchCaption(bool on) {
  return on ? QStringLiteral("0n") : QStringLiteral("0ff");
}

int FieldValue(const Shown& s, Field field) {
  switch (field) {
    case Field::Brightness:
      return s.brightness;
    case Field::Contrast:
      return s.contrast;
    case Field::Saturation:
      return s.saturation;
    case Field::Hue:
      return s.hue;
    case Field::Sharpness:
      return s.sharpness;
    case Field::Red:
      return s.red;
    case Field::Green:
      return s.green;
    case Field::Blue:
      break;
  }
  return s.blue;
}

}  // namespace

ZPicSettingDlg::ZPicSettingDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::PictureTitle, parent),
      model_(context.model),
      texts_(context.texts),
      control_(context.encoder),
      fields_(context.encoder, context.texts, *this) {
  setFixedSize(kWidth, kHeight);
  BuildScope();
  BuildMode();
  BuildAdjustments();
  BuildColour();
  auto* resetAll = MakeButton(this, 1831, "Reset Picture Settings", QRect(334, 312, 318, 32));
  connect(resetAll, &QPushButton::clicked, this, &ZPicSettingDlg::ResetPictures);
  Reload();
  hide();
}

void ZPicSettingDlg::BuildScope() {
  auto* g = new CSxGroupBox(QString(), this);
  g->setGeometry(8, 34, kWidth - 16, 54);
  windows_ = new WindowButtons(g, WindowButtonLabels::DualPreview::ChoosesFirstPanel);
  windows_->setGeometry(12, 14, 360, 28);
  connect(windows_, &WindowButtons::windowChosen, this, &ZPicSettingDlg::ChooseWindow);
  MakeLabel(g, 1808, "Input :", QRect(386, 14, 56, 28));
  scope_ = new ChoiceButtons(kScopes, 2, g);
  scope_->setGeometry(444, 14, 186, 28);
  connect(scope_, &ChoiceButtons::chosen, this,
          [this](int index) { control_.SetAll(window_, index == 1); });
}

void ZPicSettingDlg::BuildMode() {
  modeGroup_ = new CSxGroupBox(texts_.Ui(UiText::PictureMode), this);
  modeGroup_->setGeometry(8, 96, 318, 150);
  CSxGroupBox& g = *modeGroup_;
  modes_ = &fields_.Add<CDropButton>(
      g, {.kind = FieldKind::Choice,
          .id = kModeList,
          .place = {12, 26, 200, 24},
          .entries =
              [](const LanguageTexts& texts) {
                std::vector<CDropList::Entry> entries;
                for (int m = 0; m < PictureControl::kModeCount; ++m) {
                  entries.push_back({texts.Ui(Nth(UiText::Standard, m)), m});
                }
                return entries;
              },
          .get = [this](const DeviceModel&) { return control_.Show(window_).mode; },
          .set = [this](DeviceModel&, double v) { control_.ChooseMode(window_, int(v)); },
          .after = [this] { Reload(); }});

  brightLevel_ = &fields_.Add<oSliderEdit>(
      g, {.kind = FieldKind::Slider,
          .id = 1802,
          .place = {104, 60, 150, 24},
          .label = {.id = 1801, .text = "Bright Level :", .place = {12, 60, 90, 24}},
          .minimum = 0,
          .maximum = 16,
          .get = [this](const DeviceModel&) { return control_.Show(window_).brightLevel; },
          .set = [this](DeviceModel&, double v) { control_.SetBrightLevel(window_, int(v)); },
          .after = [this] { Reload(); }});
  brightSwitch_ = &fields_.Add<CGdipButton>(
      g, {.kind = FieldKind::Switch,
          .id = 1803,
          .place = {262, 60, 44, 24},
          .label = {.text = "0ff"},
          .get = [this](const DeviceModel&) { return control_.Show(window_).brightOn(); },
          .set =
              [this](DeviceModel&, double on) {
                control_.SwitchBrightLevel(window_, on != 0, int(brightLevel_->value()));
              },
          .after = [this] { Reload(); }});
  gamma_ = &fields_.Add<oSliderEdit>(
      g, {.kind = FieldKind::Slider,
          .id = 1805,
          .place = {104, 94, 150, 24},
          .label = {.id = 1804, .text = "Gamma :", .place = {12, 94, 90, 24}},
          .minimum = 0,
          .maximum = 5,
          .format = NumberFormat::Fixed1,
          .get = [this](const DeviceModel&) { return control_.Show(window_).gamma; },
          .set = [this](DeviceModel&, double v) { control_.SetGamma(window_, v); },
          .after = [this] { Reload(); }});
  gammaSwitch_ = &fields_.Add<CGdipButton>(
      g, {.kind = FieldKind::Switch,
          .id = 1806,
          .place = {262, 94, 44, 24},
          .label = {.text = "0ff"},
          .get = [this](const DeviceModel&) { return control_.Show(window_).gammaOn(); },
          .set =
              [this](DeviceModel&, double on) {
                control_.SwitchGamma(window_, on != 0, gamma_->value());
              },
          .after = [this] { Reload(); }});
  MakeLabel(&g, 1807, "(0~5.0)  ", QRect(104, 120, 150, 20));
  NameSwitches();
}

// A switch's caption is its state: it is named after its slider's label.
void ZPicSettingDlg::NameSwitches() {
  for (auto [button, slider] : {std::pair{brightSwitch_, brightLevel_}, std::pair{gammaSwitch_, gamma_}}) {
    for (const QLabel* label : modeGroup_->findChildren<QLabel*>()) {
      if (label->buddy() == slider) button->setAccessibleName(label->text());
    }
  }
}

oSliderEdit* ZPicSettingDlg::AddSlider(QWidget& parent, int labelId, const char* label,
                                       QRect labelPlace, QRect place, int maximum, Field field) {
  return &fields_.Add<oSliderEdit>(
      parent, {.kind = FieldKind::Slider,
               .id = labelId + 1,
               .place = place,
               .label = {.id = labelId, .text = label, .place = labelPlace},
               .minimum = 0,
               .maximum = static_cast<double>(maximum),
               .get = [this, field](const DeviceModel&) {
                 return FieldValue(control_.Show(window_), field);
               },
               .set = [this, field](DeviceModel&,
                                    double v) { control_.SetField(window_, field, int(v)); },
               .after = [this] { Reload(); }});
}

void ZPicSettingDlg::BuildAdjustments() {
  auto* g = new CSxGroupBox(QString(), this);
  g->setGeometry(8, 254, 318, 172);
  struct Row {
    int labelId;
    const char* label;
    int maximum;
    Field field;
  };
  constexpr Row rows[] = {{1811, "Brightness :", 100, Field::Brightness},
                          {1813, "Contrast :", 100, Field::Contrast},
                          {1815, "Saturation :", 100, Field::Saturation},
                          {1817, "Hue :", 100, Field::Hue},
                          {1819, "Sharpness :", 24, Field::Sharpness}};
  int y = 14;
  for (const Row& r : rows) {
    const int width = r.field == Field::Sharpness ? 166 : 200;
    adjustments_.push_back(
        AddSlider(*g, r.labelId, r.label, {12, y, 90, 24}, {104, y, width, 24}, r.maximum, r.field));
    y += 31;
  }
  MakeLabel(g, 1821, "≤24", QRect(274, y - 31, 34, 24));
}

void ZPicSettingDlg::BuildColour() {
  colourGroup_ = new CSxGroupBox(texts_.Ui(UiText::ColorTemperature), this);
  colourGroup_->setGeometry(334, 96, 318, 204);
  CSxGroupBox& g = *colourGroup_;
  temperatures_ = &fields_.Add<CDropButton>(
      g, {.kind = FieldKind::Choice,
          .id = kTemperatureList,
          .place = {12, 26, 180, 24},
          .entries =
              [this](const LanguageTexts& texts) {
                std::vector<CDropList::Entry> entries;
                const std::vector<std::string>& labels = model_.ColorTempLabels;
                for (int t = 0; t < PictureControl::kUserColourTemperature; ++t) {
                  entries.push_back({t < static_cast<int>(labels.size())
                                         ? QString::fromStdString(labels[static_cast<std::size_t>(t)])
                                         : QString(),
                                     t});
                }
                entries.push_back(
                    {texts.Ui(UiText::KeyerUser), PictureControl::kUserColourTemperature});
                return entries;
              },
          .get = [this](const DeviceModel&) { return control_.Show(window_).colourTemperature; },
          .set =
              [this](DeviceModel&, double v) {
                control_.ChooseColourTemperature(window_, int(v));
              },
          .after = [this] { Reload(); }});
  resetColour_ = MakeButton(&g, 1823, "Reset", QRect(204, 26, 100, 24));
  connect(resetColour_, &QPushButton::clicked, this, &ZPicSettingDlg::ResetColour);
  constexpr struct {
    int labelId;
    const char* label;
    Field field;
  } rows[] = {{1825, "Red :", Field::Red}, {1827, "Green :", Field::Green}, {1829, "Blue :", Field::Blue}};
  int y = 66;
  for (const auto& r : rows) {
    gains_.push_back(AddSlider(g, r.labelId, r.label, {12, y, 70, 24}, {84, y, 220, 24}, 255, r.field));
    y += 34;
  }
}

void ZPicSettingDlg::Reload() {
  fields_.Refresh();
  const Shown s = control_.Show(window_);
  brightSwitch_->setText(SwitchCaption(s.brightOn()));
  gammaSwitch_->setText(SwitchCaption(s.gammaOn()));
  brightSwitch_->setEnabled(s.adjustable);
  gammaSwitch_->setEnabled(s.adjustable);
  brightLevel_->setEnabled(s.adjustable && s.brightOn());
  gamma_->setEnabled(s.adjustable && s.gammaOn());
  for (oSliderEdit* a : adjustments_) a->setEnabled(s.adjustable);
  for (oSliderEdit* g : gains_) g->setEnabled(s.adjustable && s.gainsAdjustable);
  temperatures_->setEnabled(s.adjustable);
  resetColour_->setEnabled(s.adjustable);

  scope_->Select(control_.all(window_) ? 1 : 0);
  scope_->button(0)->setText(QString::fromStdString(model_.WindowInputName(window_)));
}

void ZPicSettingDlg::ChooseWindow(int window) {
  if (window < 0 || window >= kWindowCount || window == window_) return;
  window_ = window;
  windows_->Select(window);
  Reload();
}

void ZPicSettingDlg::ResetColour() {
  if (PageFields::Closed(*this)) return;
  control_.ResetColour(window_);
  // The processor answers with the record reset; until then the list says so.
  temperatures_->SelectByValue(PictureControl::kUserColourTemperature);
}

void ZPicSettingDlg::ResetPictures() {
  if (PageFields::Closed(*this)) return;
  control_.ResetPictures(window_);
  Reload();
}

void ZPicSettingDlg::OnReply(ReplyKind kind, int) {
  switch (kind) {
    case ReplyKind::FullStateReply:
    case ReplyKind::PvwModeReply:
      windows_->FollowSwitcher(model_.rec);
      Reload();
      break;
    case ReplyKind::PictureReply:
    case ReplyKind::WindowSourcesReply:
    case ReplyKind::DpModeReply:
    case ReplyKind::CompositeBoardReply:
      // The record shown follows the window's input and its source group.
      Reload();
      break;
    default:
      break;
  }
}

void ZPicSettingDlg::OnPageRequest(PageRequest code, int argument, const QString&) {
  if (code == PageRequest::InputChanged && argument == window_) Reload();
}

void ZPicSettingDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  modeGroup_->SetCaption(texts.Ui(UiText::PictureMode));
  colourGroup_->SetCaption(texts.Ui(UiText::ColorTemperature));
  fields_.RefillEntries();
  NameSwitches();
  Reload();
}

}  // namespace qv
