#include "ZulanDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

#include "app/InputPanel.h"
#include "app/NameBox.h"
#include "app/PageRegistry.h"
#include "comm/CommLibrary.h"
#include "link/ReplyKind.h"
#include "logic/shell/InputPanelControl.h"
#include "logic/shell/InputPanelLayout.h"
#include "widgets/AppStyleSheet.h"
#include "widgets/ControlId.h"
#include "widgets/WidgetColours.h"
#include "widgets/ZBaseDialog.h"

namespace qv {

namespace {

constexpr int kTopStrip = 112;
constexpr int kLeftColumn = 118;
constexpr int kBottomStrip = 70;
constexpr int kMainTemplate = 102;
constexpr int kSearchGiveUpMs = 5000;

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

}  // namespace

ZulanDlg::ZulanDlg(std::unique_ptr<CommLink> link, SettingsLocation location, QWidget* parent)
    : QWidget(parent),
      core_(std::make_unique<ConsoleCore>(Model(), std::move(link), std::move(location), *this)),
      presets_(std::make_unique<PresetControl>(core_->encoder())),
      texts_(core_->languages(), core_->strings()),
      context_{core_->encoder(),   core_->model(),      core_->settings(), texts_,
               core_->scheduler(), core_->dispatcher(), prompts_} {
  setStyleSheet(AppStyleSheet());
  setMinimumSize(kMinWidth, kMinHeight);
  resize(kMinWidth, kMinHeight);  // Qt scales device-independent pixels by the screen's DPI
  BuildControls();
  BuildPages();
  waiting_ = new WaitingDialog(this);
  connect(waiting_, &WaitingDialog::gaveUp, this, [this](const QString& text) {
    // A search that found nothing speaks for itself; anything else failed.
    if (text != Ui(UiText::SearchNotice)) prompts_.inform(Ui(UiText::Failed));
  });
  prompts_.inform = [this](const QString& text) {
    QMessageBox::information(this, Ui(UiText::Tips), text);
  };
  prompts_.confirm = [this](const QString& text) {
    return QMessageBox::question(this, Ui(UiText::Tips), text,
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
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

QString ZulanDlg::Ui(UiText text) const {
  return texts_.Ui(text);
}

ZBaseDialog* ZulanDlg::page(PageId id) const {
  for (const BuiltPage& built : pages_) {
    if (built.row->id == id) return built.page;
  }
  return nullptr;
}

void ZulanDlg::BuildControls() {
  for (int i = 0; i < kPageCount; ++i) {
    if (!kPageButtons[i].text) continue;
    pageButtons_[i] = MakeButton(this, kPageButtons[i].controlId, kPageButtons[i].text);
    connect(pageButtons_[i], &QPushButton::clicked, this, [this, i] { ShowPage(i, true); });
  }
  // Their pages are views of the misc area; until the misc page opens them
  // the buttons do: each closes the page shown and shows or hides its view.
  testPatternButton_ = MakeButton(this, 1242, "TEST PATTERN");
  timeTaskButton_ = MakeButton(this, 1243, "TIME/TASK");
  connect(testPatternButton_, &QPushButton::clicked, this,
          [this] { ToggleMiscView(MiscView::TestPattern); });
  connect(timeTaskButton_, &QPushButton::clicked, this,
          [this] { ToggleMiscView(MiscView::TimeTask); });

  inputPanel_ = new InputPanel(core_->encoder(), core_->settings(), this);
  column_ = new ControlColumn(context_, this);
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

  connect(inputPanel_, &InputPanel::inputChanged, this,
          [this](int window) { HandlePageRequest(PageRequest::InputChanged, window); });
  connect(inputPanel_, &InputPanel::layerSwitched, this,
          [this](int window, bool) { HandlePageRequest(PageRequest::LayerState, window - 1); });
  connect(inputPanel_, &InputPanel::renameFailed, this,
          [this](const QString& reason) { prompts_.inform(reason); });
  connect(inputPanel_, &InputPanel::raiseWindowRequested, this,
          [this](int window) { HandlePageRequest(PageRequest::RaiseWindow, window); });
  connect(column_, &ControlColumn::layersLockToggled, this,
          [this](bool locked) { HandlePageRequest(PageRequest::LockWindows, locked ? 1 : 0); });
  connect(column_, &ControlColumn::videoSettingsClicked, this,
          [this] { HandlePageRequest(PageRequest::VideoSettingsPage, 0); });
  connect(column_, &ControlColumn::previewClicked, this,
          [this] { HandlePageRequest(PageRequest::ShowPreviewWindow, 0); });
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
  const QRect middle(kLeftColumn, middleTop, w - kLeftColumn - ControlColumn::kWidth - 16,
                     middleHeight);
  const ZBaseDialog* connection = page(PageId::Connection);
  const int besideConnection = middle.left() + (connection ? connection->width() + 4 : 0);
  int previousRight = middle.left();
  for (const BuiltPage& built : pages_) {
    switch (built.row->place) {
      case PagePlace::Fill:
        built.page->setGeometry(middle);
        break;
      case PagePlace::Corner:
        built.page->move(middle.topLeft());
        break;
      case PagePlace::BesideConnection:
        built.page->setGeometry(besideConnection, middle.top(), built.page->width(),
                                middle.height());
        break;
      case PagePlace::BesidePrevious:
        built.page->move(previousRight + 4, middle.top());
        break;
    }
    previousRight = built.page->x() + built.page->width();
  }

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
  p.fillRect(rect(), colours::kGround);
  p.fillRect(QRect(0, height() - kBottomStrip - 4, width(), 1), colours::kSeparator);
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
  if (!Ui(UiText::Load).isEmpty()) loadButton_->setText(Ui(UiText::Load));
  if (!Ui(UiText::Save).isEmpty()) saveButton_->setText(Ui(UiText::Save));
  column_->ApplyLanguage(texts_);
  RefreshSwitcher();
  for (const BuiltPage& built : pages_) {
    built.page->ApplyLanguage(texts_);
    // A page without a title band is named after the button that shows it.
    if (QPushButton* button = ButtonOf(*built.row)) built.page->SetUntitledName(button->text());
  }
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
  column_->SetSwitcher(switcherOn_, Ui(switcherOn_ ? UiText::SwitchOn : UiText::SwitchOff));
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
  column_->RefillPortSwitch();
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
  HandlePageRequest(PageRequest::Destination, 0, QString::fromStdString(host));
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

void ZulanDlg::Notify(ReplyKind kind, int arg) {
  lastNotifyKind_ = static_cast<int>(kind);
  DeviceModel& model = core_->model();
  switch (kind) {
    case ReplyKind::SearchStatusReply:
      if (pendingConnect_ < 0 || model.ReplyAddress != pendingConnect_) break;
      SetLinkLamp(model.ReplyArrived != 0);
      if (model.ReplyArrived != 0) {
        // The target is (back) on the link: read all it holds.
        core_->link().CommSelectHost(pendingHost_);
        core_->encoder().EncodeAndSend(CommandType::QueryFullState);
        ShowWaiting(Ui(UiText::ReadingNotice));
      }
      break;
    case ReplyKind::Ack:
    case ReplyKind::DeviceFlagReply:
    case ReplyKind::EncoderStatusReply:
    case ReplyKind::HostFoundReply:
      break;  // the pages' business alone
    case ReplyKind::FullStateReply:
      // The switcher page tells the switcher state (PageRequest::SwitcherState).
      RefreshPresetButtons();
      RefreshPortSwitch();
      inputPanel_->RefreshLayerSwitches();
      inputPanel_->update();
      update();
      break;
    case ReplyKind::PresetFlagsReply:
      RefreshPresetButtons();
      break;
    case ReplyKind::PvwModeReply:
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
  column_->ShowModel();
  RefreshVgaButton();
  for (const BuiltPage& built : pages_) built.page->OnReply(kind, arg);
}

void ZulanDlg::CloseWaitingDialog() {
  waiting_->HideWaiting();
}

void ZulanDlg::ShowWaiting(const QString& text) {
  waiting_->ShowWaiting(text);
}

void ZulanDlg::BuildPages() {
  for (const PageRow& row : PageRegistry()) {
    ZBaseDialog* built = row.make(context_, this);
    built->hide();
    if (row.name) built->SetUntitledName(QString::fromUtf8(row.name));
    pages_.push_back({&row, built});
    if (row.button >= 0) buttonPages_[row.button].push_back(built);
    connect(built, &ZBaseDialog::pageRequest, this, &ZulanDlg::HandlePageRequest);
    connect(built, &ZBaseDialog::waitingNotice, this, &ZulanDlg::ShowWaiting);
    connect(built, &ZBaseDialog::message, this,
            [this](const QString& text) { prompts_.inform(text); });
    connect(built, &ZBaseDialog::closedByUser, this, [this, &row] { OnPageClosed(row); });
  }
  // The filling page is always shown, under the others.
  for (const BuiltPage& built : pages_) {
    if (built.row->place != PagePlace::Fill) continue;
    built.page->show();
    built.page->lower();
  }
  for (int i = 0; i < kPageCount; ++i) {
    if (pageButtons_[i]) pageButtons_[i]->setEnabled(!buttonPages_[i].empty());
  }
  for (MiscView view : {MiscView::TestPattern, MiscView::TimeTask}) {
    ViewButton(view)->setEnabled(ViewPage(view) != nullptr);
  }
  RefreshVgaButton();
  // The switch button opens the misc page, once there is one.
  column_->SetSwitcherEnabled(!buttonPages_[kMiscPage].empty());
}

void ZulanDlg::TellButtonShown(int button, bool shown) {
  for (const BuiltPage& built : pages_) {
    if (built.row->button == button) TellPageShown(built.row->id, shown);
  }
}

QPushButton* ZulanDlg::ViewButton(MiscView view) const {
  switch (view) {
    case MiscView::TestPattern:
      return testPatternButton_;
    case MiscView::TimeTask:
      return timeTaskButton_;
    default:
      return nullptr;
  }
}

QPushButton* ZulanDlg::ButtonOf(const PageRow& row) const {
  if (row.button >= 0) return pageButtons_[row.button];
  return row.view ? ViewButton(*row.view) : nullptr;
}

ZBaseDialog* ZulanDlg::ViewPage(MiscView view) const {
  for (const BuiltPage& built : pages_) {
    if (built.row->view == view) return built.page;
  }
  return nullptr;
}

void ZulanDlg::ToggleMiscView(MiscView view) {
  const ZBaseDialog* page = ViewPage(view);
  if (!page) return;
  const bool shown = !page->isHidden();
  ShowPage(-1, false);
  if (!shown) HandlePageRequest(PageRequest::MiscViews, MiscViewArgument(view, true));
}

void ZulanDlg::ShowMiscView(MiscView view, bool show) {
  // The caption page comes and goes on its own; the others share the area.
  const auto caption = [](MiscView v) { return v == MiscView::Caption; };
  for (const BuiltPage& built : pages_) {
    if (!built.row->view) continue;
    const MiscView own = *built.row->view;
    if (show && own == view) {
      SetPageShown(*built.row, *built.page, true);
    } else if (caption(own) == caption(view)) {
      SetPageShown(*built.row, *built.page, false);
    }
  }
}

void ZulanDlg::RefreshVgaButton() {
  QPushButton* vga = pageButtons_[page_button::kVga];
  const bool available =
      !buttonPages_[page_button::kVga].empty() && InputPanelControl::ShowsVgaInput(core_->model());
  vga->setEnabled(available);
  if (!available && currentPage_ == page_button::kVga) ShowPage(page_button::kVga, true);
}

void ZulanDlg::ShowPage(int index, bool toggle) {
  // The misc area's views stand where the pages do.
  ShowMiscView(MiscView::Misc, false);
  const int previous = currentPage_;
  if (previous >= 0) {
    for (ZBaseDialog* page : buttonPages_[previous]) page->ShowPage(false);
    pageButtons_[previous]->setProperty("selected", false);
    Repolish(*pageButtons_[previous]);
    currentPage_ = -1;
    TellButtonShown(previous, false);
  }
  if (index < 0 || index >= kPageCount || buttonPages_[index].empty()) return;
  if (toggle && index == previous) return;
  for (ZBaseDialog* page : buttonPages_[index]) page->ShowPage(true);
  currentPage_ = index;
  TellButtonShown(index, true);
  if (pageButtons_[index]) {
    pageButtons_[index]->setProperty("selected", true);
    Repolish(*pageButtons_[index]);
  }
}

void ZulanDlg::OnPageClosed(const PageRow& row) {
  TellPageShown(row.id, false);
  if (currentPage_ < 0 || row.button != currentPage_) return;
  // The pages shown together close together.
  for (ZBaseDialog* page : buttonPages_[currentPage_]) page->ShowPage(false);
  if (QPushButton* button = pageButtons_[currentPage_]) {
    button->setProperty("selected", false);
    Repolish(*button);
  }
  currentPage_ = -1;
  update();
}

void ZulanDlg::TellPageShown(PageId id, bool shown) {
  for (const BuiltPage& built : pages_) built.page->OnPageShown(id, shown);
}

void ZulanDlg::TogglePage(const PageRow& row, ZBaseDialog& page, int argument) {
  SetPageShown(row, page, argument < 2 && page.isHidden());
}

void ZulanDlg::SetPageShown(const PageRow& row, ZBaseDialog& page, bool show) {
  const bool wasShown = !page.isHidden();
  page.setVisible(show);
  if (show) page.raise();
  if (show != wasShown) TellPageShown(row.id, show);
}

void ZulanDlg::HandlePageRequest(PageRequest code, int argument, const QString& text) {
  DeviceModel& model = core_->model();
  switch (code) {
    case PageRequest::SwitcherState:
      switcherOn_ = argument != 0;
      RefreshSwitcher();
      break;
    case PageRequest::InputChosen:
      // The panel sends it and tells the pages that the input changed.
      if (argument >= 0 && argument < kWindowCount) inputPanel_->InputChanged(argument, true);
      return;
    case PageRequest::InputChanged:
      RefreshVgaButton();
      break;
    case PageRequest::MiscViews:
      ShowMiscView(MiscViewOf(argument), MiscViewShown(argument));
      break;
    case PageRequest::TestPatternOn:
      // The layer switches stay as they are while a pattern covers the output
      // (the main page holds the windows likewise).
      inputPanel_->SetLayerSwitchesEnabled(argument == 0 && model.rec.MosaicMode != 5 &&
                                           model.rec.PvwMode != 2);
      break;
    case PageRequest::LoopOutSource:
      inputPanel_->SetLoopOutSource(argument);
      break;
    case PageRequest::LayerState:
      inputPanel_->RefreshLayerSwitches();
      break;
    case PageRequest::CurrentWindow:
      inputPanel_->FollowWindow(argument);
      break;
    case PageRequest::LinkModeChanged:
      if (model.NetworkMode != 1) {
        model.MultiMachine = 0;
        linkWhere_ = QString::fromStdString(core_->settings().SerialPort());
      }
      RefreshLinkColumn();
      break;
    case PageRequest::LockLayers:
      inputPanel_->SetLayerSwitchesEnabled(argument == 0 && model.rec.MosaicMode != 5 &&
                                           model.rec.PvwMode != 2);
      break;
    case PageRequest::LinkLamp:
      SetLinkLamp(argument != 0);
      break;
    case PageRequest::Destination:
      linkWhere_ = text;
      break;
    case PageRequest::TopButtons:
      inputPanel_->SetTopButtonsVisible(argument != 0);
      break;
    case PageRequest::ConnectNetwork:
      ConnectTo(text.toStdString(), kDefaultLinkPort);
      break;
    case PageRequest::NetworkClosed:
      if (text.toStdString() == pendingHost_) {
        pendingConnect_ = -1;
        SetLinkLamp(false);
      }
      break;
    case PageRequest::SearchStarted:
      // The search page chooses the target from now on; no answer is a plain
      // result, so its notice gives up sooner than others.
      pendingConnect_ = -1;
      waiting_->ShowWaiting(Ui(UiText::SearchNotice), kSearchGiveUpMs);
      break;
    default:
      break;
  }
  for (const BuiltPage& built : pages_) {
    if (built.row->toggle == code) TogglePage(*built.row, *built.page, argument);
  }
  for (const BuiltPage& built : pages_) built.page->OnPageRequest(code, argument, text);
}

void ZulanDlg::SwapBoardSource() {
  const int32_t active = core_->model().rec.CmpBoardActNoSrc;
  if (active != 0 && active != 1) return;
  core_->encoder().EncodeAndSend(CommandType::CompositeBoardCommand,
                                 {0, static_cast<uint8_t>(active == 0 ? 1 : 0)});
  CommandEncoder& encoder = core_->encoder();
  core_->scheduler().PostDelayed(ControlColumn::kBoardQueryDelayMs, [&encoder] {
    encoder.EncodeAndSend(CommandType::QueryCompositeBoard);
  });
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
  // Closing the test pattern page stops its pattern, before the preset goes out.
  if (core_->model().TestPattern != 0) {
    HandlePageRequest(PageRequest::MiscViews, MiscViewArgument(MiscView::TestPattern, false));
  }
  switch (presets_->Load()) {
    case PresetControl::Outcome::Invalid:
      prompts_.inform(Ui(UiText::PresetInvalid));
      break;
    case PresetControl::Outcome::Waiting:
      ShowWaiting(Ui(UiText::WaitOperation));
      break;
    default:
      break;
  }
}

void ZulanDlg::SavePreset() {
  if (presets_->current() < 0 || !prompts_.confirm(Ui(UiText::SavePresetQuestion))) return;
  presets_->Save();
  RefreshPresetButtons();
}

void ZulanDlg::Take() {
  core_->encoder().EncodeAndSend(CommandType::Take);
  ShowWaiting(Ui(UiText::WaitOperation));
}

void ZulanDlg::keyPressEvent(QKeyEvent* event) {
  if (waiting_->waiting()) return;  // the operator waits with the console
  const int key = event->key();
  const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9;
  if (key == Qt::Key_S && !event->isAutoRepeat() && !(event->modifiers() & Qt::ControlModifier)) {
    sHeld_ = true;
  } else if (key == Qt::Key_S && (event->modifiers() & Qt::ControlModifier)) {
    ShowWaiting(Ui(UiText::WaitOperation));
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
