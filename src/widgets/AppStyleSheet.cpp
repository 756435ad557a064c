#include "widgets/AppStyleSheet.h"

#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "widgets/WidgetColours.h"

namespace qv {

namespace {

// "@name" in the sheet stands for the palette colour of that name.
const std::pair<const char*, const QColor&> kNames[] = {
    {"ground", colours::kGround},
    {"sunken", colours::kSunken},
    {"disabledFace", colours::kDisabledFace},
    {"button", colours::kButton},
    {"buttonHover", colours::kButtonHover},
    {"disabledLine", colours::kDisabledLine},
    {"line", colours::kLine},
    {"accent", colours::kAccent},
    {"accentBright", colours::kAccentBright},
    {"accentHover", colours::kAccentHover},
    {"accentPressed", colours::kAccentPressed},
    {"accentGround", colours::kAccentGround},
    {"text", colours::kText},
    {"textBright", colours::kTextBright},
    {"textDim", colours::kTextDim},
    {"take", colours::kTake},
    {"takePressed", colours::kTakePressed},
};

const char* const kSheet = R"(
QPushButton {
  color: @text; background: @button;
  border: 1px solid @line; border-radius: 3px; padding: 2px 6px;
}
QPushButton:hover { background: @buttonHover; }
QPushButton:pressed { background: @sunken; }
QPushButton:checked { color: @ground; background: @accent; border-color: @accentBright; }
QPushButton:disabled { color: @textDim; background: @disabledFace; border-color: @disabledLine; }
QPushButton:checked:disabled {
  color: @accentPressed; background: @accentGround; border-color: @accentPressed;
}
QPushButton[stored="true"] { border-color: @accent; }
QPushButton[selected="true"] { color: @ground; background: @accent; border-color: @accentBright; }
QPushButton#take { color: @textBright; background: @take; font-weight: bold; }
QPushButton#take:pressed { background: @takePressed; }
QPushButton#pageClose, QPushButton#previewClose {
  color: @text; background: transparent; border: none; padding: 0;
}
QPushButton#pageClose:hover, QPushButton#previewClose:hover { background: @accent; }
QPushButton#pageClose:pressed { background: @accentPressed; }
qv--InputPanel QPushButton { padding: 0px; font-size: 11px; }
qv--InputPanel QPushButton:checked:hover { background: @accentHover; }
QPushButton[alwaysOn="true"] { color: @ground; background: @accent; border-color: @accentBright; }
QLabel { color: @accent; }
QLabel#linkKind { color: @text; font-weight: bold; }
QLineEdit { color: @accent; background: @ground; border: 1px solid @line; padding: 1px 3px; }
QLineEdit#nameBox {
  color: @text; background: @sunken; border: 1px solid @accent; padding: 0px 2px; font-size: 11px;
}
qv--oRealEdit {
  color: @accent; background: @ground; border: 1px solid @line; padding: 0 3px;
  selection-background-color: @accent; selection-color: @ground;
}
qv--oRealEdit:focus { border-color: @accent; }
QDateTimeEdit {
  color: @accent; background: @ground; border: 1px solid @line; padding: 0 3px;
  selection-background-color: @accent; selection-color: @ground;
}
QDateTimeEdit:focus { border-color: @accent; }
QDateTimeEdit:disabled { color: @textDim; }
qv--oRealEdit:disabled { color: @textDim; }
QProgressBar { border: 1px solid @line; background: @ground; }
QProgressBar::chunk { background: @accent; }
)";

QString Written() {
  QString sheet = QString::fromUtf8(kSheet);
  // Longer names first, so that "@accentBright" is not read as "@accent".
  std::vector<std::pair<QString, QString>> names;
  for (const auto& [name, colour] : kNames) {
    names.emplace_back(QStringLiteral("@") + name, colour.name(QColor::HexRgb));
  }
  std::sort(names.begin(), names.end(),
            [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
  for (const auto& [name, value] : names) sheet.replace(name, value);
  return sheet;
}

}  // namespace

const QString& AppStyleSheet() {
  static const QString sheet = Written();
  return sheet;
}

void Repolish(QWidget& w) {
  w.style()->unpolish(&w);
  w.style()->polish(&w);
}

}  // namespace qv
