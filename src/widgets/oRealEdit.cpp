#include "oRealEdit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QWheelEvent>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "AccessibleFactory.h"
#include "ControlId.h"

namespace qv {

namespace {

int DigitsOfWholePart(double value) {
  long long whole = std::llabs(static_cast<long long>(std::trunc(value)));
  int digits = 1;
  while (whole >= 10) {
    whole /= 10;
    ++digits;
  }
  return digits;
}

// Like atof: the longest number at the start of the text, 0 when there is
// none ("", "-"). Independent of the C locale, which may use a decimal comma.
double ParseLeadingNumber(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  double value = 0;
  const auto result = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
  return result.ec == std::errc() ? value : 0;
}

bool IsClipboardOrHistoryEdit(const QKeyEvent& e) {
  return e.matches(QKeySequence::Paste) || e.matches(QKeySequence::Cut) ||
         e.matches(QKeySequence::Undo) || e.matches(QKeySequence::Redo);
}

}  // namespace

oRealEdit::oRealEdit(QWidget* parent) : QLineEdit(parent) {
  InstallAccessibleFactory();
  // Every way text could arrive other than typed characters is closed: the
  // context menu (paste), drops and input methods would bypass the rules.
  setContextMenuPolicy(Qt::NoContextMenu);
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (!typing_) return;
    typing_ = false;
    pristine_ = false;
  });
  SetValue(0);
}

void oRealEdit::SetUp(double value, double minimum, double maximum, bool enabled,
                      NumberFormat format) {
  format_ = format;
  minimum_ = std::min(minimum, maximum);
  maximum_ = std::max(minimum, maximum);
  acceptsMinus_ = minimum_ < 0;
  textLimit_ = DigitsOfWholePart(maximum_) + (acceptsMinus_ ? 1 : 0) + (IsDecimal(format) ? 3 : 0);
  setEnabled(enabled);
  SetValue(value);
}

void oRealEdit::SetValue(double value) {
  setText(FormatNumber(value, format_));
  end(false);
  Commit(false);
}

void oRealEdit::ShowValue(double value) {
  if (!beingTyped()) SetValue(value);
}

void oRealEdit::Commit(bool notify) {
  double value = ParseLeadingNumber(text());
  const double clamped = std::clamp(value, minimum_, maximum_);
  if (clamped != value) {
    value = clamped;
    setText(FormatNumber(value, format_));
    end(false);
  }
  value_ = value;
  emit valueChanged(value_);
  if (notify) emit committed(value_);
}

bool oRealEdit::Accepts(QChar c) const {
  const bool isMinus = c == u'-';
  const bool isPoint = c == u'.';
  if (!c.isDigit() && !isMinus && !isPoint) return false;
  if (isMinus && !acceptsMinus_) return false;
  if (isPoint && !IsDecimal(format_)) return false;

  // What stays of the text once the typed character replaces the selection.
  const int pos = hasSelectedText() ? selectionStart() : cursorPosition();
  QString rest = text();
  if (hasSelectedText()) rest.remove(pos, selectedText().size());
  if (rest.size() + 1 > textLimit_) return false;
  const bool hasSign = rest.startsWith(u'-');

  if (isMinus) return pos == 0 && !hasSign;
  if (isPoint) {
    return !rest.contains(u'.') && pos > 0 && !(hasSign && pos < 2) && pos <= textLimit_ - 2;
  }
  if (pos == 0 && hasSign) return false;  // no digit in front of the sign
  if (c == u'0') {
    QString after = rest;
    after.insert(pos, c);
    const QStringView number = QStringView(after).mid(after.startsWith(u'-') ? 1 : 0);
    if (number.size() > 1 && number[0] == u'0' && number[1].isDigit()) return false;
  }
  return true;
}

void oRealEdit::CommitFromKey() {
  if (pristine_) {
    end(false);
  } else {
    Commit(true);
  }
}

void oRealEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      CommitFromKey();
      event->accept();
      return;
    default:
      break;
  }
  if (IsClipboardOrHistoryEdit(*event)) {
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
      event->matches(QKeySequence::DeleteEndOfLine) ||
      event->matches(QKeySequence::DeleteCompleteLine)) {
    typing_ = true;
    QLineEdit::keyPressEvent(event);
    return;
  }
  // Shortcuts (Ctrl+A, Ctrl+C) may carry their letter as text; only plain
  // key presses type.
  const bool shortcut =
      event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  const QString typed = event->text();
  if (!shortcut && typed.size() == 1 && typed[0].isPrint()) {
    if (Accepts(typed[0])) {
      typing_ = true;
      QLineEdit::keyPressEvent(event);
    } else {
      event->accept();
    }
    return;
  }
  QLineEdit::keyPressEvent(event);  // caret movement, selection, copy, Tab
}

void oRealEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A field the page disables loses the focus with it: that is the page's
  // doing (a reply switched the setting off), not the operator's commit, and
  // would send back what the field held before the reply.
  if (!pristine_ && isEnabled()) Commit(true);
}

void oRealEdit::wheelEvent(QWheelEvent* event) {
  if (!isEnabled()) {
    event->ignore();
    return;
  }
  // High-resolution wheels deliver parts of a notch; a whole notch is one step.
  wheelRemainder_ += event->angleDelta().y();
  const int notches = wheelRemainder_ / QWheelEvent::DefaultDeltasPerStep;
  wheelRemainder_ %= QWheelEvent::DefaultDeltasPerStep;
  if (notches != 0) SetValue(value_ + notches);
  event->accept();
}

oRealEdit* MakeNumberField(QWidget* parent, int labelId, const QString& label,
                           const QRect& labelPlace, int id, const QRect& place, double minimum,
                           double maximum, NumberFormat format, bool enabled) {
  QLabel* text = MakeLabel(parent, labelId, label, labelPlace);
  auto* field = MakeControl<oRealEdit>(parent, id, place);
  field->SetUp(minimum, minimum, maximum, enabled, format);
  text->setBuddy(field);
  return field;
}

}  // namespace qv
