#include "ControlColumn.h"

#include <QPainter>

#include "widgets/CDropButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/WidgetColours.h"

namespace qv {

namespace {

// Captions of the groups, as UI string numbers, top to bottom.
constexpr std::array<int, 6> kGroupCaptions = {87, 88, 86, 7, 150, 137};
constexpr std::array<const char*, 6> kGroupDefaults = {"Connection Type",    "Connection Status",
                                                       "Switcher Mode",      "Sync Mode",
                                                       "Port Switch Method", "Video Display"};
constexpr int kGroupHeights[] = {52, 52, 52, 84, 84, 52};
constexpr int kSettingString = 97;
constexpr int kFirstGenlockString = 100;
constexpr int kFirstSyncModeString = 113;
constexpr int kGap = 8;

}  // namespace

ControlColumn::ControlColumn(const DeviceModel& model, QWidget* parent) : QWidget(parent) {
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    groups_[i] = new CSxGroupBox(kGroupDefaults[i], this);
  }
  linkKind_ = new QLabel(groups_[0]);
  linkKind_->setObjectName("linkKind");
  linkWhere_ = new QLabel(groups_[1]);
  linkWhere_->setObjectName("linkWhere");
  switcher_ = MakeButton(groups_[2], 1240, "SWITCH OFF");
  connect(switcher_, &QPushButton::clicked, this, &ControlColumn::switcherClicked);

  genlock_ = new CDropButton(groups_[3]);
  syncMode_ = new CDropButton(groups_[3]);
  portSwitch_ = new CDropButton(groups_[4]);
  signalSwitch_ = MakeButton(groups_[4], 1573, "Signal Switch");
  connect(genlock_, &CDropButton::chosen, this,
          [this](int, int32_t value) { emit listChosen(kGenlockListId, value); });
  connect(syncMode_, &CDropButton::chosen, this,
          [this](int, int32_t value) { emit listChosen(kSyncModeListId, value); });
  connect(portSwitch_, &CDropButton::chosen, this,
          [this](int, int32_t value) { emit listChosen(kPortSwitchListId, value); });
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
  FillSyncLists(nullptr, model);
  SetLink(true, false, {});
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
  genlock_->setGeometry(10, 20, inner, 24);
  syncMode_->setGeometry(10, 50, inner, 24);
  portSwitch_->setGeometry(10, 20, inner, 24);
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
  p.setPen(QColor(10, 10, 10));
  p.setBrush(lampOn_ ? QColor(40, 220, 80) : QColor(70, 70, 70));
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

void ControlColumn::FillSyncLists(const LanguageTexts* texts, const DeviceModel& model) {
  const auto fill = [texts](CDropButton& list, const std::vector<std::string>& builtin, int first) {
    list.Clear();
    for (std::size_t i = 0; i < builtin.size(); ++i) {
      QString text = texts ? texts->Ui(first + static_cast<int>(i)) : QString();
      if (text.isEmpty()) text = QString::fromStdString(builtin[i]);
      list.AddEntry(text.trimmed(), static_cast<int32_t>(i));
    }
  };
  fill(*genlock_, model.GenlockLabels, kFirstGenlockString);
  fill(*syncMode_, model.SyncModeLabels, kFirstSyncModeString);
  ShowModel(model);
}

void ControlColumn::ShowModel(const DeviceModel& model) {
  genlock_->SelectByValue(model.rec.SyncLockMode);
  syncMode_->SelectByValue(model.rec.SyncMode);
  portSwitch_->SelectByValue(model.rec.CmpBoardMode);
  // Without a composite board there is nothing to switch.
  groups_[4]->setEnabled(model.CompositeBoardActive());
}

void ControlColumn::SetPortSwitchEntries(const std::array<std::string, 5>& items, int32_t mode) {
  portSwitch_->Clear();
  for (std::size_t i = 0; i < items.size(); ++i) {
    portSwitch_->AddEntry(QString::fromStdString(items[i]), static_cast<int32_t>(i));
  }
  portSwitch_->SelectByValue(mode);
}

void ControlColumn::SetLanguage(Language language) {
  english_->setChecked(language == Language::English);
  chinese_->setChecked(language == Language::Chinese);
}

void ControlColumn::ApplyLanguage(const LanguageTexts& texts, const DeviceModel& model) {
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    const QString caption = texts.Ui(kGroupCaptions[i]);
    if (!caption.isEmpty()) groups_[i]->SetCaption(caption);
  }
  if (const QString setting = texts.Ui(kSettingString); !setting.isEmpty()) {
    videoSettings_->setText(setting);
  }
  FillSyncLists(&texts, model);
}

}  // namespace qv
