#pragma once
// The console's one window: the input panel across the top, the page buttons
// down the left, the outputs in the middle, presets, TAKE and the link lamp
// along the bottom. It turns the processor's notifications into refreshes
// and the operator's buttons into commands.

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "app/ConsoleCore.h"
#include "app/ControlColumn.h"
#include "app/PageRegistry.h"
#include "app/WaitingDialog.h"
#include "logic/shell/PresetControl.h"
#include "widgets/LanguageTexts.h"
#include "widgets/PageContext.h"
#include "widgets/PageId.h"
#include "widgets/PageRequest.h"
#include "widgets/Prompts.h"

namespace qv {

class InputPanel;
class NameBox;
class ZBaseDialog;
struct PageRow;

class ZulanDlg final : public QWidget, public NotificationSink {
  Q_OBJECT

 public:
  static constexpr int kMinWidth = 1280;
  static constexpr int kMinHeight = 728;
  // Page buttons, by ShowPage index.
  static constexpr int kPageCount = 12;
  static constexpr int kConnectionPage = page_button::kConnection;
  static constexpr int kMiscPage = page_button::kMisc;
  static constexpr int kTitleTimerMs = 5000;
  inline static const char* const kProductTitle = "QV-410 Serial-VideoProcessor";

  using Prompts = qv::Prompts;

  ZulanDlg(std::unique_ptr<CommLink> link, SettingsLocation location, QWidget* parent = nullptr);
  ~ZulanDlg() override;

  // Start-up after construction: language, handlers, project, title timer.
  void Start(const std::string& localeName, const std::filesystem::path& shippedLanguages);
  // Opens a network link to `host` and reads the processor's whole state once
  // the link is up, as choosing a found processor does.
  void ConnectTo(const std::string& host, int port);

  // Tests replace the message boxes to answer without a person.
  void SetPrompts(Prompts prompts) { prompts_ = std::move(prompts); }
  // The name shown under preset button `number` of the list chosen.
  QString presetName(int number) const { return presetNames_.at(number)->text(); }

  ConsoleCore& core() { return *core_; }
  WaitingDialog& waiting() { return *waiting_; }
  InputPanel& inputPanel() { return *inputPanel_; }
  ControlColumn& controlColumn() { return *column_; }
  // The page registered as `id`; null for a page not built.
  ZBaseDialog* page(PageId id) const;
  template <typename Page>
  Page& page(PageId id) const {
    return static_cast<Page&>(*page(id));
  }
  int lastNotifyKind() const { return lastNotifyKind_; }
  bool linkLamp() const { return linkLamp_; }
  int currentPage() const { return currentPage_; }
  QPushButton* pageButton(int index) const { return pageButtons_.at(index); }

  // Shows page `index` (0..11) and hides the one shown; with `toggle`, the
  // button of the page already shown closes it. Other indices only close.
  void ShowPage(int index, bool toggle);
  // What pages and the window's own controls ask: the window does its part,
  // then every page follows.
  void HandlePageRequest(PageRequest code, int argument, const QString& text = QString());
  // English or Chinese: every window takes the chosen file's texts at once.
  void SwitchLanguage(ControlColumn::Language language);

  // The operator's buttons, callable from tests as from clicks.
  void ChoosePresetList(PresetControl::List list);
  void ChoosePreset(int number);
  void LoadPreset();
  void SavePreset();
  void Take();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // NotificationSink, on the UI thread.
  void Notify(ReplyKind kind, int arg) override;
  void CloseWaitingDialog() override;

  void BuildControls();
  void BuildPages();
  void LayOut();
  void ApplyLanguage();
  void SwapBoardSource();
  // Page requests 1467..1470: 0 or 1 toggles the page, 2 or more hides it.
  void TogglePage(const PageRow& row, ZBaseDialog& page, int argument);
  void SetPageShown(const PageRow& row, ZBaseDialog& page, bool show);
  // The misc area's views (request 1442): showing one hides the others.
  void ShowMiscView(MiscView view, bool show);
  // "TEST PATTERN" and "TIME/TASK": the page shown closes, and their view
  // opens, or closes when it was open.
  void ToggleMiscView(MiscView view);
  QPushButton* ViewButton(MiscView view) const;
  // Tells every page that the pages of page button `button` were shown or hidden.
  void TellButtonShown(int button, bool shown);
  ZBaseDialog* ViewPage(MiscView view) const;
  // The button that shows the page of `row`; null for none.
  QPushButton* ButtonOf(const PageRow& row) const;
  // "VGA ADJ." opens only while a window shows a VGA input; an open VGA page
  // closes when none does.
  void RefreshVgaButton();
  void TellPageShown(PageId id, bool shown);
  void ShowWaiting(const QString& text);
  void OnPageClosed(const PageRow& row);
  void CommitPresetRename();
  void RefreshPresetButtons();
  void RefreshSwitcher();
  void SetLinkLamp(bool on);
  void RefreshLinkColumn();
  void RefreshPortSwitch();
  void TickTitle();
  QString Ui(UiText text) const;

  std::unique_ptr<ConsoleCore> core_;
  std::unique_ptr<PresetControl> presets_;
  LanguageTexts texts_;
  WaitingDialog* waiting_ = nullptr;
  Prompts prompts_;
  PageContext context_;

  std::array<QPushButton*, kPageCount> pageButtons_{};
  QPushButton* testPatternButton_ = nullptr;
  QPushButton* timeTaskButton_ = nullptr;
  QPushButton* presetListButton_ = nullptr;
  QPushButton* templateListButton_ = nullptr;
  std::array<QPushButton*, kPresetCount> presetButtons_{};
  std::array<QLabel*, kPresetCount> presetNames_{};
  QPushButton* loadButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* freezeButton_ = nullptr;
  QPushButton* takeButton_ = nullptr;
  NameBox* presetNameBox_ = nullptr;
  int renamingPreset_ = -1;
  InputPanel* inputPanel_ = nullptr;
  ControlColumn* column_ = nullptr;
  struct BuiltPage {
    const PageRow* row;
    ZBaseDialog* page;
  };
  // In the registry's order.
  std::vector<BuiltPage> pages_;
  // By page button index, the pages it shows together; none where no page
  // is registered.
  std::array<std::vector<ZBaseDialog*>, kPageCount> buttonPages_{};
  int currentPage_ = -1;
  bool switcherOn_ = false;

  QTimer titleTimer_;
  bool titleShowsProduct_ = false;
  int lastNotifyKind_ = -1;
  bool linkLamp_ = false;
  // The processor ConnectTo is waiting for, by device address; -1 for none.
  int pendingConnect_ = -1;
  std::string pendingHost_;
  // What the connection status shows: the address or serial port linked.
  QString linkWhere_;
  bool sHeld_ = false;  // S held down: a digit saves that preset
};

}  // namespace qv
