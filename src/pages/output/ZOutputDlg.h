#pragma once
// The output page: the output's resolution (eighteen fixed ones and a
// customised timing held to what the transmitter can clock), and the
// position, size and rotation of the four windows. OutputControl does what
// the buttons do to the model and the processor; OutputTimingLimits holds the
// customised fields to the clock as they are committed.

#include <QImage>
#include <array>

#include "logic/output/OutputControl.h"
#include "widgets/PageContext.h"
#include "widgets/PageFields.h"
#include "widgets/ZBaseDialog.h"

class QLabel;
class QPushButton;

namespace qv {

class CDropButton;
class ChoiceButtons;
class CSxGroupBox;
class WindowButtons;
class oRealEdit;

class ZOutputDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 117;
  // The height follows the timing section, open or closed.
  static constexpr int kWidth = 640;
  // The resolution the page shows before the processor was read.
  static constexpr int kInitialResolution = 10;

  explicit ZOutputDlg(const PageContext& context, QWidget* parent = nullptr);

  // Output and window replies, the switcher's mode.
  void OnReply(ReplyKind kind, int arg) override;
  // The main page made a window current or moved it: the page edits it.
  void OnPageRequest(PageRequest code, int argument, const QString& text) override;
  void ApplyLanguage(const LanguageTexts& texts) override;

  // The operator's controls, callable from tests as from clicks.
  void ChooseResolution(int entry);
  void Apply();
  // More on shows the timing section, off hides it.
  void ShowMore(bool on);
  void ChooseWindow(int window);
  void ChooseRotation(int rotation);

  int window() const { return window_; }
  bool moreOn() const;
  // The preview picture as the chosen window's rotation shows it.
  const QImage& preview() const { return shown_; }

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  enum Field { HActive, VActive, Fps, HTotal, VTotal, kFieldCount };

  void BuildResolution();
  void BuildWindows();
  void BuildRotation();
  void FillResolutions(const LanguageTexts& texts);

  // The list, the fields and the timing section for entry `entry`; the
  // customised fields are unlocked only for the customised entry.
  void ShowResolution(int entry);
  // What the processor runs, discarding edits not applied.
  void ShowTiming();
  void CommitActive(Field field);
  void RaiseTotal(Field total);
  OutputTimingLimits::Active ActiveFields() const;
  OutputTimingLimits::Timing TimingFields() const;

  void ShowWindow();
  void ShowRotation();
  void CommitWindowField(OutputControl::WindowField field, double value);
  void SizeWindow(OutputControl::WindowSize size);

  CommandEncoder& encoder_;
  DeviceModel& model_;
  const LanguageTexts& texts_;
  OutputControl control_;
  PageFields fields_;
  int window_ = 0;

  CSxGroupBox* resolutionGroup_ = nullptr;
  CSxGroupBox* windowsGroup_ = nullptr;
  CSxGroupBox* rotateGroup_ = nullptr;
  CDropButton* resolutions_ = nullptr;
  std::array<oRealEdit*, kFieldCount> numbers_{};
  QPushButton* apply_ = nullptr;
  QPushButton* more_ = nullptr;
  // The timing fields, the polarity lists and their labels.
  std::vector<QWidget*> timingSection_;
  CDropButton* hPol_ = nullptr;
  CDropButton* vPol_ = nullptr;
  WindowButtons* windows_ = nullptr;
  std::array<oRealEdit*, 4> windowFields_{};
  ChoiceButtons* rotations_ = nullptr;
  QLabel* picture_ = nullptr;
  QImage original_;
  QImage shown_;
};

}  // namespace qv
