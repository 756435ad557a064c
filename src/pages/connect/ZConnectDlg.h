#pragma once
// The connection page: a network link to a typed address, a serial link on
// one of the computer's ports (the list follows adapters being plugged and
// unplugged), and the switch that shows the machine search beside it.

#include <QString>

#include "logic/connect/ConnectionControl.h"
#include "widgets/PageContext.h"
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

  ZConnectDlg(const PageContext& context, QWidget* parent = nullptr);

  const ConnectionControl& control() const { return control_; }
  QString destination() const;
  // Adapters came or went; `ports` is the system's list now.
  void PortsChanged(const std::vector<std::string>& ports);

  void ApplyLanguage(const LanguageTexts& texts) override;
  // The address chosen on the search page; the serial line closes when the
  // console goes back to network mode.
  void OnPageRequest(PageRequest code, int argument, const QString& text) override;
  // The search switch follows the search page.
  void OnPageShown(PageId page, bool shown) override;

  // The operator's buttons, callable from tests as from clicks.
  void OpenSerial();
  void CloseSerial();
  void OpenNetwork();
  void CloseNetwork();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Apply(const ConnectionControl::Effects& effects);
  void FillPortList();

  const DeviceModel& model_;
  const LanguageTexts& texts_;
  ConnectionControl control_;
  CSxGroupBox* networkGroup_ = nullptr;
  CSxGroupBox* serialGroup_ = nullptr;
  QLineEdit* destination_ = nullptr;
  QPushButton* searchButton_ = nullptr;
  CDropButton* ports_ = nullptr;
  oRealEdit* baud_ = nullptr;
  SerialPortWatcher* watcher_ = nullptr;
};

}  // namespace qv
