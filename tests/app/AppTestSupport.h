#pragma once
// Shared by the application tests: the one Qt application (whichever test
// needs it first makes it, through EnsureQtApplication), a way to act on the
// window side while a background run waits, and key presses as the operator
// makes them.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "tests/support/qt/ModalDialogs.h"
#include "tests/support/qt/QtApplication.h"
#include "ui/MessagePump.h"

// Runs the step on the user-interface thread as soon as its event loop (or a
// pump inside a background run) next turns.
inline void WhenPumped(std::function<void()> step) { QTimer::singleShot(0, std::move(step)); }

// Lets the window side run until the condition holds or five seconds pass.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs) return false;
    // Posted messages too: inside a run's pump only a pump dispatches them.
    PumpAllPendingMessages();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// A key pressed and released on a widget, through the application's filter.
inline void PressKey(QWidget* target, Qt::Key key) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &down);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &up);
}

// A key pressed and released on a widget, with the text it types.
inline void TypeKey(QWidget* target, int key, const QString& text = QString(),
                    Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent down(QEvent::KeyPress, key, mods, text);
  QCoreApplication::sendEvent(target, &down);
  QKeyEvent up(QEvent::KeyRelease, key, mods, text);
  QCoreApplication::sendEvent(target, &up);
}
