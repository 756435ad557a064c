#include "pages/video/ZVideoSettingDlg.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <optional>
#include <vector>

#include "link/CommandEncoder.h"
#include "widgets/CDropButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/oRealEdit.h"

namespace qv {

namespace {

constexpr int kQualityList = 65398;
constexpr int kResolutionList = 65397;
constexpr int kFrameRate = 1565;
constexpr int kBitRate = 1566;
constexpr int kPackagePath = 1555;
constexpr int kBrowse = 1556;
constexpr int kUpdate = 1552;
constexpr int kStatus = 1570;
constexpr int kVersion = 1571;

struct Preset {
  int frameRate;
  int code;     // resolution code
  int bitRate;  // kbit/s
};
// "Fluency", "Standard Definition", "High Definition", "Ultra Clear".
constexpr std::array<Preset, 4> kPresets = {
    {{15, 21, 1024}, {15, 7, 3072}, {7, 16, 6144}, {7, 17, 8192}}};
constexpr int kInitialPreset = 3;

struct Resolution {
  const char* text;
  int code;
};
constexpr std::array<Resolution, 7> kResolutions = {{{"352*240", 1},
                                                     {"480*270", 21},
                                                     {"640*360", 20},
                                                     {"640*480", 7},
                                                     {"960*540", 19},
                                                     {"1280*720", 16},
                                                     {"1920*1080", 17}}};

std::optional<int> PresetOfCode(int code) {
  for (std::size_t i = 0; i < kPresets.size(); ++i) {
    if (kPresets[i].code == code) return static_cast<int>(i);
  }
  return std::nullopt;
}

uint8_t High(int value) {
  return static_cast<uint8_t>(value >> 8);
}
uint8_t Low(int value) {
  return static_cast<uint8_t>(value);
}

}  // namespace

ZVideoSettingDlg::ZVideoSettingDlg(const PageContext& context, QWidget* parent,
                                   EncoderUpload::Options upload)
    : ZBaseDialog(kTemplateId, UiText::VideoSettingsTitle, parent),
      encoder_(context.encoder),
      texts_(context.texts),
      preset_(kInitialPreset),
      upload_(upload) {
  setFixedSize(kWidth, kHeight);

  displayGroup_ = new CSxGroupBox(texts_.Ui(UiText::VideoDisplay), this);
  displayGroup_->setGeometry(8, 36, kWidth - 16, 64);
  QLabel* qualityLabel = MakeLabel(displayGroup_, 1590, "Quality:", QRect(12, 26, 84, 24));
  quality_ = MakeControl<CDropButton>(displayGroup_, kQualityList, QRect(100, 26, 200, 24));
  qualityLabel->setBuddy(quality_);
  FillQualityList(texts_);
  version_ = MakeControl<QLabel>(displayGroup_, kVersion, QRect(320, 26, 212, 24));
  version_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  // The encoder's settings one by one: kept up to date from its status
  // replies but not shown, the presets being what the operator chooses from.
  std::vector<QWidget*> details = {
      MakeLabel(displayGroup_, 1591, "Resolution:", QRect(12, 60, 84, 24)),
      resolution_ =
          MakeControl<CDropButton>(displayGroup_, kResolutionList, QRect(100, 60, 120, 24)),
      MakeLabel(displayGroup_, 1592, "Frame Rate:", QRect(228, 60, 72, 24)),
      frameRate_ = MakeControl<oRealEdit>(displayGroup_, kFrameRate, QRect(300, 60, 40, 24)),
      MakeLabel(displayGroup_, 1593, "FPS", QRect(344, 60, 30, 24)),
      MakeLabel(displayGroup_, 1594, "Bit Rate:", QRect(380, 60, 56, 24)),
      bitRate_ = MakeControl<oRealEdit>(displayGroup_, kBitRate, QRect(436, 60, 56, 24)),
      MakeLabel(displayGroup_, 1595, "Kbps", QRect(496, 60, 36, 24)),
  };
  for (QWidget* w : details) w->hide();
  // Each label names the control after it.
  for (std::size_t i = 0; i + 1 < details.size(); ++i) {
    if (auto* label = qobject_cast<QLabel*>(details[i]);
        label && !qobject_cast<QLabel*>(details[i + 1])) {
      label->setBuddy(details[i + 1]);
    }
  }
  for (const Resolution& r : kResolutions) resolution_->AddEntry(r.text, r.code);
  resolution_->SelectByValue(kPresets[kInitialPreset].code);
  frameRate_->SetUp(15, 1, 60, true, NumberFormat::Int);
  bitRate_->SetUp(6144, 2, 40960, true, NumberFormat::Int);

  updateGroup_ = new CSxGroupBox(texts_.Ui(UiText::Update), this);
  updateGroup_->setGeometry(8, 112, kWidth - 16, 128);
  path_ = MakeControl<QLineEdit>(updateGroup_, kPackagePath, QRect(12, 26, 400, 24));
  // Only "Browse" fills it, so that nothing but the package is ever sent.
  path_->setReadOnly(true);
  path_->setAccessibleName(updateGroup_->caption());
  auto* browse = MakeButton(updateGroup_, kBrowse, "Browse", QRect(420, 26, 112, 24));
  progress_ = new QProgressBar(updateGroup_);
  progress_->setGeometry(12, 62, 400, 20);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  auto* update = MakeButton(updateGroup_, kUpdate, "Update", QRect(420, 59, 112, 26));
  status_ = MakeControl<QLabel>(updateGroup_, kStatus, QRect(12, 92, 520, 24));

  connect(quality_, &CDropButton::chosen, this,
          [this](int, int32_t preset) { ChooseQuality(preset); });
  connect(resolution_, &CDropButton::chosen, this,
          [this](int, int32_t code) { ChooseResolution(code); });
  connect(frameRate_, &oRealEdit::committed, this, &ZVideoSettingDlg::SendEdits);
  connect(bitRate_, &oRealEdit::committed, this, &ZVideoSettingDlg::SendEdits);
  connect(browse, &QPushButton::clicked, this, &ZVideoSettingDlg::Browse);
  connect(update, &QPushButton::clicked, this, &ZVideoSettingDlg::Update);
  hide();
}

void ZVideoSettingDlg::FillQualityList(const LanguageTexts& texts) {
  quality_->Clear();
  for (int i = 0; i < static_cast<int>(kPresets.size()); ++i) {
    quality_->AddEntry(texts.Ui(Nth(UiText::Fluency, i)), i);
  }
  quality_->SelectByValue(preset_);
}

void ZVideoSettingDlg::SendSettings(int frameRate, int code, int bitRate) {
  const uint8_t rate = static_cast<uint8_t>(frameRate);
  const uint8_t size = static_cast<uint8_t>(code);
  encoder_.EncodeAndSend(
      CommandType::VideoEncoderSettings,
      {0, rate, size, High(bitRate), Low(bitRate), rate, size, High(bitRate), Low(bitRate)});
}

void ZVideoSettingDlg::ChooseQuality(int preset) {
  if (preset < 0 || preset >= static_cast<int>(kPresets.size())) return;
  const Preset& p = kPresets[preset];
  preset_ = preset;
  SendSettings(p.frameRate, p.code, p.bitRate);
  emit pageRequest(PageRequest::PreviewSize, p.code);
}

void ZVideoSettingDlg::ChooseResolution(int code) {
  SendSettings(static_cast<int>(frameRate_->value()), code, static_cast<int>(bitRate_->value()));
  emit pageRequest(PageRequest::PreviewSize, code);
}

// A typed value goes with the resolution chosen in the list; the second set
// of settings is sent empty (255).
void ZVideoSettingDlg::SendEdits() {
  const int bitRate = static_cast<int>(bitRate_->value());
  encoder_.EncodeAndSend(
      CommandType::VideoEncoderSettings,
      {0, static_cast<uint8_t>(frameRate_->value()),
       static_cast<uint8_t>(resolution_->entry(resolution_->selectedIndex()).value), High(bitRate),
       Low(bitRate), 255, 255, 255, 255});
}

void ZVideoSettingDlg::OnReply(ReplyKind kind, int) {
  if (kind == ReplyKind::EncoderStatusReply) OnEncoderStatus(encoder_.model().EncoderStatus);
}

void ZVideoSettingDlg::OnEncoderStatus(const std::array<uint8_t, 10>& status) {
  switch (status[0]) {
    case 0:
      encoderAddress_ =
          QStringLiteral("%1.%2.%3.%4").arg(status[5]).arg(status[6]).arg(status[7]).arg(status[8]);
      break;
    case 1:
      version_->setText(QString::asprintf("Version:%04x", status[1] * 256 + status[2]));
      break;
    case 2:
      ShowEncoderSettings(status);
      break;
    default:
      break;
  }
}

void ZVideoSettingDlg::ShowEncoderSettings(const std::array<uint8_t, 10>& status) {
  const int code = status[3];
  // A size no preset has (the encoder's factory 352 x 240 among them) is not
  // one the page can show: it keeps what it shows, frame rate included.
  const std::optional<int> preset = PresetOfCode(code);
  if (!preset) return;
  if (*preset != preset_) emit pageRequest(PageRequest::PreviewSize, code);
  preset_ = *preset;
  quality_->SelectByValue(preset_);
  resolution_->SelectByValue(code);
  frameRate_->SetValue(status[2]);
  bitRate_->SetValue(status[4] * 256 + status[5]);
}

bool ZVideoSettingDlg::AcceptsPackage(const QString& path) {
  return QFileInfo(path).fileName() == QLatin1String(kPackageName);
}

void ZVideoSettingDlg::ChoosePackage(const QString& path) {
  if (AcceptsPackage(path)) path_->setText(path);
}

QString ZVideoSettingDlg::packagePath() const {
  return path_->text();
}

void ZVideoSettingDlg::Browse() {
  const QString folder = path_->text().isEmpty() ? QString() : QFileInfo(path_->text()).path();
  ChoosePackage(QFileDialog::getOpenFileName(this, QString(), folder, "All Filter (*)"));
}

void ZVideoSettingDlg::Update() {
  const bool started = upload_.Start(
      encoderAddress_.toStdString(), QFile::encodeName(path_->text()).toStdString(),
      [this](int percent) { toPage_.Post([this, percent] { ShowProgress(percent); }); });
  // A press during an upload changes nothing: one package at a time.
  if (!started) return;
  progress_->setValue(0);
  status_->clear();
}

void ZVideoSettingDlg::ShowProgress(int percent) {
  if (percent == EncoderUpload::kFailed) {
    status_->setText(texts_.Ui(UiText::UpdateFailure));
    return;
  }
  progress_->setValue(std::clamp(percent, progress_->minimum(), progress_->maximum()));
  if (percent == EncoderUpload::kDone) {
    status_->setText(texts_.Ui(UiText::UpdateSuccess));
  } else if (percent % 10 == 0) {
    status_->setText(QStringLiteral("%1%").arg(percent));
  }
}

void ZVideoSettingDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  displayGroup_->SetCaption(texts_.Ui(UiText::VideoDisplay));
  updateGroup_->SetCaption(texts.Ui(UiText::Update));
  FillQualityList(texts);
}

}  // namespace qv
