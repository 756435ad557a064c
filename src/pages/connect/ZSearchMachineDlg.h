#pragma once
// The machine search page: finds processors on the local network, shows each
// as a tile, watches whether each still answers, names them and connects the
// console to one of them. It lives beside the connection page.

#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "logic/connect/MachineList.h"
#include "project/InfoSettings.h"
#include "widgets/PageContext.h"
#include "widgets/ZBaseDialog.h"

class QPushButton;

namespace qv {

class CDropButton;
class CSxGroupBox;
class MachineTiles;

class ZSearchMachineDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 179;
  static constexpr int kWidth = 860;
  static constexpr int kCompletionMs = 1000;

  ZSearchMachineDlg(const PageContext& context, QWidget* parent = nullptr);

  const MachineList& machines() const { return list_; }
  MachineTiles& tiles() { return *tiles_; }

  // Search status, acknowledgements and hosts found.
  void OnReply(ReplyKind kind, int arg) override;
  void HostFound(const std::string& ip, const std::array<uint32_t, 2>& hostInfo);
  void LinkStatus(uint8_t address, bool arrived);
  void ReplyArrived(uint8_t address);

  // The operator's buttons, callable from tests as from clicks.
  void Search();
  void ConnectSelected();
  void Connect(int index, bool doubleClick);
  // Re-reads the computer's own addresses and chooses the first.
  void ReadLocalAddresses();

  void ApplyLanguage(const LanguageTexts& texts) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Apply(const MachineList::Effects& effects);
  void CompleteSearch();
  void ChooseLocalAddress(const QString& address);

  CommandEncoder& encoder_;
  InfoSettings& settings_;
  const LanguageTexts& texts_;
  const Prompts& prompts_;
  MachineList list_;
  MachineTiles* tiles_ = nullptr;
  CSxGroupBox* localGroup_ = nullptr;
  CDropButton* localAddresses_ = nullptr;
  QTimer completion_;
  // One watchdog per listed processor, by its timer id.
  std::map<int, std::unique_ptr<QTimer>> watchdogs_;
};

}  // namespace qv
