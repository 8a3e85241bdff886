#pragma once
// Acting on a real modal dialog (a Qt file dialog or message box) from
// inside its own loop, without ever waiting on it for good.

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include "ui/MessageService.h"

// Runs `act` on the first modal window of type T once it is up, inside its
// own loop. A window that `act` leaves up is rejected half a second later,
// so a test that finds a fault still ends.
template <class T>
inline void OnModal(std::function<void(T&)> act) {
  auto* timer = new QTimer;
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
    auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!modal && clock->elapsed() < 5000) return;
    timer->stop();
    timer->deleteLater();
    if (!modal) return;
    QPointer<T> guard(modal);
    act(*modal);
    QTimer::singleShot(500, [guard] {
      if (guard && guard->isVisible()) guard->reject();
    });
  });
  timer->start(10);
}

// The message service that shows real Qt dialogs, for the length of a scope
// (in place of a recording service that a fixture installed).
class RealDialogs {
 public:
  RealDialogs() : m_previous(SetMessageService(nullptr)) {}
  ~RealDialogs() { SetMessageService(m_previous); }
  RealDialogs(const RealDialogs&) = delete;
  RealDialogs& operator=(const RealDialogs&) = delete;

 private:
  MessageService* m_previous;
};

// The widget with the focus within a dialog (the dialog when none has it).
inline QWidget* FocusIn(QWidget& dialog) {
  QWidget* f = dialog.focusWidget();
  return f ? f : &dialog;
}
