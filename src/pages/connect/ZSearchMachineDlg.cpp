#include "pages/connect/ZSearchMachineDlg.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QPushButton>

#include "pages/connect/MachineTiles.h"
#include "widgets/CDropButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/Prompts.h"

namespace qv {

ZSearchMachineDlg::ZSearchMachineDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::SearchTitle, parent),
      encoder_(context.encoder),
      settings_(context.settings),
      texts_(context.texts),
      prompts_(context.prompts),
      list_(context.encoder,
            [&settings = context.settings](const std::array<uint8_t, 6>& mac, std::size_t n) {
              return settings.MachineName(mac, static_cast<int>(n));
            }) {
  setFixedWidth(kWidth);
  // The tiles lie under the page's controls and leave the title band visible.
  tiles_ = new MachineTiles(list_, this);
  tiles_->lower();
  connect(tiles_, &MachineTiles::renamed, this, [this](int index, const QString& name) {
    settings_.SetMachineName(list_.entries()[static_cast<std::size_t>(index)].mac,
                             name.toStdString());
  });
  connect(tiles_, &MachineTiles::connectRequested, this, &ZSearchMachineDlg::Connect);

  localGroup_ = new CSxGroupBox("Local Ip Address", this);
  SetControlId(*localGroup_, 1498);
  localGroup_->setGeometry(10, 30, 300, 44);
  localAddresses_ = new CDropButton(localGroup_);
  SetControlId(*localAddresses_, 65392);
  localAddresses_->setGeometry(10, 14, 200, 24);
  connect(localAddresses_, &CDropButton::chosen, this,
          [this](int index, int32_t) { ChooseLocalAddress(localAddresses_->entry(index).text); });
  auto* reread = MakeButton(localGroup_, 1445, "\u21bb", QRect(220, 14, 70, 24));
  connect(reread, &QPushButton::clicked, this, &ZSearchMachineDlg::ReadLocalAddresses);

  auto* search = MakeButton(this, 1191, "SEARCH", QRect(330, 44, 120, 28));
  auto* connectButton = MakeButton(this, 1184, "Connect", QRect(460, 44, 120, 28));
  connect(search, &QPushButton::clicked, this, &ZSearchMachineDlg::Search);
  connect(connectButton, &QPushButton::clicked, this, &ZSearchMachineDlg::ConnectSelected);

  completion_.setSingleShot(true);
  completion_.setInterval(kCompletionMs);
  connect(&completion_, &QTimer::timeout, this, &ZSearchMachineDlg::CompleteSearch);
  ReadLocalAddresses();
  hide();
}

void ZSearchMachineDlg::resizeEvent(QResizeEvent* event) {
  ZBaseDialog::resizeEvent(event);
  tiles_->setGeometry(rect());
}

void ZSearchMachineDlg::ReadLocalAddresses() {
  localAddresses_->Clear();
  int n = 0;
  for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
    if (address.protocol() != QAbstractSocket::IPv4Protocol) continue;
    const QString text = address.toString();
    if (text.startsWith('0')) continue;
    localAddresses_->AddEntry(text, n++);
  }
  if (n == 0) {
    localAddresses_->AddEntry("N/A", 0);
  } else {
    encoder_.link().CommSetLocalAddress(localAddresses_->entry(0).text.toStdString());
  }
  localAddresses_->SelectByValue(0);
}

void ZSearchMachineDlg::ChooseLocalAddress(const QString& address) {
  if (address == "N/A") return;
  encoder_.link().CommSetLocalAddress(address.toStdString());
  list_.Clear();
  watchdogs_.clear();
  tiles_->update();
}

void ZSearchMachineDlg::Search() {
  tiles_->CommitRename();
  completion_.stop();
  watchdogs_.clear();
  list_.Search();
  emit pageRequest(PageRequest::SearchStarted, 0);
  tiles_->update();
}

void ZSearchMachineDlg::OnReply(ReplyKind kind, int) {
  const DeviceModel& model = encoder_.model();
  switch (kind) {
    case ReplyKind::SearchStatusReply:
      LinkStatus(model.ReplyAddress, model.ReplyArrived != 0);
      break;
    case ReplyKind::Ack:
      ReplyArrived(model.ReplyAddress);
      break;
    case ReplyKind::HostFoundReply:
      HostFound(model.HostText, model.HostInfo);
      break;
    default:
      break;
  }
}

void ZSearchMachineDlg::HostFound(const std::string& ip, const std::array<uint32_t, 2>& hostInfo) {
  Apply(list_.AddFound(ip, hostInfo));
}

void ZSearchMachineDlg::CompleteSearch() {
  Apply(list_.CompleteSearch());
}

void ZSearchMachineDlg::LinkStatus(uint8_t address, bool arrived) {
  Apply(list_.OnReply(address, arrived, true));
}

void ZSearchMachineDlg::ReplyArrived(uint8_t address) {
  Apply(list_.OnReply(address, true, false));
}

void ZSearchMachineDlg::ConnectSelected() {
  tiles_->CommitRename();
  const auto& entries = list_.entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].selected) {
      Connect(static_cast<int>(i), false);
      return;
    }
  }
}

void ZSearchMachineDlg::Connect(int index, bool doubleClick) {
  bool offline = false;
  const auto confirm = [this] {
    return !prompts_.confirm || prompts_.confirm(texts_.Ui(UiText::SelectMachineQuestion));
  };
  const MachineList::Effects effects =
      list_.Connect(static_cast<std::size_t>(index), doubleClick, confirm, &offline);
  if (offline) emit message(texts_.Ui(UiText::MachineOffline));
  Apply(effects);
}

void ZSearchMachineDlg::Apply(const MachineList::Effects& effects) {
  if (effects.repaint) tiles_->update();
  if (effects.startCompletionTimer) completion_.start();
  if (effects.switchedToNetwork) emit pageRequest(PageRequest::LinkModeChanged, 1);
  if (effects.showReadingNotice) emit waitingNotice(texts_.Ui(UiText::ReadingNotice));
  if (effects.lampChanged) emit pageRequest(PageRequest::LinkLamp, effects.lamp ? 1 : 0);
  if (!effects.targetAddressText.empty()) {
    emit pageRequest(PageRequest::Destination, 0,
                     QString::fromStdString(effects.targetAddressText));
  }
  for (int id : effects.restartWatchdogs) {
    std::unique_ptr<QTimer>& timer = watchdogs_[id];
    if (!timer) {
      timer = std::make_unique<QTimer>();
      timer->setInterval(MachineList::kWatchdogMs);
      connect(timer.get(), &QTimer::timeout, this, [this, id] {
        const auto& all = list_.entries();
        for (std::size_t i = 0; i < all.size(); ++i) {
          if (all[i].timerId == id) Apply(list_.OnWatchdog(i));
        }
      });
    }
    timer->start();
  }
}

void ZSearchMachineDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  localGroup_->SetCaption(texts.Ui(UiText::LocalIpAddress));
}

}  // namespace qv
