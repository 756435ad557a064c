#include "pages/media/ZMediaPlayerDlg.h"

#include <QPushButton>
#include <array>

#include "link/CommandEncoder.h"
#include "widgets/ChoiceButtons.h"
#include "widgets/ControlId.h"

namespace qv {

namespace {

struct Key {
  int id;
  const char* text;
  int code;
  QRect place;
};
// Laid out as a remote control: the arrows around OK.
constexpr std::array<Key, 7> kKeys = {{
    {1575, "OK", 1, {170, 124, 80, 34}},
    {1576, "Return", 2, {12, 204, 110, 32}},
    {1577, "切换", 3, {298, 204, 110, 32}},
    {1578, "上", 4, {170, 82, 80, 34}},
    {1579, "下", 5, {170, 166, 80, 34}},
    {1580, "左", 6, {82, 124, 80, 34}},
    {1581, "右", 7, {258, 124, 80, 34}},
}};
constexpr std::array<ChoiceButtons::Choice, 2> kDisks = {{{1582, "UDISK1"}, {1583, "UDISK2"}}};
// The expansion slots that can hold a disk, by disk.
constexpr std::array<int, 2> kDiskSlots = {6, 7};

}  // namespace

ZMediaPlayerDlg::ZMediaPlayerDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::MediaPlayerTitle, parent),
      encoder_(context.encoder),
      model_(context.model) {
  setFixedSize(kWidth, kHeight);
  disks_ = new ChoiceButtons(kDisks, 2, this);
  disks_->setGeometry(12, 38, 240, 30);
  for (const Key& key : kKeys) {
    QPushButton* b = MakeButton(this, key.id, QString::fromUtf8(key.text), key.place);
    connect(b, &QPushButton::clicked, this, [this, code = key.code] { PressKey(code); });
  }
  ShowDisks();
  hide();
}

int ZMediaPlayerDlg::disk() const {
  return disks_->selected() < 0 ? 0 : disks_->selected();
}

void ZMediaPlayerDlg::PressKey(int code) {
  encoder_.EncodeAndSend(CommandType::MediaPlayerCommand,
                         {static_cast<uint8_t>(code), static_cast<uint8_t>(disk())});
}

void ZMediaPlayerDlg::ShowDisks() {
  std::array<bool, 2> fitted{};
  for (std::size_t d = 0; d < fitted.size(); ++d) {
    fitted[d] = model_.rec.InputSrc[kDiskSlots[d]] == kDiskSource;
    disks_->button(static_cast<int>(d))->setEnabled(fitted[d]);
  }
  // With one disk the keys go to it.
  if (fitted[0] != fitted[1]) disks_->Select(fitted[0] ? 0 : 1);
}

void ZMediaPlayerDlg::OnReply(ReplyKind kind, int) {
  if (kind == ReplyKind::FullStateReply || kind == ReplyKind::InputStateReply) ShowDisks();
}

}  // namespace qv
