#include "InputIcons.h"
#include "widgets/WidgetColours.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

namespace qv {

namespace {

using Icon = InputPanelLayout::Icon;

constexpr int kLampHeight = 16;

struct Palette {
  QColor plate, border, glyph;
};

const Palette kNormal{colours::kButton, colours::kLine, colours::kTextSoft};
const Palette kHighlighted{colours::kAccent, colours::kAccentBright, colours::kGround};

QImage Canvas(int width, int height, qreal ratio) {
  QImage image(QSize(width, height) * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  return image;
}

void Pins(QPainter& p, qreal x0, qreal y, int count, qreal step) {
  for (int i = 0; i < count; ++i) p.drawEllipse(QPointF(x0 + i * step, y), 0.9, 0.9);
}

QPolygonF Outline(std::initializer_list<QPointF> points) {
  return QPolygonF(QList<QPointF>(points));
}

// Glyphs sit between x 10 and 54 so the plate's left end stays plain.
void DrawGlyph(QPainter& p, Icon kind, const QColor& glyph) {
  QPen pen(glyph, 1.4);
  pen.setJoinStyle(Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  switch (kind) {
    case Icon::Dvi:
      p.drawPolygon(Outline({{12, 6}, {42, 6}, {44, 8}, {44, 18}, {15, 18}, {12, 15}}));
      p.setBrush(glyph);
      p.setPen(Qt::NoPen);
      for (int row = 0; row < 3; ++row) Pins(p, 16, 9.5 + row * 3, 8, 3.4);
      p.drawRect(QRectF(47, 11.3, 6, 1.4));
      Pins(p, 48, 9, 2, 4);
      Pins(p, 48, 15, 2, 4);
      break;
    case Icon::Hdmi:
      p.drawPolygon(Outline({{14, 6}, {50, 6}, {50, 12}, {45, 18}, {19, 18}, {14, 12}}));
      p.drawRect(QRectF(19, 9.5, 26, 3));
      break;
    case Icon::Dp:
      p.drawPolygon(Outline({{16, 6}, {48, 6}, {48, 14}, {44, 18}, {16, 18}}));
      p.drawRect(QRectF(20, 9.5, 24, 3));
      break;
    case Icon::Sdi:
      p.drawEllipse(QPointF(32, 12), 8, 8);
      p.drawEllipse(QPointF(32, 12), 3.5, 3.5);
      p.setBrush(glyph);
      p.drawEllipse(QPointF(32, 12), 1, 1);
      p.drawRect(QRectF(21, 11, 2.5, 2));
      p.drawRect(QRectF(40.5, 11, 2.5, 2));
      break;
    case Icon::Vga:
      p.drawPolygon(Outline({{14, 5}, {50, 5}, {46, 19}, {18, 19}}));
      p.setBrush(glyph);
      p.setPen(Qt::NoPen);
      Pins(p, 21, 9, 5, 5.5);
      Pins(p, 23.5, 12, 5, 5.5);
      Pins(p, 21, 15, 5, 5.5);
      break;
    case Icon::UsbDisk:
      p.drawRect(QRectF(16, 7, 32, 10));
      p.setBrush(glyph);
      p.drawRect(QRectF(19, 9, 26, 3));
      break;
    case Icon::None:
      break;
  }
}

QImage DrawIcon(Icon kind, const Palette& colours, qreal ratio) {
  QImage image = Canvas(InputIcons::kIconWidth, InputIcons::kIconHeight, ratio);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(colours.border, 1));
  p.setBrush(colours.plate);
  p.drawRoundedRect(QRectF(0.5, 0.5, InputIcons::kIconWidth - 1, InputIcons::kIconHeight - 1), 4,
                    4);
  DrawGlyph(p, kind, colours.glyph);
  return image;
}

QImage DrawLamp(bool signal, qreal ratio) {
  QImage image = Canvas(InputIcons::kLampSize, kLampHeight, ratio);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(InputIcons::kLampSize / 2.0, kLampHeight / 2.0);
  const QColor core = signal ? colours::kSignalOn : colours::kSignalOff;
  QRadialGradient glow(centre - QPointF(1.5, 1.5), 6);
  glow.setColorAt(0, core.lighter(150));
  glow.setColorAt(1, core);
  p.setPen(QPen(core.darker(220), 1));
  p.setBrush(glow);
  p.drawEllipse(centre, 5, 5);
  return image;
}

}  // namespace

InputIcons::InputIcons(qreal pixelRatio) {
  for (int k = 0; k < kKindCount; ++k) {
    icons_[k][0] = DrawIcon(static_cast<Icon>(k), kNormal, pixelRatio);
    icons_[k][1] = DrawIcon(static_cast<Icon>(k), kHighlighted, pixelRatio);
  }
  lamps_[0] = DrawLamp(false, pixelRatio);
  lamps_[1] = DrawLamp(true, pixelRatio);
}

const QImage& InputIcons::Glyph(InputPanelLayout::Icon kind, bool highlighted) const {
  return icons_[static_cast<int>(kind)][highlighted ? 1 : 0];
}

const QImage& InputIcons::Lamp(bool signal) const {
  return lamps_[signal ? 1 : 0];
}

}  // namespace qv
