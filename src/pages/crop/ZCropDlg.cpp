#include "pages/crop/ZCropDlg.h"

#include <QLabel>
#include <QPushButton>

#include "link/CommandEncoder.h"
#include "pages/common/WindowButtons.h"
#include "pages/crop/CropPreview.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"
#include "widgets/PageFields.h"
#include "widgets/oRealEdit.h"

namespace qv {

namespace {

constexpr int kOnOff = 1165;
constexpr int kReset = 1858;
constexpr int kInputText = 1859;

struct CropFieldRow {
  int labelId;
  const char* label;
  double minimum;
};
constexpr std::array<CropFieldRow, 4> kFields = {{{1850, "H Start : ", 0},
                                                  {1852, "V Start : ", 0},
                                                  {1854, "Width : ", 32},
                                                  {1856, "Height : ", 32}}};

}  // namespace

ZCropDlg::ZCropDlg(const PageContext& context, QWidget* parent)
    : ZBaseDialog(kTemplateId, UiText::CropTitle, parent),
      encoder_(context.encoder),
      model_(context.model),
      texts_(context.texts) {
  setFixedSize(kWidth, kHeight);
  windows_ = new WindowButtons(this);
  windows_->setGeometry(12, 36, 380, 28);
  connect(windows_, &WindowButtons::windowChosen, this, &ZCropDlg::ChooseWindow);

  auto* g = new CSxGroupBox(QString(), this);
  g->setGeometry(8, 72, kWidth - 16, 152);
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    const CropFieldRow& s = kFields[i];
    const int y = 14 + 34 * static_cast<int>(i);
    oRealEdit* field =
        MakeNumberField(g, s.labelId, s.label, QRect(12, y, 84, 24), s.labelId + 1,
                        QRect(98, y, 64, 24), s.minimum, 9999, NumberFormat::Int, false);
    connect(field, &oRealEdit::committed, this, &ZCropDlg::Commit);
    fields_[i] = field;
  }
  onOff_ = new CGdipButton(QStringLiteral("ON/OFF"), g);
  SetControlId(*onOff_, kOnOff);
  onOff_->setGeometry(190, 14, 90, 26);
  connect(onOff_, &CGdipButton::clicked, this, &ZCropDlg::Switch);
  reset_ = MakeButton(g, kReset, "Reset", QRect(190, 48, 90, 26));
  connect(reset_, &QPushButton::clicked, this, &ZCropDlg::Reset);
  input_ = MakeControl<QLabel>(g, kInputText, QRect(190, 84, 180, 48));
  input_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  preview_ = new CropPreview(g);
  preview_->move(392, 14);
  Reload();
  hide();
}

CropSettings& ZCropDlg::Record() {
  // The record the processor applies now, and the one SetCrop carries.
  return model_.rec.Crop[model_.PictureRecordOf(window_)];
}

void ZCropDlg::Reload() {
  const CropSettings& crop = Record();
  const CropArea area = CropArea::Of(crop);
  const int values[] = {area.hStart, area.vStart, area.width, area.height};
  const bool on = crop.CropOnOff != 0;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    fields_[i]->ShowValue(values[i]);
    fields_[i]->setEnabled(on);
  }
  onOff_->SetState(on);
  preview_->Show(area.InPreview(crop.HTotal, crop.VTotal, CropPreview::kFrameWidth,
                                CropPreview::kFrameHeight));
  input_->setText(texts_.Ui(UiText::InputSource) + '\n' +
                  QString::fromStdString(model_.WindowInputName(window_)));
}

void ZCropDlg::ChooseWindow(int window) {
  if (window < 0 || window >= kWindowCount || window == window_) return;
  window_ = window;
  windows_->Select(window);
  Reload();
}

void ZCropDlg::Commit() {
  if (PageFields::Closed(*this)) return;
  CropSettings& crop = Record();
  const CropArea typed{static_cast<int>(fields_[0]->value()), static_cast<int>(fields_[1]->value()),
                       static_cast<int>(fields_[2]->value()),
                       static_cast<int>(fields_[3]->value())};
  const CropArea a = typed.Limited(crop.HTotal, crop.VTotal);
  crop.HPos = static_cast<uint16_t>(a.hStart);
  crop.VPos = static_cast<uint16_t>(a.vStart);
  crop.HAct = static_cast<uint16_t>(a.width);
  crop.VAct = static_cast<uint16_t>(a.height);
  Reload();
  SendCrop();
}

void ZCropDlg::Switch(bool on) {
  if (PageFields::Closed(*this)) return;
  Record().CropOnOff = on ? 1 : 0;
  Reload();
  SendCrop();
}

void ZCropDlg::Reset() {
  // The processor puts the crop back to the whole frame and reports it.
  if (PageFields::Closed(*this) || Record().CropOnOff == 0) return;
  encoder_.EncodeAndSend(CommandType::SetCrop, {static_cast<uint8_t>(window_), 1});
}

void ZCropDlg::SendCrop() {
  encoder_.EncodeAndSend(CommandType::SetCrop, {static_cast<uint8_t>(window_), 0});
  emit pageRequest(PageRequest::CropChanged, model_.SourceGroupOf(window_) * 256 + window_);
}

void ZCropDlg::OnReply(ReplyKind kind, int) {
  switch (kind) {
    case ReplyKind::FullStateReply:
    case ReplyKind::PvwModeReply:
      windows_->FollowSwitcher(model_.rec);
      Reload();
      break;
    case ReplyKind::CropReply:
    case ReplyKind::InputTimingReply:
    case ReplyKind::WindowSourcesReply:
    case ReplyKind::DpModeReply:
    case ReplyKind::CompositeBoardReply:
      Reload();
      break;
    default:
      break;
  }
}

void ZCropDlg::OnPageRequest(PageRequest code, int argument, const QString&) {
  if (code == PageRequest::InputChanged && argument == window_) Reload();
}

void ZCropDlg::ApplyLanguage(const LanguageTexts& texts) {
  ZBaseDialog::ApplyLanguage(texts);
  Reload();
}

}  // namespace qv
