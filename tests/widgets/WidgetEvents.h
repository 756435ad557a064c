#pragma once
// Input for widget tests, delivered straight to the widget so that no window
// needs to be shown or active.

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <string_view>

namespace qv::test {

inline void SendMouse(QWidget& w, QEvent::Type type, QPoint pos, Qt::MouseButtons held) {
  QMouseEvent event(type, pos, w.mapToGlobal(pos), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}
inline void Press(QWidget& w, QPoint pos) {
  SendMouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton);
}
inline void Drag(QWidget& w, QPoint pos) {
  SendMouse(w, QEvent::MouseMove, pos, Qt::LeftButton);
}
inline void Release(QWidget& w, QPoint pos) {
  SendMouse(w, QEvent::MouseButtonRelease, pos, Qt::NoButton);
}

inline void Wheel(QWidget& w, int angleDelta) {
  const QPointF centre = QRectF(w.rect()).center();
  QWheelEvent event(centre, w.mapToGlobal(centre), QPoint(), QPoint(0, angleDelta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&w, &event);
}

inline void LoseFocus(QWidget& w) {
  QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&w, &event);
}

// Types `keys` into `w`. Printable characters are typed as they are; '#'
// selects all, '\n' is Enter, '\x1b' Esc, '\b' Backspace, '^' Home, '<' Left,
// '{' Shift+Left and '~' a loss of focus.
inline void Type(QWidget& w, std::string_view keys) {
  for (const char c : keys) {
    switch (c) {
      case '#':
        QTest::keyClick(&w, Qt::Key_A, Qt::ControlModifier);
        break;
      case '\n':
        QTest::keyClick(&w, Qt::Key_Return);
        break;
      case '\x1b':
        QTest::keyClick(&w, Qt::Key_Escape);
        break;
      case '\b':
        QTest::keyClick(&w, Qt::Key_Backspace);
        break;
      case '^':
        QTest::keyClick(&w, Qt::Key_Home);
        break;
      case '<':
        QTest::keyClick(&w, Qt::Key_Left);
        break;
      case '{':
        QTest::keyClick(&w, Qt::Key_Left, Qt::ShiftModifier);
        break;
      case '~':
        LoseFocus(w);
        break;
      default:
        QTest::keyClick(&w, c);
        break;
    }
  }
}

}  // namespace qv::test
