#include "ZulanDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "InputPanel.h"
#include "logic/shell/InputPanelLayout.h"
#include "NameBox.h"
#include "comm/CommLibrary.h"
#include "pages/connect/SerialPortWatcher.h"
#include "pages/connect/ZConnectDlg.h"
#include "pages/connect/ZSearchMachineDlg.h"
#include "link/ReplyKind.h"
#include "pages/main/CPictureCtrl.h"
#include "pages/main/ZMainDlg.h"
#include "pages/main/ZShowVideoDlg.h"
#include "pages/video/ZVideoSettingDlg.h"
#include "widgets/ControlId.h"

namespace qv {

namespace {

constexpr int kTopStrip = 112;
constexpr int kLeftColumn = 118;
constexpr int kBottomStrip = 70;
constexpr int kMainTemplate = 102;
constexpr int kSearchGiveUpMs = 5000;
constexpr int kBoardQueryDelayMs = 50;

// UI strings the window shows.
constexpr int kSwitchOn = 40;
constexpr int kSwitchOff = 41;
constexpr int kWaitOperation = 65;
constexpr int kReadingNotice = 82;
constexpr int kSearchNotice = 83;
constexpr int kFailed = 67;
constexpr int kFirstPortSwitchString = 145;

const QColor kBackground(16, 16, 16);
const QColor kOrange(239, 156, 0);

struct PageButtonSpec {
  int controlId;
  const char* text;
};

// By page index; the LED configuration page (10) has no button of its own.
constexpr std::array<PageButtonSpec, ZulanDlg::kPageCount> kPageButtons = {{
    {1021, "PICTURE"},
    {1025, "OUTPUT"},
    {1180, "MOSAIC"},
    {1245, "KEYER"},
    {1123, "PIP"},
    {1126, "CROP"},
    {1241, "LOGO"},
    {1179, "EDID"},
    {1183, "VGA ADJ."},
    {1244, "MISC"},
    {0, nullptr},
    {1178, "COMM"},
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
QPushButton[selected="true"] { color: rgb(16,16,16); background: rgb(239,156,0); border-color: rgb(255,190,60); }
QLabel { color: rgb(239,156,0); }
QLabel#linkKind { color: rgb(235,235,235); font-weight: bold; }
QLineEdit { color: rgb(239,156,0); background: rgb(16,16,16); border: 1px solid rgb(72,72,72); padding: 1px 3px; }
)";

void Repolish(QWidget& w) {
  w.style()->unpolish(&w);
  w.style()->polish(&w);
}

}  // namespace

ZulanDlg::ZulanDlg(std::unique_ptr<CommLink> link, SettingsLocation location, QWidget* parent)
    : QWidget(parent),
      core_(std::make_unique<ConsoleCore>(Model(), std::move(link), std::move(location), *this)),
      presets_(std::make_unique<PresetControl>(core_->encoder())),
      texts_(core_->languages(), core_->strings()) {
  setStyleSheet(kStyle);
  setMinimumSize(kMinWidth, kMinHeight);
  resize(kMinWidth, kMinHeight);  // Qt scales device-independent pixels by the screen's DPI
  BuildControls();
  BuildPages();
  waiting_ = new WaitingDialog(this);
  connect(waiting_, &WaitingDialog::gaveUp, this, [this](const QString& text) {
    // A search that found nothing speaks for itself; anything else failed.
    if (text != Ui(kSearchNotice)) prompts_.inform(Ui(kFailed));
  });
  prompts_.inform = [this](const QString& text) { QMessageBox::information(this, Ui(38), text); };
  prompts_.confirm = [this](const QString& text) {
    return QMessageBox::question(this, Ui(38), text, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
  };
  titleTimer_.setInterval(kTitleTimerMs);
  connect(&titleTimer_, &QTimer::timeout, this, &ZulanDlg::TickTitle);
  setWindowTitle(kProductTitle);
}

ZulanDlg::~ZulanDlg() {
  // The pages hold references into the core (the main page's receivers are
  // the dispatcher's preview sink): they go before it, not after it as
  // children would.
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QString ZulanDlg::Ui(int index) const {
  return QString::fromStdString(core_->strings().Get(index));
}

void ZulanDlg::BuildControls() {
  for (int i = 0; i < kPageCount; ++i) {
    if (!kPageButtons[i].text) continue;
    pageButtons_[i] = MakeButton(this, kPageButtons[i].controlId, kPageButtons[i].text);
    connect(pageButtons_[i], &QPushButton::clicked, this, [this, i] { ShowPage(i, true); });
  }
  // Their pages open through page requests; the buttons close the page shown.
  // Both stay off until those pages exist.
  testPatternButton_ = MakeButton(this, 1242, "TEST PATTERN");
  timeTaskButton_ = MakeButton(this, 1243, "TIME/TASK");
  for (QPushButton* b : {testPatternButton_, timeTaskButton_}) {
    connect(b, &QPushButton::clicked, this, [this] { ShowPage(-1, false); });
    b->setEnabled(false);
  }

  inputPanel_ = new InputPanel(core_->encoder(), core_->settings(), this);
  column_ = new ControlColumn(core_->model(), this);
  connect(column_, &ControlColumn::listChosen, this, &ZulanDlg::OnListChosen);
  connect(column_, &ControlColumn::signalSwitchClicked, this, &ZulanDlg::SwapBoardSource);
  connect(column_, &ControlColumn::switcherClicked, this, [this] { ShowPage(kMiscPage, false); });
  connect(column_, &ControlColumn::languageChosen, this, &ZulanDlg::SwitchLanguage);

  presetListButton_ = MakeButton(this, 1237, "Presets");
  templateListButton_ = MakeButton(this, 1238, "Templates");
  for (QPushButton* list : {presetListButton_, templateListButton_}) list->setCheckable(true);
  presetListButton_->setChecked(true);
  connect(presetListButton_, &QPushButton::clicked, this,
          [this] { ChoosePresetList(PresetControl::List::Presets); });
  connect(templateListButton_, &QPushButton::clicked, this,
          [this] { ChoosePresetList(PresetControl::List::Templates); });
  for (int n = 0; n < kPresetCount; ++n) {
    presetButtons_[n] = MakeButton(this, kFirstPresetId + n, QString::number(n + 1));
    presetButtons_[n]->setCheckable(true);
    connect(presetButtons_[n], &QPushButton::clicked, this, [this, n] { ChoosePreset(n); });
    presetNames_[n] = new QLabel(this);
    presetNames_[n]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  }
  presetNameBox_ = new NameBox(this);
  connect(presetNameBox_, &NameBox::committed, this, &ZulanDlg::CommitPresetRename);
  loadButton_ = MakeButton(this, 1246, "Load");
  saveButton_ = MakeButton(this, 1236, "Save");
  freezeButton_ = MakeButton(this, 1601, "Freeze");
  freezeButton_->setCheckable(true);
  takeButton_ = MakeButton(this, 1451, "TAKE");
  takeButton_->setObjectName("take");
  takeButton_->hide();
  connect(loadButton_, &QPushButton::clicked, this, &ZulanDlg::LoadPreset);
  connect(saveButton_, &QPushButton::clicked, this, &ZulanDlg::SavePreset);
  connect(takeButton_, &QPushButton::clicked, this, &ZulanDlg::Take);
  connect(freezeButton_, &QPushButton::toggled, this, [this](bool on) {
    core_->encoder().EncodeAndSend(CommandType::SetFreeze, {static_cast<uint8_t>(on ? 1 : 0)});
  });

  mainPage_ = new ZMainDlg(core_->encoder(), core_->scheduler(), core_->dispatcher(), this);
  mainPage_->lower();  // pages open over it
  connect(mainPage_, &ZMainDlg::pageRequest, this, &ZulanDlg::HandlePageRequest);
  connect(mainPage_, &ZMainDlg::currentWindowChanged, this,
          [this](int window) { inputPanel_->FollowWindow(window); });
  connect(inputPanel_, &InputPanel::inputChanged, this, [this](int window) {
    mainPage_->layout().UpdateWindowLabel(window);
    mainPage_->Repaint();
  });
  connect(inputPanel_, &InputPanel::layerSwitched, this,
          [this](int window, bool) { ShowLayerCell(window - 1); });
  connect(inputPanel_, &InputPanel::renameFailed, this,
          [this](const QString& reason) { prompts_.inform(reason); });
  connect(inputPanel_, &InputPanel::raiseWindowRequested, this,
          [this](int window) { mainPage_->MakeWindowCurrent(window); });
  connect(column_, &ControlColumn::layersLockToggled, this,
          [this](bool locked) { mainPage_->SetWindowsLocked(locked); });
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

  inputPanel_->setGeometry(0, 0, w, kTopStrip);
  const int middleTop = kTopStrip + 8;
  const int middleHeight = h - kTopStrip - kBottomStrip - 16;
  column_->setGeometry(w - 8 - ControlColumn::kWidth, middleTop, ControlColumn::kWidth,
                       middleHeight);
  mainPage_->setGeometry(kLeftColumn, middleTop, w - kLeftColumn - ControlColumn::kWidth - 16,
                         middleHeight);
  // Pages open beside the page buttons, the search beside the connection page.
  for (ZBaseDialog* page : pages_) {
    if (page) page->move(kLeftColumn, middleTop);
  }
  searchPage_->setGeometry(kLeftColumn + ZConnectDlg::kWidth + 4, middleTop,
                           ZSearchMachineDlg::kWidth, middleHeight);
  videoSettingsPage_->move(kLeftColumn, middleTop);

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
  takeButton_->setGeometry(w - 8 - ControlColumn::kWidth, by - 4, ControlColumn::kWidth, 44);
}

void ZulanDlg::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

void ZulanDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kBackground);
  p.fillRect(QRect(0, height() - kBottomStrip - 4, width(), 1), QColor(48, 48, 48));
}

void ZulanDlg::Start(const std::string& localeName, const std::filesystem::path& shippedLanguages) {
  core_->Start(localeName, shippedLanguages);
  inputPanel_->LoadDisplayNames();
  column_->SetLanguage(core_->languages().Name() == "Chinese" ? ControlColumn::Language::Chinese
                                                              : ControlColumn::Language::English);
  ApplyLanguage();
  RefreshPresetButtons();
  RefreshSwitcher();
  titleShowsProduct_ = false;
  titleTimer_.start();
}

void ZulanDlg::ApplyLanguage() {
  // Every control of the window and its pages by id, then what each caches.
  ZBaseDialog::ApplyDialogTexts(*this, kMainTemplate, texts_);
  if (!Ui(80).isEmpty()) loadButton_->setText(Ui(80));
  if (!Ui(81).isEmpty()) saveButton_->setText(Ui(81));
  column_->ApplyLanguage(texts_, core_->model());
  ShowPortSwitchEntries();
  RefreshSwitcher();
  for (ZBaseDialog* page : pages_) {
    if (page) page->ApplyLanguage(texts_);
  }
  searchPage_->ApplyLanguage(texts_);
  videoSettingsPage_->ApplyLanguage(texts_);
  RefreshPresetButtons();
  update();
}

void ZulanDlg::SwitchLanguage(ControlColumn::Language language) {
  core_->SelectLanguage(language == ControlColumn::Language::Chinese ? "Chinese" : "English");
  column_->SetLanguage(language);
  ApplyLanguage();
}

void ZulanDlg::RefreshPresetButtons() {
  const bool presets = presets_->list() == PresetControl::List::Presets;
  const int bank = presets ? 0 : 1;
  for (int n = 0; n < kPresetCount; ++n) {
    QPushButton* button = presetButtons_[n];
    button->setChecked(presets_->current() == n);
    button->setProperty("stored", presets && core_->model().PresetValid[n] != 0);
    Repolish(*button);
    presetNames_[n]->setText(QString::fromStdString(core_->settings().PresetName(bank, n)));
  }
  presetListButton_->setChecked(presets);
  templateListButton_->setChecked(!presets);
}

void ZulanDlg::RefreshSwitcher() {
  takeButton_->setVisible(switcherOn_);
  column_->SetSwitcher(switcherOn_, Ui(switcherOn_ ? kSwitchOn : kSwitchOff));
}

void ZulanDlg::SetLinkLamp(bool on) {
  linkLamp_ = on;
  RefreshLinkColumn();
}

void ZulanDlg::RefreshLinkColumn() {
  column_->SetLink(core_->model().NetworkMode == 1, linkLamp_, linkWhere_);
}

void ZulanDlg::RefreshPortSwitch() {
  core_->UpdatePortSwitchTexts();
  ShowPortSwitchEntries();
}

void ZulanDlg::ShowPortSwitchEntries() {
  std::array<std::string, 5> items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i] = core_->strings().Get(kFirstPortSwitchString + static_cast<int>(i));
  }
  column_->SetPortSwitchEntries(items, core_->model().rec.CmpBoardMode);
  column_->ShowModel(core_->model());
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
  linkWhere_ = QString::fromStdString(host);
  connectPage_->SetDestination(linkWhere_);
  model.TargetAddress = address;
  if (model.NetworkMode != 1) {
    model.NetworkMode = 1;
    HandlePageRequest(PageRequest::LinkModeChanged, 1);
  }
  const uint8_t list[] = {address};
  core_->link().CommSetAddressList(list);
  core_->link().CommOpenHost(host, port);
  RefreshLinkColumn();
}

void ZulanDlg::ShowLayerCell(int pip) {
  if (pip < 0 || pip >= kWindowCount - 1) return;
  const DeviceStatusRecord& rec = core_->model().rec;
  const int window = pip + 1;
  const bool logo = window == 3 && rec.LogoUsage == 1;
  mainPage_->layout().ShowWindowCell(window,
                                     logo ? rec.LogoOnOff != 0 : rec.Chnl[window].ChnlOnOff != 0);
  mainPage_->Repaint();
}

void ZulanDlg::RefreshMainPage(int kind, int arg) {
  MainPageLayout& layout = mainPage_->layout();
  switch (static_cast<ReplyKind>(kind)) {
    case ReplyKind::FullStateReply:
      for (int k = 0; k < kWindowCount; ++k) layout.UpdateWindowLabel(k);
      // The screens take the processor's output size, whichever page set it.
      layout.OnOutputResolution();
      layout.RelayoutOutputs();
      layout.RelayoutForSwitcher();
      for (int k = 0; k < kWindowCount; ++k) layout.PlaceWindowCell(k);
      // The cells show what the processor shows, not only what was switched
      // here; the main layer is always on.
      layout.ShowWindowCell(0, true);
      layout.UpdateWindow3(1);
      for (int pip = 0; pip < kWindowCount - 1; ++pip) ShowLayerCell(pip);
      break;
    case ReplyKind::WindowGeometryReply:
      if (arg >= 0 && arg < kWindowCount) layout.PlaceWindowCell(arg);
      break;
    case ReplyKind::PvwModeReply:
      layout.RelayoutForSwitcher();
      break;
    case ReplyKind::DpModeReply:
    case ReplyKind::CompositeBoardReply:
      for (int k = 0; k < kWindowCount; ++k) layout.UpdateWindowLabel(k);
      break;
    default:
      return;
  }
  mainPage_->Repaint();
}

void ZulanDlg::Notify(int kind, int arg) {
  lastNotifyKind_ = kind;
  lastNotifyArg_ = arg;
  RefreshMainPage(kind, arg);
  DeviceModel& model = core_->model();
  switch (static_cast<ReplyKind>(kind)) {
    case ReplyKind::SearchStatusReply:
      searchPage_->LinkStatus(model.ReplyAddress, model.ReplyArrived != 0);
      if (pendingConnect_ < 0 || model.ReplyAddress != pendingConnect_) break;
      SetLinkLamp(model.ReplyArrived != 0);
      if (model.ReplyArrived != 0) {
        // The target is (back) on the link: read all it holds.
        core_->link().CommSelectHost(pendingHost_);
        core_->encoder().EncodeAndSend(CommandType::QueryFullState);
        ShowWaiting(Ui(kReadingNotice));
      }
      break;
    case ReplyKind::Ack:
      searchPage_->ReplyArrived(model.ReplyAddress);
      break;
    case ReplyKind::DeviceFlagReply:
      mainPage_->CheckPreviewAvailability();
      break;
    case ReplyKind::EncoderStatusReply:
      videoSettingsPage_->OnEncoderStatus(model.EncoderStatus);
      break;
    case ReplyKind::HostFoundReply:
      searchPage_->HostFound(model.HostText, model.HostInfo);
      break;
    case ReplyKind::FullStateReply:
      // The switcher page keeps the switcher state once it exists; until
      // then the window reads it from the processor's mode.
      switcherOn_ = model.rec.PvwMode != 0;
      RefreshPresetButtons();
      RefreshSwitcher();
      RefreshPortSwitch();
      inputPanel_->RefreshLayerSwitches();
      inputPanel_->update();
      update();
      break;
    case ReplyKind::PresetFlagsReply:
      RefreshPresetButtons();
      break;
    case ReplyKind::PvwModeReply:
      switcherOn_ = model.rec.PvwMode != 0;
      RefreshSwitcher();
      inputPanel_->RefreshLayerSwitches();
      break;
    case ReplyKind::CompositeBoardReply:
      RefreshPortSwitch();
      inputPanel_->RefreshLayerSwitches();
      inputPanel_->update();
      break;
    default:
      // Replies about windows and inputs: the layer switches and tiles follow.
      inputPanel_->RefreshLayerSwitches();
      inputPanel_->update();
      break;
  }
}

void ZulanDlg::CloseWaitingDialog() {
  waiting_->HideWaiting();
}

void ZulanDlg::ShowWaiting(const QString& text) {
  waiting_->ShowWaiting(text);
}

void ZulanDlg::BuildPages() {
  ConsoleCore& core = *core_;
  portWatcher_ = new SerialPortWatcher(this);
  connectPage_ = new ZConnectDlg(core.encoder(), core.settings(), *portWatcher_, texts_, this);
  pages_[kConnectionPage] = connectPage_;
  connect(connectPage_, &ZConnectDlg::pageRequest, this, &ZulanDlg::HandlePageRequest);
  connect(connectPage_, &ZConnectDlg::networkConnectRequested, this,
          [this](const QString& address) { ConnectTo(address.toStdString(), kDefaultLinkPort); });
  connect(connectPage_, &ZConnectDlg::networkClosed, this, [this](const QString& address) {
    if (address.toStdString() != pendingHost_) return;
    pendingConnect_ = -1;
    SetLinkLamp(false);
  });
  connect(connectPage_, &ZConnectDlg::waitingNotice, this, &ZulanDlg::ShowWaiting);
  connect(connectPage_, &ZConnectDlg::failed, this,
          [this](const QString& text) { prompts_.inform(text); });

  searchPage_ = new ZSearchMachineDlg(core.encoder(), core.settings(), texts_, this);
  searchPage_->SetConfirm([this](const QString& text) { return prompts_.confirm(text); });
  connect(searchPage_, &ZSearchMachineDlg::pageRequest, this, &ZulanDlg::HandlePageRequest);
  connect(searchPage_, &ZSearchMachineDlg::destinationChosen, this, [this](const QString& address) {
    linkWhere_ = address;
    HandlePageRequest(PageRequest::Destination, 0);
  });
  connect(searchPage_, &ZSearchMachineDlg::searchStarted, this, [this] {
    // The search page chooses the target from now on.
    pendingConnect_ = -1;
    waiting_->ShowWaiting(Ui(kSearchNotice), kSearchGiveUpMs);
  });
  connect(searchPage_, &ZSearchMachineDlg::waitingNotice, this, &ZulanDlg::ShowWaiting);
  connect(searchPage_, &ZSearchMachineDlg::informed, this,
          [this](const QString& text) { prompts_.inform(text); });
  connect(searchPage_, &ZBaseDialog::closedByUser, this,
          [this] { connectPage_->SetSearchShown(false); });

  videoSettingsPage_ = new ZVideoSettingDlg(core.encoder(), texts_, this);
  videoSettingsPage_->hide();
  connect(videoSettingsPage_, &ZVideoSettingDlg::pageRequest, this, &ZulanDlg::HandlePageRequest);
  connect(column_, &ControlColumn::videoSettingsClicked, this,
          [this] { HandlePageRequest(PageRequest::VideoSettingsPage, 0); });
  connect(column_, &ControlColumn::previewClicked, this, [this] {
    ZShowVideoDlg& preview = mainPage_->previewWindow();
    if (!previewPlaced_) {
      // First shown over the middle of the outputs; later where it was left.
      preview.move(mainPage_->mapToGlobal(mainPage_->rect().center()) -
                   QPoint(preview.width() / 2, preview.height() / 2));
      previewPlaced_ = true;
    }
    preview.show();
    preview.raise();
  });

  for (int i = 0; i < kPageCount; ++i) {
    if (pageButtons_[i]) pageButtons_[i]->setEnabled(pages_[i] != nullptr);
    if (pages_[i]) connect(pages_[i], &ZBaseDialog::closedByUser, this, &ZulanDlg::ClosePage);
  }
  // The switch button opens the misc page, once there is one.
  column_->SetSwitcherEnabled(pages_[kMiscPage] != nullptr);
}

void ZulanDlg::ShowPage(int index, bool toggle) {
  const int previous = currentPage_;
  if (previous >= 0) {
    pages_[previous]->ShowPage(false);
    pageButtons_[previous]->setProperty("selected", false);
    Repolish(*pageButtons_[previous]);
    currentPage_ = -1;
  }
  if (index < 0 || index >= kPageCount || !pages_[index]) return;
  if (toggle && index == previous) return;
  pages_[index]->ShowPage(true);
  currentPage_ = index;
  if (pageButtons_[index]) {
    pageButtons_[index]->setProperty("selected", true);
    Repolish(*pageButtons_[index]);
  }
}

void ZulanDlg::ClosePage() {
  if (currentPage_ < 0) return;
  if (QPushButton* button = pageButtons_[currentPage_]) {
    button->setProperty("selected", false);
    Repolish(*button);
  }
  currentPage_ = -1;
  update();
}

void ZulanDlg::TogglePage(QWidget& page, int argument) {
  const bool show = argument < 2 && page.isHidden();
  page.setVisible(show);
  if (show) page.raise();
}

void ZulanDlg::ToggleSearchPage(int argument) {
  TogglePage(*searchPage_, argument);
  connectPage_->SetSearchShown(!searchPage_->isHidden());
}

void ZulanDlg::HandlePageRequest(PageRequest code, int argument) {
  DeviceModel& model = core_->model();
  switch (code) {
    case PageRequest::SwitcherState:
      switcherOn_ = argument != 0;
      RefreshSwitcher();
      break;
    case PageRequest::LoopOutSource:
      inputPanel_->SetLoopOutSource(argument);
      break;
    case PageRequest::LayerState:
      ShowLayerCell(argument);
      inputPanel_->RefreshLayerSwitches();
      break;
    case PageRequest::MosaicMode:
      mainPage_->layout().RelayoutOutputs();
      mainPage_->layout().LockOutputs(true, true);
      mainPage_->Repaint();
      break;
    case PageRequest::Arrangement:
      mainPage_->layout().ArrangeScreens(argument);
      mainPage_->Repaint();
      break;
    case PageRequest::LinkModeChanged:
      if (model.NetworkMode == 1) {
        connectPage_->CloseSerial();
      } else {
        model.MultiMachine = 0;
        linkWhere_ = QString::fromStdString(core_->settings().SerialPort());
      }
      RefreshLinkColumn();
      break;
    case PageRequest::SearchPage:
      ToggleSearchPage(argument);
      break;
    case PageRequest::LockLayers:
      inputPanel_->SetLayerSwitchesEnabled(argument == 0 && model.rec.MosaicMode != 5 &&
                                           model.rec.PvwMode != 2);
      break;
    case PageRequest::LinkLamp:
      SetLinkLamp(argument != 0);
      break;
    case PageRequest::Destination:
      connectPage_->SetDestination(linkWhere_);
      break;
    case PageRequest::VideoSettingsPage:
      TogglePage(*videoSettingsPage_, argument);
      break;
    case PageRequest::PreviewSize:
      mainPage_->SetPreviewSize(argument);
      break;
    case PageRequest::TopButtons:
      inputPanel_->SetTopButtonsVisible(argument != 0);
      break;
    default:
      // The pages these concern come with their own work.
      break;
  }
}

void ZulanDlg::OnListChosen(int listId, int32_t value) {
  DeviceModel& model = core_->model();
  CommandEncoder& encoder = core_->encoder();
  const auto byte = [](int32_t v) { return static_cast<uint8_t>(v); };
  switch (listId) {
    case ControlColumn::kGenlockListId:
      model.rec.SyncLockMode = value;
      encoder.EncodeAndSend(CommandType::SetSyncMode, {0, byte(value)});
      break;
    case ControlColumn::kSyncModeListId:
      model.rec.SyncMode = value;
      encoder.EncodeAndSend(CommandType::SetSyncMode, {1, byte(value)});
      break;
    case ControlColumn::kPortSwitchListId:
      model.rec.CmpBoardMode = value;
      encoder.EncodeAndSend(CommandType::CompositeBoardCommand, {1, byte(value)});
      QTimer::singleShot(kBoardQueryDelayMs, this, [this] {
        core_->encoder().EncodeAndSend(CommandType::QueryCompositeBoard);
      });
      break;
    default:
      break;
  }
}

void ZulanDlg::SwapBoardSource() {
  const int32_t active = core_->model().rec.CmpBoardActNoSrc;
  if (active != 0 && active != 1) return;
  core_->encoder().EncodeAndSend(CommandType::CompositeBoardCommand,
                                 {0, static_cast<uint8_t>(active == 0 ? 1 : 0)});
  QTimer::singleShot(kBoardQueryDelayMs, this,
                     [this] { core_->encoder().EncodeAndSend(CommandType::QueryCompositeBoard); });
}

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
      ShowWaiting(Ui(kWaitOperation));
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
  ShowWaiting(Ui(kWaitOperation));
}

void ZulanDlg::keyPressEvent(QKeyEvent* event) {
  if (waiting_->waiting()) return;  // the operator waits with the console
  const int key = event->key();
  const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9;
  if (key == Qt::Key_S && !event->isAutoRepeat() && !(event->modifiers() & Qt::ControlModifier)) {
    sHeld_ = true;
  } else if (key == Qt::Key_S && (event->modifiers() & Qt::ControlModifier)) {
    ShowWaiting(Ui(kWaitOperation));
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

void ZulanDlg::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  for (int n = 0; n < kPresetCount; ++n) {
    const QRect b = presetButtons_[n]->geometry();
    const auto strip =
        InputPanelLayout::PresetNameStrip({b.left(), b.top(), b.right() + 1, b.bottom() + 1});
    if (!strip.Contains(p.x(), p.y())) continue;
    CommitPresetRename();
    renamingPreset_ = n;
    presetNameBox_->Open(QRect(strip.left, strip.top, strip.Width(), strip.Height()),
                         presetNames_[n]->text());
    return;
  }
  QWidget::mouseDoubleClickEvent(event);
}

void ZulanDlg::mousePressEvent(QMouseEvent* event) {
  CommitPresetRename();  // a press elsewhere keeps the name typed so far
  QWidget::mousePressEvent(event);
}

void ZulanDlg::CommitPresetRename() {
  if (renamingPreset_ < 0 || presetNameBox_->isHidden()) return;
  presetNameBox_->hide();
  const int bank = presets_->list() == PresetControl::List::Presets ? 0 : 1;
  const std::string error =
      core_->settings().SetPresetName(bank, renamingPreset_, presetNameBox_->text().toStdString());
  renamingPreset_ = -1;
  RefreshPresetButtons();
  if (!error.empty()) prompts_.inform(QString::fromStdString(error));
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
