#pragma once
// The time and tasks page: the processor's clock beside the computer's,
// "SYNC" to set the processor's from the computer's, and the processor's
// schedule of ten tasks, each loading a preset at a date and time, once or
// every day. TaskControl holds the tasks' rules and MachineClock the shown
// processor time, moved on once a second between the processor's answers.

#include <QDateTime>
#include <QTimer>
#include <array>
#include <functional>

#include "logic/task/MachineClock.h"
#include "logic/task/TaskControl.h"
#include "widgets/PageContext.h"
#include "widgets/ZBaseDialog.h"

class QDateEdit;
class QLabel;
class QPushButton;
class QTimeEdit;

namespace qv {

class CDropButton;
class CGdipButton;
class ChoiceButtons;
class CSxGroupBox;

class ZTaskDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 162;
  static constexpr int kWidth = 700;
  static constexpr int kHeight = 438;
  static constexpr int kTickMs = 1000;

  // Where the page reads the time: a monotonic clock in milliseconds for the
  // processor time's advance, and the computer's local time for its own
  // clock. Tests give their own.
  struct Clocks {
    std::function<int64_t()> monotonicMs;
    std::function<QDateTime()> now;
  };

  explicit ZTaskDlg(const PageContext& context, QWidget* parent = nullptr);

  void SetClocks(Clocks clocks);
  // The one-second tick: both clocks shown again.
  void Tick();

  // Clock, task, preset and whole-state replies.
  void OnReply(ReplyKind kind, int arg) override;
  void ApplyLanguage(const LanguageTexts& texts) override;

  // The operator's buttons, callable from tests as from clicks.
  void Sync();
  void ChooseTask(int t);
  void Confirm();
  void SwitchSchedule(bool on);

  int task() const { return task_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildClocks();
  void BuildSchedule();
  void BuildTaskEdit();
  // Task buttons marked while their task is in use, the chosen one highlighted.
  void MarkTasks();
  void MarkPresets();
  void ShowTask();
  void ShowLocalTime(const QDateTime& now);
  void ShowMachineTime(const CivilTime& time);
  void NameSwitch();

  CommandEncoder& encoder_;
  DeviceModel& model_;
  const LanguageTexts& texts_;
  TaskControl control_;
  MachineClock clock_;
  Clocks clocks_;
  QTimer timer_;
  int task_ = 0;

  CSxGroupBox* dateTimeGroup_ = nullptr;
  CSxGroupBox* machineGroup_ = nullptr;
  CSxGroupBox* localGroup_ = nullptr;
  CSxGroupBox* scheduleGroup_ = nullptr;
  CSxGroupBox* taskGroup_ = nullptr;
  QLabel* machineTime_ = nullptr;
  QLabel* localDate_ = nullptr;
  QLabel* localTime_ = nullptr;
  CGdipButton* schedule_ = nullptr;
  std::array<QPushButton*, kTaskCount> taskButtons_{};
  QDateEdit* date_ = nullptr;
  QTimeEdit* time_ = nullptr;
  ChoiceButtons* options_ = nullptr;
  CDropButton* presets_ = nullptr;
};

}  // namespace qv
