#include "InputPanel.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "InputPanelAccessible.h"
#include "widgets/ControlId.h"
#include "widgets/WidgetColours.h"

namespace qv {

namespace {

using Rect = InputPanelLayout::Rect;

QRect ToQRect(const Rect& r) {
  return QRect(r.left, r.top, r.Width(), r.Height());
}

}  // namespace

InputPanel::InputPanel(CommandEncoder& encoder, InfoSettings& settings, QWidget* parent)
    : QWidget(parent),
      model_(encoder.model()),
      control_(encoder, settings),
      layout_(logicalDpiX() / 96.0),
      icons_(devicePixelRatioF()) {
  static const bool accessible = (QAccessible::installFactory(&InputPanelAccessible::Create), true);
  Q_UNUSED(accessible);
  setAttribute(Qt::WA_OpaquePaintEvent);
  labelFont_ = font();
  labelFont_.setPixelSize(11);
  timingFont_ = labelFont_;
  timingFont_.setPixelSize(10);

  leftSwitches_ = new LayerSwitches(Qt::Vertical, kLeftMainId, this);
  rightSwitches_ = new LayerSwitches(Qt::Horizontal, kRightMainId, this);
  connect(leftSwitches_, &LayerSwitches::switched, this,
          [this](int window, bool on) { OnLayerSwitch(InputPanelControl::Row::Left, window, on); });
  connect(rightSwitches_, &LayerSwitches::switched, this, [this](int window, bool on) {
    OnLayerSwitch(InputPanelControl::Row::Right, window, on);
  });

  for (int k = 0; k < kWindowCount; ++k) {
    auto* b =
        new QPushButton(k == 0 ? QStringLiteral("TOP-M") : QStringLiteral("TOP-%1").arg(k), this);
    SetControlId(*b, kFirstTopId + k);
    b->setFocusPolicy(Qt::NoFocus);
    b->hide();
    connect(b, &QPushButton::clicked, this, [this, k] {
      SetTopButtonsVisible(false);
      emit raiseWindowRequested(k);
    });
    topButtons_[k] = b;
  }

  nameBox_ = new NameBox(this);
  connect(nameBox_, &NameBox::committed, this, &InputPanel::CommitRename);

  setMinimumHeight(InputPanelLayout::kPanelHeight);
  RefreshLayerSwitches();
}

void InputPanel::LoadDisplayNames() {
  control_.LoadDisplayNames();
  update();
}

void InputPanel::InputChanged(int window, bool send) {
  if (send) control_.SendWindowInput(window);
  update();
  emit inputChanged(window);
}

void InputPanel::FollowWindow(int window) {
  if (control_.Follow(window)) InputChanged(window, false);
}

void InputPanel::RefreshLayerSwitches() {
  for (int k = 1; k < kWindowCount; ++k) {
    const bool on = InputPanelControl::LayerState(model_, k);
    leftSwitches_->SetState(k, on);
    rightSwitches_->SetState(k, on);
  }
}

void InputPanel::SetLayerSwitchesEnabled(bool enabled) {
  leftSwitches_->setEnabled(enabled);
  rightSwitches_->setEnabled(enabled);
}

void InputPanel::SetLoopOutSource(int tile) {
  loopOutTile_ = tile >= 0 && tile < kInputSlotCount ? tile : -1;
  update();
}

void InputPanel::SetTopButtonsVisible(bool visible) {
  for (QPushButton* b : topButtons_) b->setVisible(visible);
}

void InputPanel::OnLayerSwitch(InputPanelControl::Row row, int window, bool on) {
  const InputPanelControl::LayerChange change = control_.SwitchLayer(row, window, on);
  const bool acted = change.logo || change.window;
  // Both rows show one state per window; a refused press falls back.
  leftSwitches_->SetState(window, acted ? on : !on);
  rightSwitches_->SetState(window, acted ? on : !on);
  if (change.logo) emit logoSwitched(on);
  if (change.window) emit layerSwitched(window, on);
}

void InputPanel::CommitRename() {
  if (renameTarget_ < 0 || nameBox_->isHidden()) return;
  const int tile = std::exchange(renameTarget_, -1);
  nameBox_->hide();
  const std::string error = control_.Rename(tile, nameBox_->text().toStdString());
  update();
  if (!error.empty()) emit renameFailed(QString::fromStdString(error));
}

InputPanelLayout::TileFace InputPanel::face(int tile) const {
  return InputPanelLayout::Face(model_, tile, control_.panelWindow());
}

void InputPanel::PressTile(int tile) {
  CommitRename();
  const int before = control_.panelWindow();
  if (control_.Press(tile) == InputPanelControl::Click::Routed) {
    InputChanged(control_.panelWindow(), false);  // Press has sent it
  } else if (control_.panelWindow() != before) {
    update();  // refused on program, but the highlight moved to the current window
  }
}

void InputPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPoint at = event->position().toPoint();
  PressTile(layout_.TileAt(model_, at.x(), at.y()));
}

void InputPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  const int tile = layout_.NameStripAt(model_, at.x(), at.y());
  if (tile < 0) return;
  renameTarget_ = tile;
  nameBox_->Open(ToQRect(layout_.NameStrip(tile)),
                 QString::fromStdString(model_.InputLabels[tile].displayName));
}

void InputPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  leftSwitches_->setGeometry(ToQRect(InputPanelLayout::LeftSwitchArea()));
  rightSwitches_->setGeometry(ToQRect(layout_.RightSwitchArea(width())));
  const QRect top = ToQRect(layout_.TopButtonArea(width()));
  constexpr int kSpacing = 6;
  const int w = (top.width() - (kWindowCount - 1) * kSpacing) / kWindowCount;
  for (int k = 0; k < kWindowCount; ++k) {
    topButtons_[k]->setGeometry(top.left() + k * (w + kSpacing), top.top(), w, top.height());
  }
}

void InputPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), colours::kGround);
  p.fillRect(QRect(0, height() - 1, width(), 1), colours::kSeparator);
  p.setRenderHint(QPainter::Antialiasing);
  if (loopOutTile_ >= 0) {
    p.setPen(QPen(colours::kAccent, 1));
    p.setBrush(colours::kAccentGround);
    p.drawRoundedRect(
        QRectF(ToQRect(layout_.LoopOutMarker(loopOutTile_))).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
  }
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int i = 0; i < kInputCodeCount; ++i) PaintTile(p, i);
}

void InputPanel::PaintTile(QPainter& p, int tile) {
  const InputPanelLayout::TileFace face = this->face(tile);
  if (!face.shown) return;
  const Rect& r = layout_.Tile(tile);
  const QImage& icon = icons_.Glyph(face.icon, face.highlighted);
  const QSize iconSize = icon.deviceIndependentSize().toSize();
  p.drawImage(ToQRect(InputPanelLayout::IconRect(tile, r, iconSize.width(), iconSize.height())),
              icon);
  p.drawImage(QPoint(r.left, r.bottom), icons_.Lamp(face.signal));

  // Texts may use the gap to the next tile but not the next tile's own room.
  constexpr int kText = InputPanelLayout::kTextHeight;
  const int room = r.Width() + 36;
  p.setPen(colours::kAccent);
  p.setFont(labelFont_);
  const QFontMetrics metrics(labelFont_);
  p.drawText(QRect(r.left + 16, r.bottom, room - 16, kText), Qt::AlignLeft | Qt::AlignVCenter,
             metrics.elidedText(QString::fromStdString(face.label), Qt::ElideRight, room - 16));
  if (tile != renameTarget_) {
    p.drawText(QRect(r.left, r.bottom + kText, room, kText), Qt::AlignLeft | Qt::AlignVCenter,
               metrics.elidedText(QString::fromStdString(face.displayName), Qt::ElideRight, room));
  }
  if (!face.timing.empty()) {
    const int centre = (r.left + r.right) / 2;
    const int width = r.Width() + 40;
    p.setFont(timingFont_);
    p.drawText(QRect(centre - width / 2, r.bottom + 2 * kText, width, kText - 2),
               Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(face.timing));
  }
}

}  // namespace qv
