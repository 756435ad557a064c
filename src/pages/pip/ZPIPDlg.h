#pragma once
// The PIP page: the three picture-in-picture windows (windows 1..3) switched
// on and off, each one's input chosen and its transparency (alpha) set. The
// window sends a chosen input, since the input panel and the main page follow
// it too; the page sends the windows' state itself.

#include <array>

#include "logic/pip/PipControlStates.h"
#include "widgets/PageContext.h"
#include "widgets/PageFields.h"
#include "widgets/ZBaseDialog.h"

namespace qv {

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class oSliderEdit;

class ZPIPDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 150;
  static constexpr int kWidth = 470;
  static constexpr int kHeight = 356;
  static constexpr int kPipCount = PipControlStates::kPipCount;
  static constexpr int kAlphaMax = 64;

  explicit ZPIPDlg(const PageContext& context, QWidget* parent = nullptr);

  void OnReply(ReplyKind kind, int arg) override;
  void OnPageRequest(PageRequest code, int argument, const QString& text) override;

 private:
  struct Group {
    CSxGroupBox* box = nullptr;
    CGdipButton* toggle = nullptr;
    oSliderEdit* alpha = nullptr;
    CDropButton* input = nullptr;
  };

  void BuildGroup(int pip);
  // The operator's ON/OFF press on PIP `pip` (0..2), the toggle showing `on`.
  void Toggle(int pip, bool on);
  // The windows as the model holds them; with `announce` the window's pages
  // are told each PIP's input, so that the main page relabels its cells.
  void Reload(bool announce);
  void Show(const PipControlStates::Pips& states);

  DeviceModel& model_;
  CommandEncoder& encoder_;
  PageFields fields_;
  std::array<Group, kPipCount> groups_;
  PipControlStates::Pips states_ = PipControlStates::Initial();
};

}  // namespace qv
