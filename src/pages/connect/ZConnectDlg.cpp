#include "pages/connect/ZConnectDlg.h"

#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "link/DeviceModel.h"
#include "logic/connect/MachineList.h"
#include "pages/connect/SerialPortWatcher.h"
#include "widgets/CDropButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/oRealEdit.h"

namespace qv {

namespace {

constexpr int kDestinationLength = 15;

}  // namespace

ZConnectDlg::ZConnectDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::ConnectionTitle, parent),
      model_(context.model),
      texts_(context.texts),
      control_(context.encoder, context.settings) {
  setFixedSize(kWidth, kHeight);

  networkGroup_ = new CSxGroupBox("Network Connection", this);
  SetControlId(*networkGroup_, 1169);
  networkGroup_->setGeometry(8, 36, kWidth - 16, 136);
  QLabel* destinationLabel =
      MakeLabel(networkGroup_, 1171, "Destination IP :", QRect(12, 24, 110, 24));
  destination_ = MakeControl<QLineEdit>(networkGroup_, 1172, QRect(122, 24, 140, 24));
  destinationLabel->setBuddy(destination_);
  destination_->setMaxLength(kDestinationLength);
  destination_->setText(ConnectionControl::kDefaultDestination);
  // The window's own Enter never reaches the page; here it opens the link.
  connect(destination_, &QLineEdit::returnPressed, this, &ZConnectDlg::OpenNetwork);
  auto* open = MakeButton(networkGroup_, 1167, "Connect", QRect(12, 60, 120, 26));
  auto* close = MakeButton(networkGroup_, 1174, "DisConnect", QRect(142, 60, 120, 26));
  connect(open, &QPushButton::clicked, this, &ZConnectDlg::OpenNetwork);
  connect(close, &QPushButton::clicked, this, &ZConnectDlg::CloseNetwork);
  searchButton_ = MakeButton(networkGroup_, 1190, "Search Machines >>>", QRect(12, 96, 250, 26));
  searchButton_->setCheckable(true);
  connect(searchButton_, &QPushButton::clicked, this,
          [this] { emit pageRequest(PageRequest::SearchPage, 0); });

  serialGroup_ = new CSxGroupBox("Com Connection", this);
  SetControlId(*serialGroup_, 1474);
  serialGroup_->setGeometry(8, 184, kWidth - 16, 124);
  QLabel* portLabel = MakeLabel(serialGroup_, 1475, "Com", QRect(12, 24, 40, 24));
  ports_ = MakeControl<CDropButton>(serialGroup_, 65425, QRect(60, 24, 202, 24));
  portLabel->setBuddy(ports_);
  QLabel* baudLabel = MakeLabel(serialGroup_, 1476, "Baud Rate", QRect(12, 56, 80, 24));
  baud_ = MakeControl<oRealEdit>(serialGroup_, 1473, QRect(100, 56, 162, 24));
  baudLabel->setBuddy(baud_);
  auto* openSerial = MakeButton(serialGroup_, 1477, "Connect", QRect(12, 88, 120, 26));
  auto* closeSerial = MakeButton(serialGroup_, 1495, "DisConnect", QRect(142, 88, 120, 26));
  connect(openSerial, &QPushButton::clicked, this, &ZConnectDlg::OpenSerial);
  connect(closeSerial, &QPushButton::clicked, this, &ZConnectDlg::CloseSerial);
  connect(ports_, &CDropButton::chosen, this,
          [this](int index, int32_t) { control_.Select(index); });

  FillPortList();
  baud_->SetUp(ConnectionControl::kDefaultBaud, ConnectionControl::kMinBaud,
               ConnectionControl::kMaxBaud, true, NumberFormat::Int);
  hide();
}

void ZConnectDlg::showEvent(QShowEvent* event) {
  ZBaseDialog::showEvent(event);
  // The system's ports are read when the operator first looks at them, not
  // at start; from then on adapters coming and going reach the page.
  if (watcher_) return;
  watcher_ = new SerialPortWatcher(this);
  connect(watcher_, &SerialPortWatcher::changed, this, &ZConnectDlg::PortsChanged);
  control_.RefreshPorts(watcher_->ports());
  FillPortList();
}

QString ZConnectDlg::destination() const {
  return destination_->text();
}

void ZConnectDlg::OnPageRequest(PageRequest code, int, const QString& text) {
  if (code == PageRequest::Destination) {
    destination_->setText(text);
  } else if (code == PageRequest::LinkModeChanged && model_.NetworkMode == 1) {
    CloseSerial();
  }
}

void ZConnectDlg::OnPageShown(PageId page, bool shown) {
  if (page == PageId::Search) searchButton_->setChecked(shown);
}

void ZConnectDlg::FillPortList() {
  ports_->Clear();
  const auto& ports = control_.ports();
  for (std::size_t i = 0; i < ports.size(); ++i) {
    ports_->AddEntry(QString::fromStdString(ports[i]), static_cast<int32_t>(i));
  }
  if (ports.empty()) ports_->AddEntry("N/A", 0);
  ports_->SelectByValue(std::max(0, control_.selected()));
}

void ZConnectDlg::Apply(const ConnectionControl::Effects& effects) {
  if (effects.portListChanged) FillPortList();
  ports_->setEnabled(!control_.serialOpen());
  if (effects.lampChanged) emit pageRequest(PageRequest::LinkLamp, effects.lamp ? 1 : 0);
  if (effects.showReadingNotice) emit waitingNotice(texts_.Ui(UiText::ReadingNotice));
  if (effects.switchedToSerial) emit pageRequest(PageRequest::LinkModeChanged, 0);
  if (effects.connectFailed) emit message(texts_.Ui(UiText::ConnectFailed));
}

void ZConnectDlg::OpenSerial() {
  baud_->Commit(false);
  Apply(control_.OpenSerial(static_cast<int>(baud_->value())));
}

void ZConnectDlg::CloseSerial() {
  Apply(control_.CloseSerial());
}

void ZConnectDlg::PortsChanged(const std::vector<std::string>& ports) {
  Apply(control_.PortsChanged(ports));
}

void ZConnectDlg::OpenNetwork() {
  const std::string address = destination().toStdString();
  if (MachineList::WellFormed(address)) {
    emit pageRequest(PageRequest::ConnectNetwork, 0, destination());
  }
}

void ZConnectDlg::CloseNetwork() {
  if (control_.CloseHost(destination().toStdString())) {
    emit pageRequest(PageRequest::NetworkClosed, 0, destination());
  }
}

void ZConnectDlg::hideEvent(QHideEvent* event) {
  ZBaseDialog::hideEvent(event);
  // The search lives beside this page and closes with it; a minimised
  // window hides nothing.
  if (!event->spontaneous() && searchButton_->isChecked()) {
    searchButton_->setChecked(false);
    emit pageRequest(PageRequest::SearchPage, kHidePage);
  }
}

void ZConnectDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  serialGroup_->SetCaption(texts.Ui(UiText::ComConnection));
  networkGroup_->SetCaption(texts.Ui(UiText::NetworkConnection));
}

}  // namespace qv
