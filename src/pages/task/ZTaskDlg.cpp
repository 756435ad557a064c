#include "pages/task/ZTaskDlg.h"

#include <QDateEdit>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <memory>

#include "widgets/AppStyleSheet.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ChoiceButtons.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/PageFields.h"

namespace qv {

namespace {

using Option = TaskControl::Option;

constexpr int kMachineTime = 1900, kDateLabel = 1901, kLocalDate = 1902, kDateOrder = 1903,
              kTimeLabel = 1904, kLocalTime = 1905, kSync = 1906, kOnOff = 1165,
              kFirstTaskButton = 1908, kTimeSetting = 1918, kDatePicker = 1919, kTimePicker = 1920,
              kOptionLabel = 1921, kPresetLabel = 1925, kPresetList = 1926, kConfirm = 1927;

constexpr std::array<ChoiceButtons::Choice, 3> kOptions = {{
    {1922, "Not Use"},
    {1923, "Once"},
    {1924, "Every Day"},
}};

// The processor counts years after 2000 in a byte: the pickers reach as far.
const QDate kFirstDate(2000, 1, 1);
const QDate kLastDate(2255, 12, 31);

CivilTime CivilOf(const QDateTime& t) {
  const QDate d = t.date();
  const QTime c = t.time();
  return {d.year(), d.month(), d.day(), c.hour(), c.minute(), c.second()};
}

}  // namespace

ZTaskDlg::ZTaskDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, kNoTitle, parent),
      encoder_(context.encoder),
      model_(context.model),
      texts_(context.texts),
      control_(context.encoder) {
  setFixedSize(kWidth, kHeight);
  BuildClocks();
  BuildSchedule();
  BuildTaskEdit();
  auto monotonic = std::make_shared<QElapsedTimer>();
  monotonic->start();
  SetClocks(
      {[monotonic] { return monotonic->elapsed(); }, [] { return QDateTime::currentDateTime(); }});
  date_->setDate(QDate::currentDate());
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &ZTaskDlg::Tick);
  timer_.start();
  // The tasks show once the processor is read; until then the date is today's.
  MarkPresets();
  MarkTasks();
  hide();
}

void ZTaskDlg::SetClocks(Clocks clocks) {
  clocks_ = std::move(clocks);
  // Readings of two clocks do not compare: the time is asked for again.
  clock_ = MachineClock();
  Tick();
}

void ZTaskDlg::BuildClocks() {
  dateTimeGroup_ = new CSxGroupBox(texts_.Ui(UiText::DateAndTime), this);
  dateTimeGroup_->setGeometry(8, 8, kWidth - 16, 150);
  CSxGroupBox& g = *dateTimeGroup_;

  machineGroup_ = new CSxGroupBox(texts_.Ui(UiText::MachineTime), &g);
  machineGroup_->setGeometry(12, 24, 310, 70);
  machineTime_ = MakeControl<QLabel>(machineGroup_, kMachineTime, QRect(12, 28, 286, 28));
  QFont big = machineTime_->font();
  big.setPointSizeF(big.pointSizeF() * 1.3);
  big.setBold(true);
  machineTime_->setFont(big);

  localGroup_ = new CSxGroupBox(texts_.Ui(UiText::LocalTime), &g);
  localGroup_->setGeometry(334, 24, kWidth - 16 - 334 - 12, 112);
  CSxGroupBox& local = *localGroup_;
  MakeLabel(&local, kDateLabel, "Date :", QRect(12, 30, 60, 26));
  localDate_ = MakeControl<QLabel>(&local, kLocalDate, QRect(74, 30, 110, 26));
  MakeLabel(&local, kDateOrder, "(Y/M/D)", QRect(190, 30, 100, 26));
  MakeLabel(&local, kTimeLabel, "Time :", QRect(12, 68, 60, 26));
  localTime_ = MakeControl<QLabel>(&local, kLocalTime, QRect(74, 68, 110, 26));

  QPushButton* sync = MakeButton(&g, kSync, "SYNC", QRect(12, 106, 110, 30));
  connect(sync, &QPushButton::clicked, this, &ZTaskDlg::Sync);
}

void ZTaskDlg::BuildSchedule() {
  scheduleGroup_ = new CSxGroupBox(texts_.Ui(UiText::Schedule), this);
  scheduleGroup_->setGeometry(8, 166, kWidth - 16, 64);
  schedule_ = new CGdipButton(QStringLiteral("ON/OFF"), scheduleGroup_);
  SetControlId(*schedule_, kOnOff);
  schedule_->setGeometry(12, 28, 90, 26);
  connect(schedule_, &CGdipButton::clicked, this, &ZTaskDlg::SwitchSchedule);
  NameSwitch();
}

void ZTaskDlg::BuildTaskEdit() {
  taskGroup_ = new CSxGroupBox(texts_.Ui(UiText::TaskEdit), this);
  taskGroup_->setGeometry(8, 238, kWidth - 16, kHeight - 238 - 8);
  CSxGroupBox& g = *taskGroup_;
  for (int t = 0; t < kTaskCount; ++t) {
    QPushButton* b = MakeButton(&g, kFirstTaskButton + t, QString::number(t + 1),
                                QRect(12 + 66 * t, 28, 58, 28));
    b->setCheckable(true);
    connect(b, &QPushButton::clicked, this, [this, t] { ChooseTask(t); });
    taskButtons_[static_cast<std::size_t>(t)] = b;
  }

  MakeLabel(&g, kTimeSetting, "Time Setting", QRect(12, 70, 110, 26));
  QLabel* dateLabel = MakeLabel(&g, kDateLabel, "Date :", QRect(126, 70, 50, 26));
  date_ = MakeControl<QDateEdit>(&g, kDatePicker, QRect(178, 70, 130, 26));
  date_->setDateRange(kFirstDate, kLastDate);
  date_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
  date_->setCalendarPopup(true);
  dateLabel->setBuddy(date_);
  QLabel* timeLabel = MakeLabel(&g, kTimeLabel, "Time :", QRect(322, 70, 50, 26));
  time_ = MakeControl<QTimeEdit>(&g, kTimePicker, QRect(374, 70, 110, 26));
  time_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  // Typed, or stepped with the arrow keys and the wheel, as the numeric fields are.
  time_->setButtonSymbols(QAbstractSpinBox::NoButtons);
  timeLabel->setBuddy(time_);

  MakeLabel(&g, kOptionLabel, "Task Option", QRect(12, 108, 110, 28));
  options_ = new ChoiceButtons(kOptions, 3, &g);
  options_->setGeometry(126, 108, 358, 28);

  QLabel* presetLabel = MakeLabel(&g, kPresetLabel, "Preset", QRect(12, 146, 110, 26));
  presets_ = MakeControl<CDropButton>(&g, kPresetList, QRect(126, 146, 100, 26));
  for (int n = 0; n < kPresetCount; ++n) presets_->AddEntry(QString::number(n + 1), n);
  presetLabel->setBuddy(presets_);

  QPushButton* confirm = MakeButton(&g, kConfirm, "Confirm", QRect(374, 146, 110, 28));
  connect(confirm, &QPushButton::clicked, this, &ZTaskDlg::Confirm);
}

void ZTaskDlg::Tick() {
  if (!clocks_.now || !clocks_.monotonicMs) return;
  const QDateTime now = clocks_.now();
  ShowLocalTime(now);
  const MachineClock::Tick tick = clock_.Advance(clocks_.monotonicMs(), now.toMSecsSinceEpoch());
  if (tick.shown) ShowMachineTime(*tick.shown);
  // The computer's clock jumped: the processor's own clock says where it is.
  if (tick.ask) encoder_.EncodeAndSend(CommandType::TaskCommand, {0});
}

void ZTaskDlg::ShowLocalTime(const QDateTime& now) {
  const QDate d = now.date();
  const QTime t = now.time();
  localDate_->setText(QStringLiteral("%1/%2/%3")
                          .arg(d.year())
                          .arg(d.month(), 2, 10, QChar('0'))
                          .arg(d.day(), 2, 10, QChar('0')));
  localTime_->setText(t.toString(QStringLiteral("HH:mm:ss")));
}

void ZTaskDlg::ShowMachineTime(const CivilTime& time) {
  machineTime_->setText(QStringLiteral("%1/%2/%3 %4:%5:%6")
                            .arg(time.year)
                            .arg(time.month)
                            .arg(time.day)
                            .arg(time.hour, 2, 10, QChar('0'))
                            .arg(time.minute, 2, 10, QChar('0'))
                            .arg(time.second, 2, 10, QChar('0')));
}

void ZTaskDlg::Sync() {
  if (PageFields::Closed(*this)) return;
  clock_.Forget();
  control_.Sync(CivilOf(clocks_.now()));
}

void ZTaskDlg::SwitchSchedule(bool on) {
  if (PageFields::Closed(*this)) return;
  control_.SetSchedule(on);
}

void ZTaskDlg::ChooseTask(int t) {
  if (t < 0 || t >= kTaskCount) return;
  task_ = t;
  ShowTask();
}

void ZTaskDlg::ShowTask() {
  const TaskControl::Shown s = control_.Show(task_);
  date_->setDate(QDate(s.when.year, s.when.month, s.when.day));
  time_->setTime(QTime(s.when.hour, s.when.minute, s.when.second));
  presets_->SelectByValue(s.preset);
  options_->Select(s.option);
  MarkTasks();
}

void ZTaskDlg::MarkTasks() {
  for (int t = 0; t < kTaskCount; ++t) {
    QPushButton& b = *taskButtons_[static_cast<std::size_t>(t)];
    b.setChecked(t == task_);
    b.setProperty("stored", control_.InUse(t));
    Repolish(b);
  }
}

void ZTaskDlg::MarkPresets() {
  for (int n = 0; n < kPresetCount; ++n) presets_->SetGreyed(n, model_.PresetValid[n] == 0);
}

void ZTaskDlg::Confirm() {
  if (PageFields::Closed(*this)) return;
  const QDate d = date_->date();
  const QTime t = time_->time();
  const int chosen = options_->selected();
  const std::optional<Option> option =
      chosen >= 0 ? std::optional<Option>(static_cast<Option>(chosen)) : std::nullopt;
  const int preset =
      presets_->selectedIndex() >= 0 ? presets_->entry(presets_->selectedIndex()).value : 0;
  control_.Confirm(task_, {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()}, option,
                   preset);
  MarkTasks();
}

void ZTaskDlg::OnReply(ReplyKind kind, int) {
  switch (kind) {
    case ReplyKind::ClockReply:
      clock_.Reload(model_.DeviceClock, clocks_.monotonicMs());
      ShowMachineTime({2000 + model_.DeviceClock[0], model_.DeviceClock[1], model_.DeviceClock[2],
                       model_.DeviceClock[3], model_.DeviceClock[4], model_.DeviceClock[5]});
      break;
    case ReplyKind::FullStateReply:
      MarkPresets();
      [[fallthrough]];
    case ReplyKind::TaskReply:
      schedule_->SetState(model_.rec.TaskStatus != 0);
      ShowTask();
      break;
    case ReplyKind::PresetFlagsReply:
      MarkPresets();
      ShowTask();
      break;
    default:
      break;
  }
}

void ZTaskDlg::showEvent(QShowEvent* event) {
  ZBaseDialog::showEvent(event);
  ShowLocalTime(clocks_.now());
  // A preset saved meanwhile can be chosen.
  MarkPresets();
}

// "ON/OFF" reads as the switch of its group.
void ZTaskDlg::NameSwitch() {
  schedule_->setAccessibleName(scheduleGroup_->caption());
}

void ZTaskDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  dateTimeGroup_->SetCaption(texts.Ui(UiText::DateAndTime));
  machineGroup_->SetCaption(texts.Ui(UiText::MachineTime));
  localGroup_->SetCaption(texts.Ui(UiText::LocalTime));
  scheduleGroup_->SetCaption(texts.Ui(UiText::Schedule));
  taskGroup_->SetCaption(texts.Ui(UiText::TaskEdit));
  NameSwitch();
}

}  // namespace qv
