#pragma once
// The right-hand column of the console window: how the console is linked and
// whether the processor answers, the switcher state, the output sync, the
// composite board's port switch, layer locking and the language. The column
// shows what it is given and reports the operator's choices; the window acts.

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <string>

#include "i18n/LanguageFiles.h"
#include "link/DeviceModel.h"
#include "widgets/PageContext.h"
#include "widgets/PageFields.h"

namespace qv {

class CDropButton;
class CSxGroupBox;
class LanguageTexts;

class ControlColumn final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 196;
  // The drop lists' ids, as the window has always known them.
  static constexpr int kGenlockListId = 0xAFC0;
  static constexpr int kSyncModeListId = 0xAFD0;
  static constexpr int kPortSwitchListId = 0xFF77;
  static constexpr int kBoardQueryDelayMs = 50;
  enum class Language { English = 0, Chinese = 1 };

  explicit ControlColumn(const PageContext& context, QWidget* parent = nullptr);

  void SetLink(bool networkMode, bool answering, const QString& where);
  void SetSwitcher(bool on, const QString& text);
  void SetSwitcherEnabled(bool enabled) { switcher_->setEnabled(enabled); }
  // Sync lists and the port switch follow the model.
  void ShowModel();
  // The port switch entries name what the composite board reported.
  void RefillPortSwitch();
  void SetLanguage(Language language);
  void ApplyLanguage(const LanguageTexts& texts);

  bool lampOn() const { return lampOn_; }
  bool layersLocked() const { return lockLayer_->isChecked(); }
  CDropButton& genlockList() { return *genlock_; }
  CDropButton& syncModeList() { return *syncMode_; }
  CDropButton& portSwitchList() { return *portSwitch_; }
  QPushButton& signalSwitch() { return *signalSwitch_; }

 signals:
  void switcherClicked();
  void signalSwitchClicked();
  void layersLockToggled(bool locked);
  void languageChosen(Language language);
  void previewClicked();
  void videoSettingsClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void AddFields(const PageContext& context);

  const DeviceModel& model_;
  PageFields fields_;
  std::array<CSxGroupBox*, 6> groups_{};
  QLabel* linkKind_ = nullptr;
  QLabel* linkWhere_ = nullptr;
  QPushButton* switcher_ = nullptr;
  CDropButton* genlock_ = nullptr;
  CDropButton* syncMode_ = nullptr;
  CDropButton* portSwitch_ = nullptr;
  QPushButton* signalSwitch_ = nullptr;
  QPushButton* lockLayer_ = nullptr;
  QPushButton* preview_ = nullptr;
  QPushButton* videoSettings_ = nullptr;
  QPushButton* english_ = nullptr;
  QPushButton* chinese_ = nullptr;
  bool lampOn_ = false;
};

}  // namespace qv
