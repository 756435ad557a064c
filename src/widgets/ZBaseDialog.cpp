#include "ZBaseDialog.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "CSxGroupBox.h"
#include "ControlId.h"
#include "LanguageTexts.h"
#include "WidgetColours.h"
#include "i18n/UiStrings.h"

namespace qv {

namespace {

constexpr int kHalfBand = ZBaseDialog::kBandHeight / 2;

// Both halves of the band are filled row by row, from the first colour in the
// top row to the second in the bottom row of the half.
void FillGradientRows(QPainter& p, int top, int width, int from, int to) {
  for (int row = 0; row < kHalfBand; ++row) {
    const int level = from + (to - from) * row / (kHalfBand - 1);
    p.fillRect(0, top + row, width, 1, QColor(level, level, level));
  }
}

bool IsEditControl(const QWidget& w) {
  return qobject_cast<const QLineEdit*>(&w) || qobject_cast<const QTextEdit*>(&w) ||
         qobject_cast<const QPlainTextEdit*>(&w);
}

// Controls without a text of their own (sliders, drop lists whose text is the
// chosen entry) are left alone.
void SetControlText(QWidget& w, const QString& text) {
  if (auto* button = qobject_cast<QAbstractButton*>(&w)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(&w)) {
    label->setText(text);
  } else if (auto* group = qobject_cast<CSxGroupBox*>(&w)) {
    group->SetCaption(text);
  } else if (auto* box = qobject_cast<QGroupBox*>(&w)) {
    box->setTitle(text);
  }
}

QPixmap CrossPixmap(const QColor& colour) {
  QPixmap pixmap(10, 10);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(colour, 1.6));
  p.drawLine(QPointF(1, 1), QPointF(9, 9));
  p.drawLine(QPointF(9, 1), QPointF(1, 9));
  return pixmap;
}

}  // namespace

ZBaseDialog::ZBaseDialog(int templateId, int titleString, QWidget* parent)
    : QWidget(parent), templateId_(templateId), titleString_(titleString) {
  // Children inherit the dark palette; the page paints its own ground.
  QPalette pal = palette();
  pal.setColor(QPalette::Window, colours::kGround);
  pal.setColor(QPalette::WindowText, colours::kText);
  pal.setColor(QPalette::Base, colours::kGround);
  pal.setColor(QPalette::Text, colours::kText);
  pal.setColor(QPalette::Button, colours::kRaised);
  pal.setColor(QPalette::ButtonText, colours::kText);
  pal.setColor(QPalette::Disabled, QPalette::WindowText, colours::kTextDim);
  pal.setColor(QPalette::Disabled, QPalette::Text, colours::kTextDim);
  pal.setColor(QPalette::Disabled, QPalette::ButtonText, colours::kTextDim);
  setPalette(pal);

  if (!hasTitleBand()) return;
  const std::string_view builtin = UiStrings::Builtin(titleString_);
  title_ = QString::fromUtf8(builtin.data(), static_cast<qsizetype>(builtin.size()));
  setContentsMargins(0, kBandHeight, 0, 0);  // page layouts start below the band

  closeButton_ = new QPushButton(this);
  closeButton_->setFixedSize(kCloseSize, kCloseSize);
  closeButton_->setFocusPolicy(Qt::NoFocus);
  closeButton_->setIcon(QIcon(CrossPixmap(colours::kText)));
  closeButton_->setObjectName("pageClose");
  closeButton_->setAccessibleName(QStringLiteral("Close"));
  connect(closeButton_, &QPushButton::clicked, this, [this] {
    hide();
    emit closedByUser();
  });
  PlaceCloseButton();
  UpdateAccessibleName();
}

void ZBaseDialog::OnReply(ReplyKind, int) {}

void ZBaseDialog::OnPageRequest(PageRequest, int, const QString&) {}

void ZBaseDialog::OnPageShown(PageId, bool) {}

void ZBaseDialog::SetUntitledName(const QString& name) {
  untitledName_ = name;
  UpdateAccessibleName();
}

void ZBaseDialog::UpdateAccessibleName() {
  setAccessibleName(hasTitleBand() ? title_ : untitledName_);
}

void ZBaseDialog::ShowPage(bool visible) {
  setVisible(visible);
  if (visible) raise();
}

void ZBaseDialog::ApplyLanguage(const LanguageTexts& texts) {
  ApplyDialogTexts(*this, templateId_, texts);
  if (hasTitleBand()) title_ = texts.Ui(titleString_);
  UpdateAccessibleName();
  update();
}

void ZBaseDialog::ApplyDialogTexts(QWidget& dialog, int templateId, const LanguageTexts& texts) {
  const QString title = texts.Lookup(QStringLiteral("IDD%1_Title").arg(templateId).toStdString());
  if (!title.isEmpty()) dialog.setWindowTitle(title);
  // Qt repaints a re-texted control itself and never shows a hidden one, so
  // the visibility of each control is simply left as it is.
  for (QWidget* child : dialog.findChildren<QWidget*>()) {
    const int id = ControlId(*child);
    if (id == 0 || IsEditControl(*child)) continue;
    const QString text = texts.Lookup(QStringLiteral("IDS_%1").arg(id).toStdString());
    if (!text.isEmpty()) SetControlText(*child, text);
  }
}

void ZBaseDialog::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceCloseButton();
}

void ZBaseDialog::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  OrderTabsByReading();
}

void ZBaseDialog::OrderTabsByReading() {
  std::vector<QWidget*> fields;
  for (QWidget* w : findChildren<QWidget*>()) {
    // Popups and the windows a page owns keep their own order.
    if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->window() == window()) {
      fields.push_back(w);
    }
  }
  // Controls whose tops lie within half a row of each other share a row.
  constexpr int kRowSlack = 8;
  const auto top = [this](const QWidget* w) { return w->mapTo(this, QPoint(0, 0)); };
  std::stable_sort(fields.begin(), fields.end(), [&](const QWidget* a, const QWidget* b) {
    const QPoint pa = top(a), pb = top(b);
    if (std::abs(pa.y() - pb.y()) > kRowSlack) return pa.y() < pb.y();
    return pa.x() < pb.x();
  });
  for (std::size_t i = 1; i < fields.size(); ++i) setTabOrder(fields[i - 1], fields[i]);
}

void ZBaseDialog::PlaceCloseButton() {
  if (closeButton_) closeButton_->move(width() - kCloseSize - 1, 1);
}

// Qt widgets are double-buffered by the backing store, so the page paints
// straight into it; no off-screen picture of its own is needed against flicker.
void ZBaseDialog::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), colours::kGround);
  if (!hasTitleBand()) return;
  FillGradientRows(p, 0, width(), 83, 47);
  FillGradientRows(p, kHalfBand, width(), 23, 7);
  QFont font = p.font();
  font.setBold(true);
  p.setFont(font);
  p.setPen(colours::kAccent);
  p.drawText(QRect(0, 0, width(), kBandHeight), Qt::AlignCenter, title_);
}

}  // namespace qv
