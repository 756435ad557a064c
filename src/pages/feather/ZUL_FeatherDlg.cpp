#include "pages/feather/ZUL_FeatherDlg.h"

#include <QPainter>

#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/WidgetColours.h"

namespace qv {

namespace {

constexpr int kToggle = 2086;
// The group of the window that follows the mosaic mode.
constexpr int kFirstGroup = 0;

// The toggle is a picture without caption: a switch, its knob left when off
// and right, in the accent colour, when on.
QPixmap SwitchPicture(bool on) {
  QPixmap pixmap(64, 28);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(on ? colours::kAccent : colours::kRaised);
  p.drawRoundedRect(QRectF(2, 4, 60, 20), 10, 10);
  p.setBrush(on ? colours::kGround : colours::kTextDim);
  p.drawEllipse(QPointF(on ? 50 : 14, 14), 8, 8);
  return pixmap;
}

std::vector<CDropList::Entry> Shapes(const LanguageTexts& texts) {
  std::vector<CDropList::Entry> entries;
  for (int i = 0; i < 5; ++i) entries.push_back({texts.Ui(Nth(UiText::Rectangle, i)), i + 1});
  return entries;
}

std::vector<CDropList::Entry> Levels(const LanguageTexts&) {
  std::vector<CDropList::Entry> entries;
  for (int level = 0; level < 4; ++level) entries.push_back({QString::number(level), level});
  return entries;
}

QString FirstCaption(int window) {
  return QStringLiteral("PIP%1").arg(window);
}

}  // namespace

ZUL_FeatherDlg::ZUL_FeatherDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::FeatheringTitle, parent),
      model_(context.model),
      control_(context.encoder),
      fields_(context.encoder, context.texts, *this) {
  setFixedSize(kWidth, kHeight);
  toggle_ = new CGdipButton(this);
  SetControlId(*toggle_, kToggle);
  toggle_->SetImages(SwitchPicture(false), SwitchPicture(true));
  toggle_->setGeometry(12, 36, 64, 28);
  toggle_->setAccessibleName(context.texts.Ui(UiText::FeatheringTitle));
  connect(toggle_, &CGdipButton::clicked, this, &ZUL_FeatherDlg::Switch);

  first_ = new CSxGroupBox(FirstCaption(firstWindow_), this);
  first_->setGeometry(8, 74, kWidth - 16, 100);
  auto* second = new CSxGroupBox(FirstCaption(FeatherControl::kLastWindow), this);
  second->setGeometry(8, 182, kWidth - 16, 100);
  for (CSxGroupBox* group : {first_, second}) {
    const int window = group == first_ ? kFirstGroup : FeatherControl::kLastWindow;
    AddList(*group, 2080, "Sharp", 28, true, window);
    AddList(*group, 2081, "Level", 62, false, window);
  }
  Enable(false);
  hide();
}

// `group2Window` is the second group's window, or kFirstGroup for the
// first group's, which follows the mosaic mode.
CDropButton* ZUL_FeatherDlg::AddList(CSxGroupBox& group, int labelId, const char* label, int y,
                                     bool sharp, int group2Window) {
  const auto window = [this, group2Window] {
    return group2Window == kFirstGroup ? firstWindow_ : group2Window;
  };
  auto* list = &fields_.Add<CDropButton>(
      group, {.kind = FieldKind::Choice,
              .id = 2082 + static_cast<int>(lists_.size()),
              .place = {90, y + 2, 160, 20},
              .label = {.id = labelId, .text = label, .place = {12, y, 74, 24}},
              .entries = sharp ? Shapes : Levels,
              .get =
                  [window, sharp](const DeviceModel& m) {
                    return sharp ? m.FeatherSharp[window()] : m.FeatherLevel[window()];
                  },
              .set =
                  [this, window, sharp](DeviceModel&, double v) {
                    if (sharp) {
                      control_.SetSharp(window(), static_cast<int>(v));
                    } else {
                      control_.SetLevel(window(), static_cast<int>(v));
                    }
                  }});
  lists_.push_back(list);
  return list;
}

void ZUL_FeatherDlg::Enable(bool on) {
  for (CDropButton* list : lists_) list->setEnabled(on);
}

void ZUL_FeatherDlg::Switch(bool on) {
  if (PageFields::Closed(*this)) return;
  // A refusal is silent: the toggle simply stays off.
  if (!control_.Switch(on)) {
    toggle_->SetState(false);
    return;
  }
  Enable(on);
  emit pageRequest(PageRequest::LockLayers, on ? 1 : 0);
}

void ZUL_FeatherDlg::FollowMosaicMode() {
  firstWindow_ = FeatherControl::FirstWindow(model_.rec.MosaicMode, firstWindow_);
  first_->SetCaption(FirstCaption(firstWindow_));
  fields_.Refresh();
}

void ZUL_FeatherDlg::Reload() {
  FollowMosaicMode();
  toggle_->SetState(control_.on());
  Enable(control_.on());
  emit pageRequest(PageRequest::LockLayers, control_.on() ? 1 : 0);
}

void ZUL_FeatherDlg::OnReply(ReplyKind kind, int) {
  if (kind == ReplyKind::FullStateReply || kind == ReplyKind::FeatherReply) Reload();
}

void ZUL_FeatherDlg::OnPageRequest(PageRequest code, int, const QString&) {
  if (code != PageRequest::MosaicMode) return;
  // Only the first group follows; the lock stays as the last reply said.
  FollowMosaicMode();
}

void ZUL_FeatherDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  toggle_->setAccessibleName(texts.Ui(UiText::FeatheringTitle));
  fields_.RefillEntries();
}

}  // namespace qv
