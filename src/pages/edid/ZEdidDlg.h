#pragma once
// The EDID page: the timing each input announces to its source (active size,
// frame rate and, with "More", the blanking), held to the pixel clock the
// input's card takes; Apply sends it, "Restore" brings the factory EDID back.
// EdidControl knows the inputs and their records, EdidTimingLimits the clock.

#include <array>

#include "logic/edid/EdidControl.h"
#include "widgets/PageContext.h"
#include "widgets/ZBaseDialog.h"

class QPushButton;

namespace qv {

class CDropButton;
class CSxGroupBox;
class oRealEdit;

class ZEdidDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 156;
  static constexpr int kWidth = 560;
  // The height follows the blanking fields, shown or hidden.

  explicit ZEdidDlg(const PageContext& context, QWidget* parent = nullptr);

  // EDID, input and whole-state replies, and the apply result.
  void OnReply(ReplyKind kind, int arg) override;
  void ApplyLanguage(const LanguageTexts& texts) override;

  // The operator's controls, callable from tests as from clicks.
  void ChooseInput(int input);
  void Apply();
  void Restore();
  void ToggleMore(bool on);

  int input() const { return input_; }
  EdidTimingLimits::Timing fields() const;

 private:
  using Field = EdidTimingLimits::Field;

  void BuildSelect();
  void BuildTiming();
  void BuildMore();
  void AddNumber(QWidget& group, int labelId, const char* text, int x, int y, Field field);
  void RefillInputs();
  // The record of the chosen input, when there is one.
  void ShowEdid();
  void Commit(Field field);

  const DeviceModel& model_;
  const LanguageTexts& texts_;
  EdidControl control_;
  int input_ = 0;

  CSxGroupBox* selectGroup_ = nullptr;
  CSxGroupBox* moreGroup_ = nullptr;
  CDropButton* inputs_ = nullptr;
  std::array<oRealEdit*, 5> numbers_{};
  QPushButton* more_ = nullptr;
};

}  // namespace qv
