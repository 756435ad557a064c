#pragma once
// The connection page: a network link to a typed address, a serial link on
// one of the computer's ports (the list follows adapters being plugged and
// unplugged), and the switch that shows the machine search beside it.

#include <QString>

#include "logic/connect/ConnectionControl.h"
#include "widgets/PageRequest.h"
#include "widgets/ZBaseDialog.h"

class QLineEdit;
class QPushButton;

namespace qv {

class CDropButton;
class CSxGroupBox;
class SerialPortWatcher;
class oRealEdit;

class ZConnectDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 127;
  static constexpr int kWidth = 290;
  static constexpr int kHeight = 318;

  // `watcher` reports adapters coming and going; the page reads its list at start.
  ZConnectDlg(CommandEncoder& encoder, InfoSettings& settings, SerialPortWatcher& watcher,
              const LanguageTexts& texts, QWidget* parent = nullptr);

  const ConnectionControl& control() const { return control_; }
  QString destination() const;
  // Page request 1473: an address chosen on the search page.
  void SetDestination(const QString& address);
  // The search page was shown or hidden from elsewhere: the switch follows.
  void SetSearchShown(bool shown);
  // The console went back to network mode: the serial line closes.
  void CloseSerial();
  // Adapters came or went; `ports` is the system's list now.
  void PortsChanged(const std::vector<std::string>& ports);

  void ApplyLanguage(const LanguageTexts& texts) override;

  // The operator's buttons, callable from tests as from clicks.
  void OpenSerial();
  void OpenNetwork();
  void CloseNetwork();

 signals:
  void pageRequest(PageRequest code, int argument);
  // A network link to `address` should open and the processor be read once it answers.
  void networkConnectRequested(const QString& address);
  void networkClosed(const QString& address);
  void waitingNotice(const QString& text);
  void failed(const QString& text);

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void Apply(const ConnectionControl::Effects& effects);
  void FillPortList();

  const LanguageTexts& texts_;
  ConnectionControl control_;
  CSxGroupBox* networkGroup_ = nullptr;
  CSxGroupBox* serialGroup_ = nullptr;
  QLineEdit* destination_ = nullptr;
  QPushButton* searchButton_ = nullptr;
  CDropButton* ports_ = nullptr;
  oRealEdit* baud_ = nullptr;
};

}  // namespace qv
