#include "ControlColumn.h"

#include <QPainter>

#include "link/Scheduler.h"
#include "widgets/CDropButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/WidgetColours.h"

namespace qv {

namespace {

// Captions of the groups, top to bottom.
constexpr std::array<UiText, 6> kGroupCaptions = {
    UiText::ConnectionType, UiText::ConnectionStatus, UiText::SwitcherModeGroup,
    UiText::SyncMode,       UiText::PortSwitchMethod, UiText::VideoDisplay};
constexpr std::array<const char*, 6> kGroupDefaults = {"Connection Type",    "Connection Status",
                                                       "Switcher Mode",      "Sync Mode",
                                                       "Port Switch Method", "Video Display"};
constexpr int kGroupHeights[] = {52, 52, 52, 84, 84, 52};
constexpr int kGap = 8;
constexpr int kInner = ControlColumn::kWidth - 20;
constexpr QRect kFirstLine(10, 20, kInner, 24);
constexpr QRect kSecondLine(10, 50, kInner, 24);

// Entries from a run of UI strings, one per built-in text (the model's
// reference table), which also stands in for a text the language file lacks.
std::function<std::vector<CDropList::Entry>(const LanguageTexts&)> EntriesFrom(
    UiText first, const std::vector<std::string>& builtin) {
  return [first, &builtin](const LanguageTexts& texts) {
    std::vector<CDropList::Entry> entries;
    for (std::size_t i = 0; i < builtin.size(); ++i) {
      QString text = texts.Ui(Nth(first, static_cast<int>(i)));
      if (text.isEmpty()) text = QString::fromStdString(builtin[i]);
      entries.push_back({text.trimmed(), static_cast<int32_t>(i)});
    }
    return entries;
  };
}

uint8_t Byte(int32_t v) {
  return static_cast<uint8_t>(v);
}

}  // namespace

ControlColumn::ControlColumn(const PageContext& context, QWidget* parent)
    : QWidget(parent), model_(context.model), fields_(context.encoder, context.texts, *this) {
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    groups_[i] = new CSxGroupBox(kGroupDefaults[i], this);
  }
  linkKind_ = new QLabel(groups_[0]);
  linkKind_->setObjectName("linkKind");
  linkWhere_ = new QLabel(groups_[1]);
  linkWhere_->setObjectName("linkWhere");
  switcher_ = MakeButton(groups_[2], 1240, "SWITCH OFF");
  connect(switcher_, &QPushButton::clicked, this, &ControlColumn::switcherClicked);

  AddFields(context);
  signalSwitch_ = MakeButton(groups_[4], 1573, "Signal Switch");
  connect(signalSwitch_, &QPushButton::clicked, this, &ControlColumn::signalSwitchClicked);

  preview_ = MakeButton(groups_[5], 1564, "Preview");
  videoSettings_ = MakeButton(groups_[5], 0, "Setting");
  connect(preview_, &QPushButton::clicked, this, &ControlColumn::previewClicked);
  connect(videoSettings_, &QPushButton::clicked, this, &ControlColumn::videoSettingsClicked);

  // Held down while pressed: the layers stay locked until it is pressed again.
  lockLayer_ = MakeButton(this, 1604, "Lock Layer");
  lockLayer_->setCheckable(true);
  connect(lockLayer_, &QPushButton::toggled, this, &ControlColumn::layersLockToggled);

  english_ = MakeButton(this, 1251, "English");
  chinese_ = MakeButton(this, 1252, QString::fromUtf8("中文"));
  for (QPushButton* b : {english_, chinese_}) b->setCheckable(true);
  english_->setChecked(true);
  connect(english_, &QPushButton::clicked, this, [this] {
    if (chinese_->isChecked()) {
      SetLanguage(Language::English);
      emit languageChosen(Language::English);
    } else {
      english_->setChecked(true);  // already the language: nothing changes
    }
  });
  connect(chinese_, &QPushButton::clicked, this, [this] {
    if (english_->isChecked()) {
      SetLanguage(Language::Chinese);
      emit languageChosen(Language::Chinese);
    } else {
      chinese_->setChecked(true);
    }
  });
  ShowModel();
  SetLink(true, false, {});
}

void ControlColumn::AddFields(const PageContext& context) {
  const DeviceModel& model = context.model;
  CommandEncoder& encoder = context.encoder;
  Scheduler& ui = context.ui;
  genlock_ = &fields_.Add<CDropButton>(
      *groups_[3],
      {.kind = FieldKind::Choice,
       .id = kGenlockListId,
       .place = kFirstLine,
       .entries = EntriesFrom(UiText::FreeRun, model.GenlockLabels),
       .get = [](const DeviceModel& m) { return m.rec.SyncLockMode; },
       .set = [](DeviceModel& m, double v) { m.rec.SyncLockMode = static_cast<int32_t>(v); },
       .send = FieldCommand{CommandType::SetSyncMode, [&model] {
                              return std::vector<uint8_t>{0, Byte(model.rec.SyncLockMode)};
                            }}});
  syncMode_ = &fields_.Add<CDropButton>(
      *groups_[3],
      {.kind = FieldKind::Choice,
       .id = kSyncModeListId,
       .place = kSecondLine,
       .entries = EntriesFrom(UiText::SyncAuto, model.SyncModeLabels),
       .get = [](const DeviceModel& m) { return m.rec.SyncMode; },
       .set = [](DeviceModel& m, double v) { m.rec.SyncMode = static_cast<int32_t>(v); },
       .send = FieldCommand{CommandType::SetSyncMode, [&model] {
                              return std::vector<uint8_t>{1, Byte(model.rec.SyncMode)};
                            }}});
  // The board reports its new state only when asked, a moment after the change.
  portSwitch_ = &fields_.Add<CDropButton>(
      *groups_[4],
      {.kind = FieldKind::Choice,
       .id = kPortSwitchListId,
       .place = kFirstLine,
       .entries =
           [](const LanguageTexts& texts) {
             std::vector<CDropList::Entry> entries;
             for (int i = 0; i < 5; ++i) {
               entries.push_back({texts.Ui(Nth(UiText::FixedToHdmi, i)), i});
             }
             return entries;
           },
       .get = [](const DeviceModel& m) { return m.rec.CmpBoardMode; },
       .set = [](DeviceModel& m, double v) { m.rec.CmpBoardMode = static_cast<int32_t>(v); },
       .send = FieldCommand{CommandType::CompositeBoardCommand,
                            [&model] {
                              return std::vector<uint8_t>{1, Byte(model.rec.CmpBoardMode)};
                            }},
       .after =
           [&encoder, &ui] {
             ui.PostDelayed(kBoardQueryDelayMs, [&encoder] {
               encoder.EncodeAndSend(CommandType::QueryCompositeBoard);
             });
           }});
}

void ControlColumn::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int w = width();
  int y = 0;
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    groups_[i]->setGeometry(0, y, w, kGroupHeights[i]);
    y += kGroupHeights[i] + kGap;
  }
  const int inner = w - 20;
  linkKind_->setGeometry(10, 20, inner, 24);
  linkWhere_->setGeometry(34, 20, inner - 24, 24);
  switcher_->setGeometry(10, 18, inner, 26);
  signalSwitch_->setGeometry(10, 50, inner, 26);
  preview_->setGeometry(10, 18, (inner - kGap) / 2, 26);
  videoSettings_->setGeometry(10 + (inner + kGap) / 2, 18, (inner - kGap) / 2, 26);
  lockLayer_->setGeometry(0, y, w, 28);
  y += 28 + kGap;
  english_->setGeometry(0, y, (w - kGap) / 2, 26);
  chinese_->setGeometry((w + kGap) / 2, y, (w - kGap) / 2, 26);
}

void ControlColumn::paintEvent(QPaintEvent*) {
  // The connection lamp sits at the start of the status group's line.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRect line = linkWhere_->geometry().translated(groups_[1]->pos());
  const QRect lamp(groups_[1]->x() + 12, line.center().y() - 6, 12, 12);
  p.setPen(colours::kLampRim);
  p.setBrush(lampOn_ ? colours::kLampOn : colours::kLampOff);
  p.drawEllipse(lamp);
}

void ControlColumn::SetLink(bool networkMode, bool answering, const QString& where) {
  linkKind_->setText(networkMode ? "LAN" : "COM");
  lampOn_ = answering;
  linkWhere_->setText(where);
  update();
}

void ControlColumn::SetSwitcher(bool on, const QString& text) {
  switcher_->setText(text);
  switcher_->setProperty("on", on);
}

void ControlColumn::ShowModel() {
  fields_.Refresh();
  // Without a composite board there is nothing to switch.
  groups_[4]->setEnabled(model_.CompositeBoardActive());
}

void ControlColumn::RefillPortSwitch() {
  fields_.RefillEntries();
}

void ControlColumn::SetLanguage(Language language) {
  english_->setChecked(language == Language::English);
  chinese_->setChecked(language == Language::Chinese);
}

void ControlColumn::ApplyLanguage(const LanguageTexts& texts) {
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    const QString caption = texts.Ui(kGroupCaptions[i]);
    if (!caption.isEmpty()) groups_[i]->SetCaption(caption);
  }
  if (const QString setting = texts.Ui(UiText::Setting); !setting.isEmpty()) {
    videoSettings_->setText(setting);
  }
  fields_.RefillEntries();
}

}  // namespace qv
