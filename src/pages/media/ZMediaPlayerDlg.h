#pragma once
// The media player page: a remote control for the processor's player of the
// two USB disks, seven keys and the disk they act on.

#include "widgets/PageContext.h"
#include "widgets/ZBaseDialog.h"

namespace qv {

class ChoiceButtons;
class CommandEncoder;

class ZMediaPlayerDlg final : public ZBaseDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 1563;
  static constexpr int kWidth = 420;
  static constexpr int kHeight = 250;
  // A disk in an expansion slot shows as this source type.
  static constexpr int kDiskSource = 9;

  explicit ZMediaPlayerDlg(const PageContext& context, QWidget* parent = nullptr);

  // Which disks are fitted: the processor's whole state and its inputs.
  void OnReply(ReplyKind kind, int arg) override;

  // A key (code 1..7) goes to the chosen disk, or to the first without one.
  void PressKey(int code);
  int disk() const;

 private:
  void ShowDisks();

  CommandEncoder& encoder_;
  DeviceModel& model_;
  ChoiceButtons* disks_ = nullptr;
};

}  // namespace qv
