#include "ZulanDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QStyle>

#include "comm/CommLibrary.h"
#include "link/ReplyKind.h"

namespace qv {

namespace {

constexpr int kTopStrip = 112;
constexpr int kLeftColumn = 118;
constexpr int kBottomStrip = 70;

const QColor kBackground(16, 16, 16);
const QColor kOrange(239, 156, 0);

struct PageButtonSpec {
  int controlId;
  const char* text;
};

// By page index; the LED configuration page (10) has no button of its own.
constexpr std::array<PageButtonSpec, ZulanDlg::kPageCount> kPageButtons = {{
    {1021, "PICTURE"}, {1025, "OUTPUT"}, {1180, "MOSAIC"}, {1245, "KEYER"},
    {1123, "PIP"}, {1126, "CROP"}, {1241, "LOGO"}, {1179, "EDID"},
    {1183, "VGA ADJ."}, {1244, "MISC"}, {0, nullptr}, {1178, "COMM"},
}};

constexpr int kFirstPresetId = 1223;

const char* const kStyle = R"(
QPushButton {
  color: rgb(235,235,235); background: rgb(40,40,40);
  border: 1px solid rgb(72,72,72); border-radius: 3px; padding: 2px 6px;
}
QPushButton:hover { background: rgb(56,56,56); }
QPushButton:pressed { background: rgb(24,24,24); }
QPushButton:checked { color: rgb(16,16,16); background: rgb(239,156,0); border-color: rgb(255,190,60); }
QPushButton:disabled { color: rgb(110,110,110); background: rgb(28,28,28); border-color: rgb(44,44,44); }
QPushButton[stored="true"] { border-color: rgb(239,156,0); }
QPushButton#take { color: rgb(255,255,255); background: rgb(160,24,24); font-weight: bold; }
QPushButton#take:pressed { background: rgb(110,16,16); }
QLabel { color: rgb(239,156,0); }
)";

QPushButton* MakeButton(QWidget* parent, const QString& text, int controlId) {
  auto* button = new QPushButton(text, parent);
  button->setFocusPolicy(Qt::NoFocus);
  if (controlId != 0) button->setProperty("controlId", controlId);
  return button;
}

}  // namespace

ZulanDlg::ZulanDlg(std::unique_ptr<CommLink> link, SettingsLocation location, QWidget* parent)
    : QWidget(parent),
      core_(std::make_unique<ConsoleCore>(Model(), std::move(link), std::move(location), *this)),
      presets_(std::make_unique<PresetControl>(core_->encoder())) {
  setStyleSheet(kStyle);
  setMinimumSize(kMinWidth, kMinHeight);
  resize(kMinWidth, kMinHeight);  // Qt scales device-independent pixels by the screen's DPI
  BuildControls();
  waiting_ = new WaitingDialog(this);
  prompts_.inform = [this](const QString& text) {
    QMessageBox::information(this, Ui(38), text);
  };
  prompts_.confirm = [this](const QString& text) {
    return QMessageBox::question(this, Ui(38), text, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
  };
  titleTimer_.setInterval(kTitleTimerMs);
  connect(&titleTimer_, &QTimer::timeout, this, &ZulanDlg::TickTitle);
  setWindowTitle(kProductTitle);
}

ZulanDlg::~ZulanDlg() = default;

QString ZulanDlg::Ui(int index) const {
  return QString::fromStdString(core_->strings().Get(index));
}

void ZulanDlg::BuildControls() {
  for (int i = 0; i < kPageCount; ++i) {
    if (!kPageButtons[i].text) continue;
    pageButtons_[i] = MakeButton(this, kPageButtons[i].text, kPageButtons[i].controlId);
    // The pages come with their own work; until then their buttons stay off.
    pageButtons_[i]->setEnabled(false);
  }
  testPatternButton_ = MakeButton(this, "TEST PATTERN", 1242);
  timeTaskButton_ = MakeButton(this, "TIME/TASK", 1243);
  testPatternButton_->setEnabled(false);
  timeTaskButton_->setEnabled(false);

  presetListButton_ = MakeButton(this, "Presets", 1237);
  templateListButton_ = MakeButton(this, "Templates", 1238);
  for (QPushButton* list : {presetListButton_, templateListButton_}) list->setCheckable(true);
  presetListButton_->setChecked(true);
  connect(presetListButton_, &QPushButton::clicked, this,
          [this] { ChoosePresetList(PresetControl::List::Presets); });
  connect(templateListButton_, &QPushButton::clicked, this,
          [this] { ChoosePresetList(PresetControl::List::Templates); });
  for (int n = 0; n < kPresetCount; ++n) {
    presetButtons_[n] = MakeButton(this, QString::number(n + 1), kFirstPresetId + n);
    presetButtons_[n]->setCheckable(true);
    connect(presetButtons_[n], &QPushButton::clicked, this, [this, n] { ChoosePreset(n); });
    presetNames_[n] = new QLabel(this);
    presetNames_[n]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  }
  loadButton_ = MakeButton(this, "Load", 1246);
  saveButton_ = MakeButton(this, "Save", 1236);
  freezeButton_ = MakeButton(this, "Freeze", 1601);
  freezeButton_->setCheckable(true);
  takeButton_ = MakeButton(this, "TAKE", 1451);
  takeButton_->setObjectName("take");
  takeButton_->hide();
  connect(loadButton_, &QPushButton::clicked, this, &ZulanDlg::LoadPreset);
  connect(saveButton_, &QPushButton::clicked, this, &ZulanDlg::SavePreset);
  connect(takeButton_, &QPushButton::clicked, this, &ZulanDlg::Take);
  connect(freezeButton_, &QPushButton::toggled, this, [this](bool on) {
    core_->encoder().EncodeAndSend(CommandType::SetFreeze, {static_cast<uint8_t>(on ? 1 : 0)});
  });

  lampLabel_ = new QLabel(this);
  outputs_ = new QWidget(this);
  outputs_->setAttribute(Qt::WA_StyledBackground, true);
  outputs_->setStyleSheet("background: rgb(24,24,24); border: 1px solid rgb(48,48,48);");
}

void ZulanDlg::LayOut() {
  const int w = width(), h = height();
  int y = kTopStrip + 8;
  for (int i = 0; i < kPageCount; ++i) {
    if (!pageButtons_[i]) continue;
    pageButtons_[i]->setGeometry(8, y, kLeftColumn - 16, 28);
    y += 34;
  }
  testPatternButton_->setGeometry(8, y + 8, kLeftColumn - 16, 28);
  timeTaskButton_->setGeometry(8, y + 42, kLeftColumn - 16, 28);

  outputs_->setGeometry(kLeftColumn, kTopStrip + 8, w - kLeftColumn - 8,
                        h - kTopStrip - kBottomStrip - 16);

  const int by = h - kBottomStrip + 4;
  presetListButton_->setGeometry(8, by, 64, 26);
  templateListButton_->setGeometry(76, by, 84, 26);
  int x = 172;
  for (int n = 0; n < kPresetCount; ++n) {
    presetButtons_[n]->setGeometry(x, by, 40, 26);
    presetNames_[n]->setGeometry(x - 8, by + 30, 56, 18);
    x += 46;
  }
  loadButton_->setGeometry(x + 8, by, 60, 26);
  saveButton_->setGeometry(x + 72, by, 60, 26);
  freezeButton_->setGeometry(x + 148, by, 70, 26);
  takeButton_->setGeometry(w - 220, by - 4, 110, 40);
  lampLabel_->setGeometry(w - 100, by + 4, 92, 20);
}

void ZulanDlg::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

void ZulanDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kBackground);
  p.fillRect(QRect(0, height() - kBottomStrip - 4, width(), 1), QColor(48, 48, 48));
  // The link lamp: green while the processor answers.
  const QRect lamp(width() - 118, height() - kBottomStrip + 10, 12, 12);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(20, 20, 20));
  p.setBrush(linkLamp_ ? QColor(40, 220, 80) : QColor(70, 70, 70));
  p.drawEllipse(lamp);
}

void ZulanDlg::Start(const std::string& localeName,
                     const std::filesystem::path& shippedLanguages) {
  core_->Start(localeName, shippedLanguages);
  ApplyLanguage();
  RefreshPresetButtons();
  RefreshSwitcher();
  titleShowsProduct_ = false;
  titleTimer_.start();
}

void ZulanDlg::ApplyLanguage() {
  const LanguageFiles& texts = core_->languages();
  if (const std::string title = texts.LookupString("IDD102_Title"); !title.empty()) {
    setWindowTitle(QString::fromStdString(title));
  }
  for (QPushButton* button : findChildren<QPushButton*>()) {
    const QVariant id = button->property("controlId");
    if (!id.isValid()) continue;
    const std::string text = texts.LookupString("IDS_" + std::to_string(id.toInt()));
    if (!text.empty()) button->setText(QString::fromStdString(text));
  }
  loadButton_->setText(Ui(80).isEmpty() ? loadButton_->text() : Ui(80));
  saveButton_->setText(Ui(81).isEmpty() ? saveButton_->text() : Ui(81));
  RefreshPresetButtons();
  update();
}

void ZulanDlg::RefreshPresetButtons() {
  const bool presets = presets_->list() == PresetControl::List::Presets;
  const int bank = presets ? 0 : 1;
  for (int n = 0; n < kPresetCount; ++n) {
    QPushButton* button = presetButtons_[n];
    button->setChecked(presets_->current() == n);
    button->setProperty("stored", presets && core_->model().PresetValid[n] != 0);
    button->style()->unpolish(button);
    button->style()->polish(button);
    presetNames_[n]->setText(QString::fromStdString(core_->settings().PresetName(bank, n)));
  }
  presetListButton_->setChecked(presets);
  templateListButton_->setChecked(!presets);
}

void ZulanDlg::RefreshSwitcher() { takeButton_->setVisible(core_->model().rec.PvwMode != 0); }

void ZulanDlg::SetLinkLamp(bool on) {
  linkLamp_ = on;
  lampLabel_->setText(on ? QString::fromStdString(pendingHost_) : QString());
  update();
}

void ZulanDlg::TickTitle() {
  titleShowsProduct_ = !titleShowsProduct_;
  setWindowTitle(titleShowsProduct_ ? QString(kProductTitle)
                                    : QString::fromStdString(core_->project().ProjectPath()));
}

void ZulanDlg::ConnectTo(const std::string& host, int port) {
  DeviceModel& model = core_->model();
  const uint8_t address = comm::CommLibrary::DeviceAddressOf(host);
  pendingConnect_ = address;
  pendingHost_ = host;
  model.TargetAddress = address;
  const uint8_t list[] = {address};
  core_->link().CommSetAddressList(list);
  core_->link().CommOpenHost(host, port);
}

void ZulanDlg::Notify(int kind, int arg) {
  lastNotifyKind_ = kind;
  lastNotifyArg_ = arg;
  const DeviceModel& model = core_->model();
  switch (static_cast<ReplyKind>(kind)) {
    case ReplyKind::SearchStatusReply:
      if (model.ReplyAddress != pendingConnect_) break;
      SetLinkLamp(model.ReplyArrived != 0);
      if (model.ReplyArrived != 0) {
        // The target is (back) on the link: read all it holds.
        core_->link().CommSelectHost(pendingHost_);
        core_->encoder().EncodeAndSend(CommandType::QueryFullState);
        waiting_->ShowWaiting(Ui(82));
      }
      break;
    case ReplyKind::FullStateReply:
      RefreshPresetButtons();
      RefreshSwitcher();
      update();
      break;
    case ReplyKind::PresetFlagsReply:
      RefreshPresetButtons();
      break;
    case ReplyKind::PvwModeReply:
      RefreshSwitcher();
      break;
    default:
      break;
  }
}

void ZulanDlg::CloseWaitingDialog() { waiting_->HideWaiting(); }

void ZulanDlg::ChoosePresetList(PresetControl::List list) {
  presets_->SetList(list);
  RefreshPresetButtons();
}

void ZulanDlg::ChoosePreset(int number) {
  presets_->Choose(number);
  RefreshPresetButtons();
}

void ZulanDlg::LoadPreset() {
  switch (presets_->Load()) {
    case PresetControl::Outcome::Invalid:
      prompts_.inform(Ui(36));
      break;
    case PresetControl::Outcome::Waiting:
      waiting_->ShowWaiting(Ui(65));
      break;
    default:
      break;
  }
}

void ZulanDlg::SavePreset() {
  if (presets_->current() < 0 || !prompts_.confirm(Ui(37))) return;
  presets_->Save();
  RefreshPresetButtons();
}

void ZulanDlg::Take() {
  core_->encoder().EncodeAndSend(CommandType::Take);
  waiting_->ShowWaiting(Ui(65));
}

void ZulanDlg::keyPressEvent(QKeyEvent* event) {
  if (waiting_->waiting()) return;  // the operator waits with the console
  const int key = event->key();
  const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9;
  if (key == Qt::Key_S && !event->isAutoRepeat() && !(event->modifiers() & Qt::ControlModifier)) {
    sHeld_ = true;
  } else if (key == Qt::Key_S && (event->modifiers() & Qt::ControlModifier)) {
    waiting_->ShowWaiting(Ui(65));
    const std::string error = core_->project().SaveCurrent();
    waiting_->HideWaiting();
    if (!error.empty()) prompts_.inform(QString::fromStdString(error));
  } else if (digit && (event->modifiers() & Qt::ControlModifier)) {
    ChoosePreset(key - Qt::Key_0);
    LoadPreset();
  } else if (digit && sHeld_) {
    ChoosePreset(key - Qt::Key_0);
    SavePreset();
  } else if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
    return;  // never closes the window
  } else {
    QWidget::keyPressEvent(event);
  }
}

void ZulanDlg::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_S && !event->isAutoRepeat()) sHeld_ = false;
  QWidget::keyReleaseEvent(event);
}

void ZulanDlg::closeEvent(QCloseEvent* event) {
  titleTimer_.stop();
  const std::string error = core_->Shutdown();
  if (!error.empty()) prompts_.inform(QString::fromStdString(error));
  event->accept();
}

}  // namespace qv
